// zubiko-rcc-extract: reads a Qt binary resource file (.rcc) and copies entries out of it.
//
//   zubiko-rcc-extract --list FILE.rcc [FOLDER]     prints every file entry under FOLDER
//   zubiko-rcc-extract FILE.rcc ENTRY=OUTPUT...      writes each ENTRY's bytes to OUTPUT
//
// Entries are named without the leading ":/" (e.g. gcompris/src/activities/lang/...).
// Each output is written to OUTPUT.part first and renamed into place, so a failure never
// leaves a half-written file. Exit status 0 only when every entry was written.
#include <QByteArray>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QResource>
#include <QSaveFile>
#include <QString>
#include <QStringList>

#include <cstdio>

namespace {

void complain(const QString &message)
{
    std::fprintf(stderr, "zubiko-rcc-extract: %s\n", qPrintable(message));
}

bool registerRcc(const QString &rccPath)
{
    if (!QFileInfo::exists(rccPath)) {
        complain(QStringLiteral("no such resource file: %1").arg(rccPath));
        return false;
    }
    if (!QResource::registerResource(rccPath)) {
        complain(QStringLiteral("not a readable Qt resource file: %1").arg(rccPath));
        return false;
    }
    return true;
}

int listEntries(const QString &folder)
{
    QDirIterator it(QStringLiteral(":/") + folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        std::printf("%s\n", qPrintable(it.next().mid(2)));
    return 0;
}

bool extractEntry(const QString &entry, const QString &output)
{
    QFile in(QStringLiteral(":/") + entry);
    if (!in.open(QIODevice::ReadOnly)) {
        complain(QStringLiteral("entry not found: %1").arg(entry));
        return false;
    }
    const QByteArray bytes = in.readAll();
    if (bytes.isEmpty()) {
        complain(QStringLiteral("entry is empty or cannot be decompressed: %1").arg(entry));
        return false;
    }
    // QSaveFile writes beside the target and renames on commit; nothing is left on failure.
    QSaveFile out(output);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        complain(QStringLiteral("cannot write %1: %2").arg(output, out.errorString()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);

    if (args.size() >= 2 && args.at(0) == QLatin1String("--list")) {
        if (!registerRcc(args.at(1)))
            return 1;
        return listEntries(args.size() > 2 ? args.at(2) : QString());
    }
    if (args.size() < 2) {
        complain(QStringLiteral("usage: zubiko-rcc-extract FILE.rcc ENTRY=OUTPUT... | --list FILE.rcc [FOLDER]"));
        return 2;
    }
    if (!registerRcc(args.at(0)))
        return 1;

    bool allWritten = true;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const qsizetype eq = args.at(i).indexOf(QLatin1Char('='));
        if (eq <= 0) {
            complain(QStringLiteral("expected ENTRY=OUTPUT, got: %1").arg(args.at(i)));
            allWritten = false;
            continue;
        }
        if (!extractEntry(args.at(i).left(eq), args.at(i).mid(eq + 1)))
            allWritten = false;
    }
    return allWritten ? 0 : 1;
}
