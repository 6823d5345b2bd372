#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtEndian>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

// Small helpers for the audio tests: writing WAV files and reading what SDL's disk driver wrote.
namespace wav {

inline void put32(QByteArray &out, std::uint32_t value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}

inline void put16(QByteArray &out, std::uint16_t value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}

// A 16-bit PCM WAV of `frames` frames, every sample `value`.
inline bool writeConstant(const QString &path, int rate, int channels, int frames, std::int16_t value)
{
    QByteArray data;
    for (int i = 0; i < frames * channels; ++i)
        put16(data, static_cast<std::uint16_t>(value));
    QByteArray out("RIFF");
    put32(out, static_cast<std::uint32_t>(36 + data.size()));
    out.append("WAVEfmt ");
    put32(out, 16);
    put16(out, 1);
    put16(out, static_cast<std::uint16_t>(channels));
    put32(out, static_cast<std::uint32_t>(rate));
    put32(out, static_cast<std::uint32_t>(rate * channels * 2));
    put16(out, static_cast<std::uint16_t>(channels * 2));
    put16(out, 16);
    out.append("data");
    put32(out, static_cast<std::uint32_t>(data.size()));
    out.append(data);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(out) == out.size();
}

// The interleaved float samples SDL's disk driver wrote.
inline std::vector<float> readFloats(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    std::vector<float> samples(static_cast<std::size_t>(bytes.size()) / sizeof(float));
    if (samples.empty())
        return samples; // memcpy must not be handed the null data of an empty vector
    std::memcpy(samples.data(), bytes.constData(), samples.size() * sizeof(float));
    return samples;
}

// How a 16-bit sample value comes out in the float mix.
inline float asFloat(int value)
{
    return static_cast<float>(value) / 32768.0f;
}

// How many samples lie within `tolerance` of `value`.
inline int count(const std::vector<float> &samples, float value, float tolerance = 1e-3f)
{
    int n = 0;
    for (float s : samples) {
        if (std::abs(s - value) <= tolerance)
            ++n;
    }
    return n;
}

} // namespace wav
