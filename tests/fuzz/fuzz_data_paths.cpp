// The data folders as a family's disk may hold them: the input's first line is the path asked
// for, each further line a file made on disk first. Whatever is found lies in the data folder
// and is spelt like the path asked for, letter case aside.
#include "fuzz.h"
#include "platform/data_paths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

FUZZ_WITHOUT_APPLICATION

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QStringList lines = QString::fromUtf8(fuzzInput(data, size)).split(QLatin1Char('\n'));
    if (lines.size() > 20)
        return 0;
    QTemporaryDir root;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        QStringList parts = lines[i].split(QLatin1Char('/'), Qt::SkipEmptyParts);
        parts.removeAll(QStringLiteral("."));
        parts.removeAll(QStringLiteral(".."));
        if (parts.isEmpty() || parts.size() > 6)
            continue;
        const QString file = parts.join(QLatin1Char('/'));
        QDir(root.path()).mkpath(QFileInfo(root.filePath(file)).path());
        QFile(root.filePath(file)).open(QIODevice::WriteOnly);
    }
    const QString asked = lines[0];
    const DataPaths paths({root.path()});
    const QString file = paths.resolveFile(asked);
    const QString dir = paths.resolveDir(asked);
    const bool plain = !asked.startsWith(QLatin1Char('/')) && !asked.contains(QStringLiteral(".."));
    for (const QString &found : {file, dir}) {
        if (found.isEmpty() || !plain)
            continue;
        const QString inside = QDir(root.path()).relativeFilePath(found);
        const QString wanted = QDir::cleanPath(QString(asked).replace(QLatin1Char('\\'), QLatin1Char('/')));
        FUZZ_CHECK(inside.compare(wanted, Qt::CaseInsensitive) == 0);
    }
    FUZZ_CHECK(file.isEmpty() || QFileInfo(file).isFile() || !QFileInfo(file).isDir());
    FUZZ_CHECK(dir.isEmpty() || QFileInfo(dir).isDir());
    return 0;
}
