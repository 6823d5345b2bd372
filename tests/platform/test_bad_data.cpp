#include "platform/data_checks.h"
#include "platform/real_platform.h"

#include "captured_messages.h"
#include "picture_files.h"
#include "wav_files.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLoggingCategory>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

#include <sys/stat.h>
#include <unistd.h>

// Bad data files under the names the program asks for: each gives one warning naming the file,
// however often it is asked for, and the program runs on (the default sound, no picture).
class TestBadData : public QObject
{
    Q_OBJECT

public:
    enum Kind {
        Missing,
        Empty,
        Truncated,
        TruncatedHeader,
        RandomBytes,
        PlainText,
        PngNamedJpg,
        Bomb,
        Mp3,
        Mp3WithoutTag,
        Ogg,
        HugeDeclaredData,
        TooLong,
        RateZero,
        RateAbsurd,
        ChannelsZero,
        ChannelsAbsurd,
        NoFormatChunk,
        DataBeforeFormat,
        BigSparseFile,
        Folder,
        Fifo,
        DanglingLink,
        LinkLoop,
        NoPermission,
    };
    Q_ENUM(Kind)

private:
    // Warnings caught while a case runs (the background decoding warns from its own thread).
    // Installed once the test has started: Qt Test puts in its own handler before that.
    std::optional<CapturedMessages> messages;
    QStringList warningsSoFar() const { return messages->warnings(); }
    QStringList traceSoFar() const { return messages->trace(); }

    static QByteArray png()
    {
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return bytes;
    }

    // A 16-bit PCM WAV header with the given fields, followed by `dataBytes` of zeros (not
    // necessarily as many as `declaredData` says).
    static QByteArray wavBytes(std::uint32_t rate, std::uint16_t channels, std::uint32_t declaredData, int dataBytes)
    {
        QByteArray out("RIFF");
        wav::put32(out, 36 + declaredData);
        out.append("WAVEfmt ");
        wav::put32(out, 16);
        wav::put16(out, 1);
        wav::put16(out, channels);
        wav::put32(out, rate);
        wav::put32(out, rate * channels * 2u);
        wav::put16(out, static_cast<std::uint16_t>(channels * 2));
        wav::put16(out, 16);
        out.append("data");
        wav::put32(out, declaredData);
        out.append(QByteArray(dataBytes, '\0'));
        return out;
    }

