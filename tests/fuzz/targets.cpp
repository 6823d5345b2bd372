// The fuzz targets, one a program: built with FUZZ_TARGET set to one of the names below. Each
// reads one kind of outside input and aborts (a crash to libFuzzer) when a check fails.
#include "command_line.h"
#include "platform/audio_decoding.h"
#include "platform/data_checks.h"
#include "platform/data_paths.h"
#include "platform/pictures.h"
#include "platform/speech.h"
#include "rcc_reader.h"
#include "window/language.h"
#include "window/press_rules.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
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
        const bool checked = DataChecks::fileProblem(path).isEmpty()
                             && (DataChecks::wavProblem(path).isEmpty() || input.startsWith("OggS"));
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
        for (const QString &found : {paths.resolveFile(lines[0]), paths.resolveDir(lines[0])})
            if (!found.isEmpty() && !lines[0].startsWith(QLatin1Char('/')) && !lines[0].contains(QStringLiteral("..")))
                CHECK(QDir(root.path()).relativeFilePath(found).compare(wanted, Qt::CaseInsensitive) == 0);
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
    } else if (TARGET(names)) { // a names file: only the catalogue's buttons, each once, with a name that fits
        const NamesFile file = parseNames(input);
        for (const QHash<QString, QString> *found : {&file.names, &file.captions}) {
            CHECK(found->size() <= AnimalCount);
            for (auto it = found->cbegin(); it != found->cend(); ++it) {
                CHECK(!it.value().isEmpty() && it.value().size() <= MaxNameLength && it.value() == it.value().trimmed());
                CHECK(std::any_of(AnimalCatalogue.begin(), AnimalCatalogue.end(),
                                  [&](const AnimalRow &row) { return it.key() == QLatin1String(row.button); }));
            }
        }
        CHECK(file.problems.size() <= input.count('\n') + 1);
    } else if (TARGET(quit_word)) { // each two bytes a key: its letter and its scan code; completed when the keys
        // since the last completion end in the letters q u i t, or in the keys at Q U I T (24 30 31 28)
        QuitWord word;
        QString letters, positions;
        for (qsizetype i = 0; i + 1 < input.size(); i += 2) {
            const char letter = input[i];
            const auto code = static_cast<unsigned char>(input[i + 1]);
            letters += QLatin1Char(QByteArray("QUIT").contains(letter) ? letter : '.'); // Qt::Key_Q is 'Q'
            positions += QLatin1Char(code == 24 ? 'Q' : code == 30 ? 'U' : code == 31 ? 'I' : code == 28 ? 'T' : '.');
            const bool done = letters.endsWith(QStringLiteral("QUIT")) || positions.endsWith(QStringLiteral("QUIT"));
            CHECK((word.take(static_cast<unsigned char>(letter), code) == QuitWord::Completed) == done);
            if (done)
                letters.clear(), positions.clear();
        }
    } else if (TARGET(key_presses)) { // each four bytes an event: kind (press, repeat, release, window left), key,
        // scan code, tenths of a second since the last; only a press does anything, and it leaves exactly when it
        // completes the quit word (which press joins which: tst_press_rules)
        KeyPresses keys;
        QuitWord word;
        quint64 time = 0;
        for (qsizetype i = 0; i + 3 < input.size(); i += 4) {
            const int kind = static_cast<unsigned char>(input[i]) % 4, key = static_cast<unsigned char>(input[i + 1]);
            const auto code = static_cast<unsigned char>(input[i + 2]);
            time += static_cast<unsigned char>(input[i + 3]) * 100u;
            if (kind == 3) {
                keys.forget();
                continue;
            }
            const KeyPresses::Outcome outcome = keys.take(KeyPresses::Kind(kind), key, code, time);
            CHECK(kind == KeyPresses::Press ? (outcome == KeyPresses::Leave) == (word.take(key, code) == QuitWord::Completed)
                                            : outcome == KeyPresses::Nothing);
        }
    }
    return 0;
}
