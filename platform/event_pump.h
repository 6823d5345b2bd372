#pragma once

#include <chrono>

// One pass of event processing. The program counts its pauses in passes (400000 passes
// are its one-second pause), so a pass handles whatever events are pending and then keeps
// handling them until it has lasted kMinimumPass. It never blocks waiting for an event.
class EventPump
{
public:
    static constexpr std::chrono::nanoseconds kMinimumPass{2500};

    static void pass();
};