    static QByteArray goodWav(double seconds)
    {
        const int frames = static_cast<int>(seconds * 8000);
        QByteArray out = wavBytes(8000, 1, static_cast<std::uint32_t>(frames * 2), 0);
        for (int i = 0; i < frames; ++i)
            wav::put16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(6000 * ((i / 20) % 2 ? 1 : -1))));
        return out;
    }

    static bool write(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

    // Puts a bad file of `kind` at `path` (a picture when `isPicture`, else a sound). Returns false
    // when this machine cannot make it; `skip` then says why.
    static bool make(Kind kind, const QString &path, bool isPicture, QString *skip)
    {
        QByteArray random(4000, '\0');
        for (char &c : random)
            c = static_cast<char>(QRandomGenerator::global()->bounded(256));
        const QByteArray good = isPicture ? picture::jpeg(200, 150) : goodWav(0.5);
        switch (kind) {
        case Missing:
            return true;
        case Empty:
            return write(path, {});
        case Truncated:
            return write(path, good.left(good.size() / 2));
        case TruncatedHeader:
            return write(path, good.left(isPicture ? 300 : 20));
        case RandomBytes:
            return write(path, random);
        case PlainText:
            return write(path, "This is not what it says it is.\nJust a note left in the folder.\n");
        case PngNamedJpg:
            return write(path, png());
        case Bomb:
            return write(path, picture::jpegClaiming(30000, 30000));
        case Mp3: {
            QByteArray mp3("ID3\x04\x00\x00\x00\x00\x00\x0A", 10);
            mp3.append(QByteArray(10, '\0'));
            for (int i = 0; i < 20; ++i)
                mp3.append(QByteArray("\xFF\xFB\x90\x64", 4)).append(QByteArray(413, '\x55'));
            return write(path, mp3);
        }
        case Mp3WithoutTag: {
            QByteArray mp3;
            for (int i = 0; i < 20; ++i)
                mp3.append(QByteArray("\xFF\xFB\x90\x64", 4)).append(QByteArray(413, '\x55'));
            return write(path, mp3);
        }
        case Ogg: {
            QByteArray ogg("OggS\x00\x02", 6);
            ogg.append(QByteArray(22, '\0')).append("\x01\x1E\x01vorbis").append(random.left(400));
            return write(path, ogg);
        }
        case HugeDeclaredData:
            return write(path, wavBytes(44100, 2, 0xFFFFFFF0u, 4000));
        case TooLong:
            return write(path, goodWav(DataChecks::kMaxSoundSeconds + 1));
        case RateZero:
            return write(path, wavBytes(0, 1, 4000, 4000));
        case RateAbsurd:
            return write(path, wavBytes(4000000000u, 1, 4000, 4000));
        case ChannelsZero:
            return write(path, wavBytes(44100, 0, 4000, 4000));
        case ChannelsAbsurd:
            return write(path, wavBytes(44100, 300, 4000, 4000));
        case NoFormatChunk: {
            QByteArray out("RIFF");
            wav::put32(out, 4 + 8 + 4000);
            out.append("WAVEdata");
            wav::put32(out, 4000);
            out.append(QByteArray(4000, '\0'));
            return write(path, out);
        }
        case DataBeforeFormat: {
            const QByteArray normal = wavBytes(8000, 1, 4000, 4000);
            // RIFF header, then the data chunk, then the format chunk.
            return write(path, normal.left(12) + normal.mid(36) + normal.mid(12, 24));
        }
        case BigSparseFile: {
            QFile file(path);
            return file.open(QIODevice::WriteOnly) && file.write(good.left(64)) == 64
                   && file.resize(DataChecks::kMaxFileBytes + 1024 * 1024);
        }
        case Folder:
            return QDir().mkpath(path);
        case Fifo:
            if (::mkfifo(QFile::encodeName(path).constData(), 0644) != 0) {
                *skip = QStringLiteral("cannot make a pipe here");
                return false;
            }
            return true;
        case DanglingLink:
            return QFile::link(path + QStringLiteral(".gone"), path);
        case LinkLoop:
            return QFile::link(path, path);
        case NoPermission:
            if (::geteuid() == 0) {
                *skip = QStringLiteral("running as root, who may read any file: the pipe, dangling link and link "
                                       "loop rows stand in for an unreadable file");
                return false;
            }
            return write(path, good) && QFile::setPermissions(path, QFileDevice::Permissions());
        }
        return false;
    }

    static void addRow(const char *name, Kind kind, const QString &expected)
    {
        QTest::newRow(name) << kind << expected;
    }

    // How many times each case asks for its file.
    static constexpr int kAsks = 3;

private slots:
    void initTestCase()
    {
        messages.emplace();
        QLoggingCategory::setFilterRules(QStringLiteral("zubiko.platform.debug=true"));
    }

    void cleanupTestCase() { messages.reset(); }

    void init()
    {
        // The cases that listen to the device set their own; the others have a silent one.
        qputenv("SDL_AUDIODRIVER", "dummy");
        qunsetenv("SDL_DISKAUDIOFILE");
        messages->clear();
    }

    void badPictures_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("expected"); // in the warning
        addRow("missing", Missing, QStringLiteral("not found \\(looked in "));
        addRow("empty", Empty, QStringLiteral("is empty"));
        addRow("truncated", Truncated, QStringLiteral("is damaged|cannot be decoded"));
        addRow("truncated in its header", TruncatedHeader, QStringLiteral("cannot be decoded|not a picture"));
        addRow("random bytes", RandomBytes, QStringLiteral("not a picture"));
        addRow("plain text", PlainText, QStringLiteral("not a picture"));
        addRow("PNG named .jpg", PngNamedJpg, QStringLiteral("is a PNG picture under a \\.jpg name; shown"));
        addRow("30000 x 30000 header", Bomb, QStringLiteral("30000x30000 pixels"));
        addRow("sparse file of 65 MB", BigSparseFile, QStringLiteral("MB, far more"));
        addRow("folder", Folder, QStringLiteral("not found"));
        addRow("pipe", Fifo, QStringLiteral("not a regular file"));
        addRow("dangling link", DanglingLink, QStringLiteral("not found"));
        addRow("link loop", LinkLoop, QStringLiteral("not found"));
        addRow("no permission", NoPermission, QStringLiteral("cannot be read|not a picture"));
    }

    void badPictures()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("animals")));
        const QString file = dir.filePath(QStringLiteral("animals/Owl.jpg"));
        QString skip;
        if (!make(kind, file, true, &skip)) {
            if (!skip.isEmpty())
                QSKIP(qPrintable(skip));
            QFAIL("cannot make the file");
        }
        RealPlatform platform(QStringList{dir.path()});
        for (int i = 0; i < kAsks; ++i) {
            const QPixmap picture = platform.loadPicture(QStringLiteral("animals\\Owl.jpg"));
            // A picture that reads well under the wrong name is shown; every other one is not.
            QCOMPARE(picture.isNull(), kind != PngNamedJpg);
        }
        const QStringList caught = warningsSoFar();
        QVERIFY2(caught.size() == 1, qPrintable(caught.join(QLatin1Char('\n'))));
        qDebug().noquote() << caught.first();
        QVERIFY2(caught.first().contains(QLatin1String("Owl.jpg")), qPrintable(caught.first()));
        QVERIFY2(QRegularExpression(expected).match(caught.first()).hasMatch(), qPrintable(caught.first()));
    }

    void badSounds_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("expected");
        addRow("missing", Missing, QStringLiteral("not found \\(looked in "));
        addRow("empty", Empty, QStringLiteral("is empty"));
        addRow("truncated", Truncated, QStringLiteral("cut short: it declares 8000 bytes of sound and holds 3978"));
        addRow("truncated in its header", TruncatedHeader, QStringLiteral("cut short|no format chunk"));
        addRow("random bytes", RandomBytes, QStringLiteral("not a WAV file"));
        addRow("plain text", PlainText, QStringLiteral("is text, not a WAV file"));
        addRow("MP3 with a tag", Mp3, QStringLiteral("is MP3 audio"));
        addRow("MP3 without a tag", Mp3WithoutTag, QStringLiteral("is MP3 audio"));
        addRow("Ogg", Ogg, QStringLiteral("is Ogg audio"));
        addRow("huge declared data size", HugeDeclaredData, QStringLiteral("declares 4294967280 bytes"));
        addRow("31 s long", TooLong, QStringLiteral("would play for 31.0 s"));
        addRow("sample rate 0", RateZero, QStringLiteral("sample rate of 0 Hz"));
        addRow("sample rate 4 GHz", RateAbsurd, QStringLiteral("sample rate of 4000000000 Hz"));
        addRow("no channels", ChannelsZero, QStringLiteral("has 0 channels"));
        addRow("300 channels", ChannelsAbsurd, QStringLiteral("has 300 channels"));
        addRow("no format chunk", NoFormatChunk, QStringLiteral("sound before its format chunk|no format chunk"));
        addRow("data before format", DataBeforeFormat, QStringLiteral("sound before its format chunk"));
        addRow("sparse file of 65 MB", BigSparseFile, QStringLiteral("MB, far more"));
        addRow("folder", Folder, QStringLiteral("not found"));
        addRow("pipe", Fifo, QStringLiteral("not a regular file"));
        addRow("dangling link", DanglingLink, QStringLiteral("not found"));
        addRow("link loop", LinkLoop, QStringLiteral("not found"));
        addRow("no permission", NoPermission, QStringLiteral("cannot be read"));
    }

    void badSounds()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("sounds")));
        const QString file = dir.filePath(QStringLiteral("sounds/owl.wav"));
        QString skip;
        if (!make(kind, file, false, &skip)) {
            if (!skip.isEmpty())
                QSKIP(qPrintable(skip));
            QFAIL("cannot make the file");
        }
        const QString output = dir.filePath(QStringLiteral("device.raw"));
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(output));
        {
            RealPlatform platform(QStringList{dir.path()});
            platform.waitForPreload();
            for (int i = 0; i < kAsks; ++i)
                platform.playSound(QStringLiteral("sounds\\owl.wav"));
            // The default sound plays: something short and soft reaches the device.
            QVERIFY(QTest::qWaitFor(
                [&output] {
                    int audible = 0;
                    for (float s : wav::readFloats(output))
                        audible += std::abs(s) > 1e-3f;
                    return audible > 2000;
                },
                5000));
        }
        float peak = 0;
        for (float s : wav::readFloats(output))
            peak = std::max(peak, std::abs(s));
        QVERIFY2(peak < 0.5f, qPrintable(QString::number(static_cast<double>(peak))));
        const QStringList played = traceSoFar().filter(QStringLiteral("playSound"));
        QCOMPARE(played.size(), kAsks);
        for (const QString &line : played)
            QVERIFY2(line.contains(QLatin1String("-> default sound (")), qPrintable(line));

        const QStringList caught = warningsSoFar();
        QVERIFY2(caught.size() == 1, qPrintable(caught.join(QLatin1Char('\n'))));
        qDebug().noquote() << caught.first();
        QVERIFY2(caught.first().contains(QLatin1String("owl.wav")), qPrintable(caught.first()));
        QVERIFY2(QRegularExpression(expected).match(caught.first()).hasMatch(), qPrintable(caught.first()));
    }

    // The sounds folder decoded in the background at start-up: every bad file is warned about
    // there, once, and playing it later adds nothing; the good one plays.
    void preloadWarnsOncePerBadFile()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("sounds")));
        const QList<Kind> kinds{Empty,      Truncated,        RandomBytes, PlainText, Mp3,          Ogg,
                                HugeDeclaredData, TooLong, RateAbsurd,  ChannelsAbsurd, BigSparseFile};
        QStringList names;
        for (const Kind kind : kinds) {
            const QString name = QStringLiteral("bad%1.wav").arg(static_cast<int>(kind));
            QString skip;
            QVERIFY(make(kind, dir.filePath(QStringLiteral("sounds/") + name), false, &skip));
            names << name;
        }
        QVERIFY(write(dir.filePath(QStringLiteral("sounds/good.wav")), goodWav(0.2)));
        RealPlatform platform(QStringList{dir.path()});
        platform.waitForPreload();
        const QStringList atStart = warningsSoFar();
        QCOMPARE(atStart.size(), names.size());
        for (const QString &name : names)
            QVERIFY2(atStart.filter(QLatin1Char('/') + name + QLatin1Char(' ')).size() == 1, qPrintable(name));
        for (int i = 0; i < kAsks; ++i) {
            for (const QString &name : names)
                platform.playSound(QStringLiteral("sounds\\") + name);
            platform.playSound(QStringLiteral("sounds\\good.wav"));
        }
        QCOMPARE(warningsSoFar().size(), names.size());
        const QString goodFile = QFileInfo(dir.filePath(QStringLiteral("sounds/good.wav"))).absoluteFilePath();
        QCOMPARE(traceSoFar().filter(QStringLiteral("-> ") + goodFile).size(), kAsks);
    }

    // A file fixed after it was refused (a copy that finished) is tried again and plays.
    void aRefusedFileThatChangesIsTriedAgain()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("sounds")));
        const QString file = dir.filePath(QStringLiteral("sounds/owl.wav"));
        const QByteArray good = goodWav(0.3);
        QVERIFY(write(file, good.left(good.size() / 3)));
        RealPlatform platform(QStringList{dir.path()});
        platform.waitForPreload();
        platform.playSound(QStringLiteral("sounds\\owl.wav"));
        QCOMPARE(warningsSoFar().size(), 1);
        QVERIFY(write(file, good));
        platform.playSound(QStringLiteral("sounds\\owl.wav"));
        const QStringList played = traceSoFar().filter(QStringLiteral("playSound"));
        QCOMPARE(played.size(), 2);
        QVERIFY2(played.at(0).contains(QLatin1String("-> default sound (")), qPrintable(played.at(0)));
        QVERIFY2(played.at(1).endsWith(QFileInfo(file).absoluteFilePath()), qPrintable(played.at(1)));
        QCOMPARE(warningsSoFar().size(), 1);
    }

    void missingDataFolders_data()
    {
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<QStringList>("missing");
        QTest::newRow("both there") << QStringList{QStringLiteral("Animals"), QStringLiteral("sounds")} << QStringList{};
        QTest::newRow("no animals") << QStringList{QStringLiteral("sounds")} << QStringList{QStringLiteral("animals")};
        QTest::newRow("no sounds") << QStringList{QStringLiteral("animals")} << QStringList{QStringLiteral("sounds")};
        QTest::newRow("neither") << QStringList{} << QStringList{QStringLiteral("animals"), QStringLiteral("sounds")};
    }

    void missingDataFolders()
    {
        QFETCH(QStringList, present);
        QFETCH(QStringList, missing);
        QTemporaryDir first;
        QTemporaryDir second;
        for (const QString &folder : present)
            QVERIFY(QDir(second.path()).mkpath(folder));
        // One root relative to the working directory: the warning still gives it absolute.
        const QString relativeFirst = QDir::current().relativeFilePath(first.path());
        RealPlatform platform(QStringList{relativeFirst});
        platform.appendDataRoot(second.path());
        QCOMPARE(platform.checkDataFolders(), missing);
        const QStringList caught = warningsSoFar();
        if (missing.isEmpty()) {
            QVERIFY2(caught.isEmpty(), qPrintable(caught.join(QLatin1Char('\n'))));
            return;
        }
        QVERIFY2(caught.size() == 1, qPrintable(caught.join(QLatin1Char('\n'))));
        const QString &warning = caught.first();
        for (const QString &folder : missing)
            QVERIFY2(warning.contains(QLatin1Char('"') + folder + QLatin1Char('"')), qPrintable(warning));
        QVERIFY2(warning.contains(QFileInfo(first.path()).absoluteFilePath()), qPrintable(warning));
        QVERIFY2(warning.contains(QFileInfo(second.path()).absoluteFilePath()), qPrintable(warning));
        // Files asked for in a missing folder add nothing to that one warning.
        for (int i = 0; i < kAsks; ++i) {
            if (missing.contains(QLatin1String("animals")))
                QVERIFY(platform.loadPicture(QStringLiteral("animals\\Duck.jpg")).isNull());
            if (missing.contains(QLatin1String("sounds")))
                platform.playSound(QStringLiteral("sounds\\duck.wav"));
        }
        QCOMPARE(warningsSoFar().size(), 1);
    }
};

QTEST_MAIN(TestBadData)
#include "test_bad_data.moc"
