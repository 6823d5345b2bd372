// The two links under the panel: the maker's web site and the volume control.

#include "window/form1.h"

void Form1::Label5_Click()
{
    OpenWebSite();
}

void Form1::OpenWebSite()
{
    m_platform.openExternal(WebAddress);
}

// The volume control is "sndvol.exe" from version 6.0 on and "sndvol32.exe" before; the shell
// maps either to the desktop's own volume control where neither exists. A version that cannot be
// read counts as below 6.0 rather than ending the program.
void Form1::Label6_Click()
{
    bool ok = false;
    float version = m_platform.osVersion().trimmed().toFloat(&ok);
    if (!ok)
        version = 0.0f;
    m_platform.openExternal(version >= 6.0f ? QStringLiteral("sndvol.exe") : QStringLiteral("sndvol32.exe"));
}
