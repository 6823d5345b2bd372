#include "platform/event_pump.h"

#include <QAbstractEventDispatcher>
#include <QTimer>
#include <QCoreApplication>

namespace {

// Qt's event loop on the steady clock. The time the loop spends blocked is summed from the
// dispatcher's signals, so that waits inside nested passes count too.
class QtLoop : public EventPump::Loop
{
public:
    using Clock = EventPump::Clock;

    QtLoop()
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
    Clock::time_point now() override { return Clock::now(); }
    void handlePending() override { QCoreApplication::processEvents(); }
    Clock::duration waitForEvents(std::chrono::milliseconds longest) override
    {
        m_wake.start(longest);
        const Clock::duration blockedBefore = m_blocked;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        return m_blocked - blockedBefore;
    }

private:
    Clock::duration m_blocked{}; // time the event loop has spent blocked, waiting for events
    Clock::time_point m_blockedSince{};
    QTimer m_wake; // ends a wait when the clock has caught up
};

} // namespace

EventPump::EventPump() : m_own(std::make_unique<QtLoop>()), m_loop(*m_own) {}

EventPump::EventPump(Loop &loop) : m_loop(loop) {}

EventPump::~EventPump() = default;

void EventPump::pass()
{
    const Clock::time_point now = m_loop.now();
    if (now - m_due > Idle) {
        // The first pass of a pause handles what is pending at once.
        m_due = now + Pass;
        m_loop.handlePending();
        return;
    }
    m_due += Pass;
    const auto ahead = std::chrono::floor<std::chrono::milliseconds>(m_due - now);
    if (ahead < Batch)
        return;
    const Clock::duration blocked = m_loop.waitForEvents(ahead);
    // What the events' handlers took, less any passes of their own (which moved m_due already).
    const Clock::duration handled = (m_loop.now() - now) - blocked;
    if (handled > Batch)
        m_due += handled;
}
