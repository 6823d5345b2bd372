#pragma once

#include <QImage>
#include <QString>

// Reads pictures at their natural size with Qt's image readers (JPEG and whatever else Qt reads).
// A picture whose header promises more than kMaxPixels is refused before anything is allocated,
// so a decompression bomb cannot take the machine's memory.
class Pictures
{
public:
    // 40 megapixels: far beyond any animal picture, far below what would hurt (160 MB as RGB32).
    static constexpr qint64 kMaxPixels = 40LL * 1000 * 1000;

    // The picture in `path`, or a null image with `why` saying what went wrong.
    static QImage read(const QString &path, QString *why);
};
