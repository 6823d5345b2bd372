#include "platform/event_pump.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>

EventPump::EventPump()
{
    m_wake.setSingleShot(true);
    m_wake.setTimerType(Qt::PreciseTimer);
    const QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance();
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, &m_wake,
                     [this] { m_blockedSince = Clock::now(); });
    QObject::connect(dispatcher, &QAbstractEventDispatcher::awake, &m_wake, [this] {
        if (m_blockedSince != Clock::time_point{})
            m_blocked += Clock::now() - m_blockedSince;
        m_blockedSince = {};
    });
}

void EventPump::pass()
{
    const Clock::time_point now = Clock::now();
    if (now - m_due > Idle) {
        // The first pass of a pause handles what is pending at once.
        m_due = now + Pass;
        QCoreApplication::processEvents();
        return;
    }
    m_due += Pass;
    const auto ahead = std::chrono::floor<std::chrono::milliseconds>(m_due - now);
    if (ahead < Batch)
        return;
    m_wake.start(static_cast<int>(ahead.count()));
    const Clock::duration blockedBefore = m_blocked;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    // What the events' handlers took, less any passes of their own (which moved m_due already).
    const Clock::duration handled = (Clock::now() - now) - (m_blocked - blockedBefore);
    if (handled > Batch)
        m_due += handled;
}
