#pragma once

#include <chrono>
#include <memory>

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

    // The clock and the event loop the pump paces: the steady clock and Qt's loop in the program,
    // a clock of its own in a test.
    class Loop
    {
    public:
        virtual ~Loop() = default;
        virtual Clock::time_point now() = 0;
        // Handles the events that are pending, without waiting.
        virtual void handlePending() = 0;
        // Waits for events, without using the processor, until one comes or `longest` has gone
        // by, and handles them. Returns how long it was blocked waiting, the waits of passes
        // that its events' handlers ran included.
        virtual Clock::duration waitForEvents(std::chrono::milliseconds longest) = 0;
    };

    // Over Qt's event loop: create it after the QCoreApplication.
    EventPump();
    // Over `loop`, which outlives the pump.
    explicit EventPump(Loop &loop);
    ~EventPump();
    void pass();

private:
    std::unique_ptr<Loop> m_own;
    Loop &m_loop;
    Clock::time_point m_due{}; // where the passes so far have brought the program's time
};
