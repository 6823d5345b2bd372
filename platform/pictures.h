#pragma once

#include <QImage>
#include <QString>

// Reads pictures at their natural size with Qt's image readers (JPEG and whatever else Qt reads).
// The file is checked first (DataChecks::fileProblem: a pipe would block the reader). A picture
// whose header promises more than kMaxPixels is refused before anything is allocated, so a
// decompression bomb cannot take the machine's memory. A picture the decoder complains about
// while reading it (a truncated or damaged JPEG, which Qt would show half grey) is refused too,
// with the decoder's words as the reason; they are not passed on as warnings of their own.
class Pictures
{
public:
    // 40 megapixels: far beyond any animal picture, far below what would hurt (160 MB as RGB32).
    static constexpr qint64 kMaxPixels = 40LL * 1000 * 1000;

    // The picture in `path`, or a null image with `why` saying what went wrong. A picture that
    // reads well but whose contents do not match its name (a PNG named .jpg) is given, with
    // `note` saying so; `note` stays empty otherwise.
    static QImage read(const QString &path, QString *why, QString *note = nullptr);
};
