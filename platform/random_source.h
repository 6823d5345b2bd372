#pragma once

#include <cstdint>
#include <functional>
#include <random>

// The program's pseudo-random numbers: reseeded from the clock, drawn uniform over [0, 1) at
// single precision. The caller reseeds before every draw, often several times within one clock
// tick, so each reseed folds the generator's previous state in with the clock value: the draws
// keep changing while the clock stands still.
class RandomSource
{
public:
    // Any monotone-or-not reading that changes over time; nanoseconds of the system clock by default.
    using Clock = std::function<std::uint64_t()>;

    explicit RandomSource(Clock clock = systemClock());

    void randomize();
    // r with 0 <= r < 1, a multiple of 2^-24 (so r * n + 1 never rounds up to n + 1 in float).
    float next();

    static Clock systemClock();

private:
    Clock m_clock;
    std::mt19937 m_engine;
};
