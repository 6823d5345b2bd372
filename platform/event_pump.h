#pragma once

#include <QTimer>

#include <chrono>

// One pass of event processing, paced against the clock. The program counts its pauses in passes
// (400000 passes are its 1.2-second pause), and each pass stands for Pass of time, whatever the
// machine's speed or load. Passes return at once while they are less than Batch ahead of the
// clock; a pass further ahead waits for the clock without using the processor, handling every
// event that comes meanwhile (a click's handler runs to its end inside it). The time such a
// handler takes is not counted: the pause it interrupted goes on afterwards for as long as it had
// left. A wake-up that comes late is made up by the passes after it. A pass that comes more than
// Idle after the clock (the first pass of a pause) starts from the clock and handles what is
// pending without waiting.
class EventPump
{
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::nanoseconds Pass{3000};
    static constexpr std::chrono::milliseconds Batch{2};
    static constexpr std::chrono::milliseconds Idle{50};

    // Create it after the QCoreApplication.
    EventPump();
    void pass();

private:
    Clock::time_point m_due{};     // where the passes so far have brought the program's time
    Clock::duration m_blocked{};   // time the event loop has spent blocked, waiting for events
    Clock::time_point m_blockedSince{};
    QTimer m_wake;                 // ends a wait when the clock has caught up
};
