#pragma once

// Helpers shared by the benchmark programs.

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QFile>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <thread>
#include <vector>

namespace bench {

using Clock = std::chrono::steady_clock;

inline double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// This process's resident memory in kB (VmRSS of /proc/self/status).
inline long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// Every figure is reported as the median, minimum and maximum of its repetitions.
inline benchmark::internal::Benchmark *withMinMax(benchmark::internal::Benchmark *b)
{
    return b
        ->ComputeStatistics("min", [](const std::vector<double> &v) { return *std::min_element(v.begin(), v.end()); })
        ->ComputeStatistics("max", [](const std::vector<double> &v) { return *std::max_element(v.begin(), v.end()); })
        ->ReportAggregatesOnly(true);
}

// Watches the file SDL's disk audio driver writes (interleaved 32-bit float frames, one device
// buffer after each time the mixer filled one), and tells when the mixer gave out a given sample.
// The driver writes through stdio, so the file often grows by two buffers at once: the first was
// mixed one device period before the write (the period is measured from the writes).
class DiskOutput
{
public:
    // `bufferSamples`: floats in one device buffer (frames times channels).
    DiskOutput(const QString &path, std::size_t bufferSamples, double periodMs)
        : m_file(path), m_bufferSamples(bufferSamples), m_periodMs(periodMs)
    {
    }

    // Forgets what was seen, waits for the driver's next write and starts from there.
    void mark()
    {
        if (!m_file.isOpen())
            m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        const qint64 size = m_file.size();
        const auto start = Clock::now();
        while (m_file.size() == size && msSince(start) < 200)
            std::this_thread::sleep_for(std::chrono::microseconds(50));
        m_lastWrite = Clock::now();
        m_base = m_file.size() / static_cast<qint64>(sizeof(float));
        m_samples.clear();
        m_arrivals.clear();
    }

    // For a device that is closed now: it writes its file afresh when it opens again.
    void markFresh()
    {
        if (!m_file.isOpen())
            m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        m_lastWrite = Clock::now();
        m_base = 0;
        m_samples.clear();
        m_arrivals.clear();
    }

    // Polls the file until `found` returns a sample index (relative to mark()) or `timeoutMs`
    // passes. `found(samples)` returns -1 while there is nothing. Returns the time at which the
    // file first held that sample, or an empty time_point.
    Clock::time_point waitFor(const std::function<long(const std::vector<float> &)> &found, int timeoutMs)
    {
        const auto start = Clock::now();
        while (msSince(start) < timeoutMs) {
            const qint64 size = m_file.size() / static_cast<qint64>(sizeof(float));
            const qint64 have = m_base + static_cast<qint64>(m_samples.size());
            if (size > have) {
                const auto now = Clock::now();
                m_file.seek(have * static_cast<qint64>(sizeof(float)));
                const QByteArray bytes = m_file.read((size - have) * static_cast<qint64>(sizeof(float)));
                const std::size_t n = static_cast<std::size_t>(bytes.size()) / sizeof(float);
                const std::size_t before = m_samples.size();
                m_samples.resize(before + n);
                std::memcpy(m_samples.data() + before, bytes.constData(), n * sizeof(float));
                m_arrivals.push_back({m_samples.size(), now});
                const long index = found(m_samples);
                if (index >= 0)
                    return arrivalOf(static_cast<std::size_t>(index));
            }
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
        return {};
    }

    const std::vector<float> &samples() const { return m_samples; }

private:
    Clock::time_point arrivalOf(std::size_t index) const
    {
        std::size_t start = 0;
        for (std::size_t a = 0; a < m_arrivals.size(); ++a) {
            const auto &[end, at] = m_arrivals[a];
            if (end <= index) {
                start = end;
                continue;
            }
            const std::size_t buffers = std::max<std::size_t>(1, (end - start) / m_bufferSamples);
            const std::size_t later = buffers - 1 - std::min(buffers - 1, (index - start) / m_bufferSamples);
            double period = m_periodMs;
            if (buffers > 1) {
                const Clock::time_point before = a > 0 ? m_arrivals[a - 1].second : m_lastWrite;
                period = std::chrono::duration<double, std::milli>(at - before).count() / static_cast<double>(buffers);
            }
            return at - std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double, std::milli>(period * static_cast<double>(later)));
        }
        return m_arrivals.back().second;
    }

    QFile m_file;
    std::size_t m_bufferSamples;
    double m_periodMs;
    qint64 m_base = 0;
    Clock::time_point m_lastWrite;
    std::vector<float> m_samples;
    std::vector<std::pair<std::size_t, Clock::time_point>> m_arrivals; // samples held, when seen
};

} // namespace bench
