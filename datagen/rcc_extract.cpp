// zubiko-rcc-extract: reads a Qt binary resource file (.rcc) and copies entries out of it.
//
//   zubiko-rcc-extract --list FILE.rcc [FOLDER]     prints every file entry under FOLDER
//   zubiko-rcc-extract FILE.rcc ENTRY=OUTPUT...      writes each ENTRY's bytes to OUTPUT
//
// Entries are named without the leading ":/" (e.g. gcompris/src/activities/lang/...).
// Each output is written through QSaveFile (a temporary file renamed into place), so a failure
// never leaves a half-written file. Exit status 0 only when every entry was written.
#include "rcc_reader.h"

#include <QFile>
#include <QSaveFile>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <memory>

namespace {

void complain(const QString &message)
{
    std::fprintf(stderr, "zubiko-rcc-extract: %s\n", qPrintable(message));
}

std::unique_ptr<RccReader> openRcc(const QString &rccPath)
{
    QFile file(rccPath);
    if (!file.open(QIODevice::ReadOnly)) {
        complain(QStringLiteral("no such resource file: %1 (%2)").arg(rccPath, file.errorString()));
        return nullptr;
    }
    auto rcc = std::make_unique<RccReader>(file.readAll());
    if (!rcc->problem().isEmpty()) {
        complain(QStringLiteral("%1 %2").arg(rccPath, rcc->problem()));
        return nullptr;
    }
    return rcc;
}

bool extractEntry(const RccReader &rcc, const QString &entry, const QString &output)
{
    QByteArray bytes;
    QString why;
    if (!rcc.read(entry, &bytes, &why)) {
        complain(why);
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
        const auto rcc = openRcc(args.at(1));
        if (!rcc)
            return 1;
        for (const QString &entry : rcc->entries(args.size() > 2 ? args.at(2) : QString()))
            std::printf("%s\n", qPrintable(entry));
        return 0;
    }
    if (args.size() < 2) {
        complain(QStringLiteral("usage: zubiko-rcc-extract FILE.rcc ENTRY=OUTPUT... | --list FILE.rcc [FOLDER]"));
        return 2;
    }
    const auto rcc = openRcc(args.at(0));
    if (!rcc)
        return 1;

    bool allWritten = true;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const qsizetype eq = args.at(i).indexOf(QLatin1Char('='));
        if (eq <= 0) {
            complain(QStringLiteral("expected ENTRY=OUTPUT, got: %1").arg(args.at(i)));
            allWritten = false;
            continue;
        }
        if (!extractEntry(*rcc, args.at(i).left(eq), args.at(i).mid(eq + 1)))
            allWritten = false;
    }
    return allWritten ? 0 : 1;
}
