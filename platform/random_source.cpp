#include "platform/random_source.h"

#include <chrono>

RandomSource::RandomSource(Clock clock) : m_clock(std::move(clock))
{
    randomize();
}

RandomSource::Clock RandomSource::systemClock()
{
    return [] {
        return static_cast<std::uint64_t>(
            std::chrono::duration_cast<std::chrono::nanoseconds>(
                std::chrono::system_clock::now().time_since_epoch())
                .count());
    };
}

void RandomSource::randomize()
{
    const std::uint64_t now = m_clock();
    // Two words of the old state make the new seed differ even when `now` has not moved.
    const auto carried1 = static_cast<std::uint32_t>(m_engine());
    const auto carried2 = static_cast<std::uint32_t>(m_engine());
    std::seed_seq seed{static_cast<std::uint32_t>(now), static_cast<std::uint32_t>(now >> 32),
                       carried1, carried2};
    m_engine.seed(seed);
}

float RandomSource::next()
{
    // The top 24 bits: exactly representable, the largest being 1 - 2^-24.
    const auto bits = static_cast<std::uint32_t>(m_engine() >> 8);
    return static_cast<float>(bits) * (1.0f / 16777216.0f);
}
