#pragma once

#include <QImage>
#include <QString>

// Reads pictures at their natural size with Qt's image readers (JPEG and whatever else Qt reads).
// The file is checked first (DataChecks::fileProblem: a pipe would block the reader). A picture
// whose header promises more pixels than AllocationLimitMegabytes hold is refused by Qt's own
// allocation limit before anything big is allocated, so a decompression bomb takes neither the
// machine's memory nor the seconds a mostly empty 900-megapixel JPEG takes to decode. A picture
// the decoder complains about while reading it (a truncated or damaged JPEG, which Qt would show
// half grey) is refused too, with the decoder's words as the reason; they are not passed on as
// warnings of their own.
class Pictures
{
public:
    // Qt's allocation limit for one decoded picture: about 40 megapixels at 4 bytes a pixel, far
    // beyond any animal picture and far below what would hurt.
    static constexpr int AllocationLimitMegabytes = 160;

    // The picture in `path`, or a null image with `why` saying what went wrong. A picture that
    // reads well but whose contents do not match its name (a PNG named .jpg) is given, with
    // `note` saying so; `note` stays empty otherwise.
    static QImage read(const QString &path, QString *why, QString *note = nullptr);
};
