#pragma once

#include <QBuffer>
#include <QDataStream>
#include <QFile>
#include <QImage>

#include <cstdint>
#include <vector>

// Data files made in memory, for the tests, the benchmarks and zubiko_speak_wav.
namespace made {

inline bool write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A picture with detail everywhere, so that a copy cut short is visibly damaged.
inline QByteArray picture(int width, int height, const char *format = "JPEG")
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int i = 0; i < width * height; ++i)
        image.setPixel(i % width, i / width, qRgb(i % 256, i / width % 256, i * 7 % 256));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    return buffer.open(QIODevice::WriteOnly) && image.save(&buffer, format) ? bytes : QByteArray();
}

// A 16-bit PCM WAV file whose header declares `declared` bytes of sound, holding `held` bytes of silence.
inline QByteArray wav(quint32 rate, quint16 channels, quint32 declared, int held)
{
    QByteArray fields;
    QDataStream out(&fields, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << 36 + declared << 16u << quint16(1) << channels << rate << rate * channels * 2u << quint16(channels * 2)
        << quint16(16) << declared;
    return "RIFF" + fields.left(4) + "WAVEfmt " + fields.mid(4, 20) + "data" + fields.mid(24) + QByteArray(held, '\0');
}

// A 16-bit PCM WAV file holding `samples`, `channels` of them to a frame.
inline QByteArray pcmWav(int rate, quint16 channels, const std::vector<std::int16_t> &samples)
{
    QByteArray bytes = wav(static_cast<quint32>(rate), channels, static_cast<quint32>(samples.size()) * 2, 0);
    QDataStream out(&bytes, QIODevice::Append);
    out.setByteOrder(QDataStream::LittleEndian);
    for (const std::int16_t sample : samples)
        out << sample;
    return bytes;
}

// A 16-bit PCM WAV file of `frames` frames, each of them `frame` (one sample per channel).
inline QByteArray wav(int rate, int frames, const std::vector<std::int16_t> &frame)
{
    std::vector<std::int16_t> samples;
    for (int i = 0; i < frames; ++i)
        samples.insert(samples.end(), frame.begin(), frame.end());
    return pcmWav(rate, static_cast<quint16>(frame.size()), samples);
}

} // namespace made
