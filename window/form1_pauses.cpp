// The busy pauses: a counted number of passes of event processing, never a measured time. Any
// handler, the paused one's own included, can run to its end inside a pass; the paused handler
// then goes on with the state as that handler left it. The counter belongs to the call, so pauses
// that interrupt one another each count their own passes.

#include "platform/trace.h"
#include "window/form1.h"

void Form1::LongPause()
{
    pause(LongPausePasses);
}

void Form1::ShortPause()
{
    pause(ShortPausePasses);
}

void Form1::pause(int passes)
{
    ++m_pauseDepth;
    qCDebug(lcPlatform) << "pause" << passes << "passes" << "at depth" << m_pauseDepth;
    for (int pass = 1; pass <= passes; ++pass)
        m_platform.DoEvents();
    qCDebug(lcPlatform) << "pause" << passes << "passes done";
    --m_pauseDepth;
}
