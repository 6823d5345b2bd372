// Leaving: closing the window, or typing the quit word in the locked mode, ends the program at
// once, even in the middle of a pause.

#include "platform/trace.h"
#include "window/form1.h"

#include <QCloseEvent>

void Form1::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (event->isAccepted())
        leave();
}

// The pauses under way end, and the handlers they interrupted run their remaining steps without
// being heard or seen (LeavingPlatform), so that the event loop is reached again at once.
void Form1::leave()
{
    if (m_platform.leaving())
        return;
    qCDebug(lcWindow) << "leaving at pause depth" << m_pauseDepth;
    m_platform.leave();
}
