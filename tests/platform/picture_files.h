#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>

// Pictures for the tests, made in memory.
namespace picture {

// A JPEG of width x height with some detail in it, so that a cut-off copy is visibly damaged.
inline QByteArray jpeg(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    for (int y = 0; y < height; y += 4)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 256));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 90);
    return bytes;
}

// A small JPEG whose frame header (SOF0: FF C0, length, precision, height, width) claims
// width x height: the header of a decompression bomb without its pixels.
inline QByteArray jpegClaiming(int width, int height)
{
    QByteArray bytes = jpeg(16, 16);
    const auto sof = bytes.indexOf(QByteArray("\xFF\xC0", 2));
    if (sof < 0)
        return {};
    bytes[sof + 5] = static_cast<char>(height >> 8);
    bytes[sof + 6] = static_cast<char>(height & 0xFF);
    bytes[sof + 7] = static_cast<char>(width >> 8);
    bytes[sof + 8] = static_cast<char>(width & 0xFF);
    return bytes;
}

} // namespace picture
