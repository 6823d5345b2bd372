// The fuzz targets, one a program: built with FUZZ_TARGET set to one of the names below. Each
// reads one kind of outside input and aborts (a crash to libFuzzer) when a check fails.
#include "command_line.h"
#include "platform/audio_decoding.h"
#include "platform/data_checks.h"
#include "platform/data_paths.h"
#include "platform/pictures.h"
#include "platform/speech.h"
#include "rcc_reader.h"
#include "window/kiosk.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define CHECK(condition) ((condition) ? void() : (std::fprintf(stderr, "check failed: %s\n", #condition), std::abort()))
#define TARGET(name) (std::string_view(FUZZ_TARGET) == #name)

namespace {

// The input as a file of that name, written afresh each time.
QString asFile(const QByteArray &bytes, const QString &name)
{
    static QTemporaryDir dir;
    QFile file(dir.filePath(name));
    CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size());
    return file.fileName();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication application(*argc, *argv); // Qt's image plugins and resources look for one
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    if (TARGET(sound)) { // a sound file: the checks, then SDL's decoding into the mixing format
        const QString path = asFile(input, QStringLiteral("owl.wav"));
        const bool checked = DataChecks::fileProblem(path).isEmpty() && DataChecks::wavProblem(path).isEmpty();
        QString why;
        const AudioDecoding::Clip clip = AudioDecoding::decodeFile(path, &why);
        CHECK((checked || !clip) && (clip || !why.isEmpty()));
        CHECK(!clip || clip->size() <= std::size_t((DataChecks::MaxSoundSeconds + 0.1) * 48000 * 2));
    } else if (TARGET(picture)) { // a picture, read as the animals' are
        QString why;
        const QImage image = Pictures::read(asFile(input, QStringLiteral("Owl.jpg")), &why);
        CHECK(image.isNull() != why.isEmpty());
        CHECK(image.sizeInBytes() <= qsizetype(Pictures::AllocationLimitMegabytes) * 1024 * 1024);
    } else if (TARGET(data_paths)) { // line 1 the path asked for, the others files on disk; found as asked, case aside
        const QStringList lines = QString::fromUtf8(input).split(QLatin1Char('\n'));
        QTemporaryDir root;
        for (const QString &line : lines.mid(1, 20)) {
            QStringList parts = line.split(QLatin1Char('/'), Qt::SkipEmptyParts);
            parts.removeAll(QStringLiteral("."));
            parts.removeAll(QStringLiteral(".."));
            const QString file = root.filePath(parts.mid(0, 6).join(QLatin1Char('/')));
            if (!parts.isEmpty() && QDir().mkpath(QFileInfo(file).path()))
                QFile(file).open(QIODevice::WriteOnly);
        }
        const DataPaths paths({root.path()});
        // A path written \sounds\owl.wav (a separator first) is looked for in the data folders too.
        const QString wanted = QDir::cleanPath(QString(lines[0]).replace(QLatin1Char('\\'), QLatin1Char('/'))).remove(QRegularExpression(QStringLiteral("^/")));
        for (const QString &found : {paths.resolveFile(lines[0]), paths.resolveDir(lines[0])}) {
            if (!found.isEmpty() && !lines[0].startsWith(QLatin1Char('/')) && !lines[0].contains(QStringLiteral("..")))
                CHECK(QDir(root.path()).relativeFilePath(found).compare(wanted, Qt::CaseInsensitive) == 0);
        }
    } else if (TARGET(rcc)) { // a Qt resource file as the data generator reads it
        const RccReader rcc(input);
        const QStringList entries = rcc.entries();
        CHECK(rcc.problem().isEmpty() || entries.isEmpty());
        for (const QString &entry : entries.mid(0, 50)) {
            QByteArray bytes;
            QString why;
            CHECK(rcc.read(entry, &bytes, &why) != bytes.isEmpty() && bytes.size() <= RccReader::MaxEntryBytes);
        }
    } else if (TARGET(command_line)) { // the words after the program's name, NUL between them
        QStringList arguments{QStringLiteral("zubiko")};
        for (const QByteArray &word : input.split('\0'))
            arguments << QString::fromLocal8Bit(word);
        const CommandLine line = readCommandLine(arguments);
        CHECK(line.action != CommandLine::Run || (voiceNames().contains(line.voice) && line.text.isEmpty()));
        CHECK(line.action != CommandLine::Help || line.text.startsWith(QStringLiteral("Usage: zubiko")));
        CHECK(line.action != CommandLine::Error
              || (line.text.startsWith(QStringLiteral("zubiko: ")) && !line.text.contains(QLatin1Char('\n'))));
    } else if (TARGET(speech_text)) { // no run of commas is left; preparing again changes nothing
        const QString ready = Speech::prepared(QString::fromUtf8(input));
        static const QRegularExpression commaRun(QStringLiteral(",\\s*,"), QRegularExpression::UseUnicodePropertiesOption);
        CHECK(!ready.contains(commaRun) && (ready == ready.trimmed() || ready == QStringLiteral(", ")));
        CHECK(Speech::prepared(ready) == ready);
    } else if (TARGET(quit_word)) { // each byte a key; completed when the keys since the last completion end in q u i t
        QuitWord word;
        QString since;
        for (const char byte : input) {
            since += QLatin1Char(QByteArray("QUIT").contains(byte) ? byte : '.'); // Qt::Key_Q is 'Q'
            CHECK((word.take(static_cast<unsigned char>(byte)) == QuitWord::Completed) == since.endsWith(QStringLiteral("QUIT")));
            if (since.endsWith(QStringLiteral("QUIT")))
                since.clear();
        }
    }
    return 0;
}
