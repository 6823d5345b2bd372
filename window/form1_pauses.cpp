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
    int pass = 0;
    runPasses(passes, pass);
    --m_pauseDepth;
}

// The one loop of every pause, counting in `counter`: a local one for the bar's pauses, the
// window's own for the start-up pause.
void Form1::runPasses(int passes, int &counter)
{
    qCDebug(lcWindow) << "pause" << passes << "passes at depth" << m_pauseDepth;
    for (counter = 1; counter <= passes; ++counter)
        m_platform.processEventsOnce();
    qCDebug(lcWindow) << "pause" << passes << "passes done";
}

// A click on the bar or an animal button runs its handler unless the pauses under way are nested
// too deep. The handlers themselves stay callable as they are (the picker runs an animal's handler
// directly).
void Form1::boundedClick(void (Form1::*handler)())
{
    if (takesClicks())
        (this->*handler)();
    else
        qCDebug(lcWindow) << "click dropped at pause depth" << m_pauseDepth;
}
