// A picture file, read the way the program reads its animals.
#include "fuzz.h"
#include "platform/pictures.h"

#include <QFile>
#include <QTemporaryDir>

FUZZ_WITH_APPLICATION

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Owl.jpg"));
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(fuzzInput(data, size)) == qint64(size));
    file.close();
    QString why;
    QString note;
    const QImage image = Pictures::read(path, &why, &note);
    FUZZ_CHECK(image.isNull() != why.isEmpty());
    FUZZ_CHECK(qint64(image.sizeInBytes()) <= qint64(Pictures::kAllocationLimitMegabytes) * 1024 * 1024);
    return 0;
}
