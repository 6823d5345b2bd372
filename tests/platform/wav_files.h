#pragma once

#include <QDataStream>
#include <QFile>
#include <QString>

#include <cstdint>
#include <vector>

// Writing WAV files for the audio tests.
namespace wav {

// A 16-bit PCM WAV of `frames` frames, each of them `frame` (one sample per channel).
inline bool writeFrames(const QString &path, int rate, int frames, const std::vector<std::int16_t> &frame)
{
    const auto channels = static_cast<quint16>(frame.size());
    const auto bytes = static_cast<quint32>(frames) * channels * 2;
    QFile file(path);
    file.open(QIODevice::WriteOnly); // if it cannot be, the stream below says so
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + bytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << channels << quint32(rate) << quint32(rate) * channels * 2 << quint16(channels * 2) << quint16(16);
    out.writeRawData("data", 4);
    out << bytes;
    for (std::size_t i = 0; i < static_cast<std::size_t>(frames) * channels; ++i)
        out << frame[i % channels];
    return out.status() == QDataStream::Ok && file.flush();
}

// A 16-bit PCM WAV of `frames` frames, every sample `value`.
inline bool writeConstant(const QString &path, int rate, int channels, int frames, std::int16_t value)
{
    return writeFrames(path, rate, frames, std::vector<std::int16_t>(static_cast<std::size_t>(channels), value));
}

} // namespace wav
