// RealPlatform as the window uses it: random numbers, what the links open,
// where the data is found; bad pictures and sounds refused with a reason, warned about once by
// name, and the program runs on.

#include "platform/data_checks.h"
#include "platform/data_paths.h"
#include "platform/pictures.h"
#include "platform/random_source.h"
#include "platform/real_platform.h"
#include "platform/shell.h"

#include "captured_messages.h"
#include "testsupport/made_files.h"

#include <QtTest>

#include <sys/stat.h>

class RealPlatformTest : public QObject
{
    Q_OBJECT
    const QByteArray Jpeg = made::picture(200, 150);
    const QByteArray Wav = made::wav(8000, 1, 8000, 8000); // 0.5 s
    const QByteArray Mp3 = QByteArray("\xFF\xFB\x90\x64", 4).append(413, 'U').repeated(20);

private slots:
    void randomDrawsKeepChangingWhileTheClockStandsStill()
    {
        RandomSource stopped([] { return std::uint64_t{42}; });
        QSet<float> seen;
        double sum = 0;
        for (int i = 0; i < 2000; ++i) {
            stopped.randomize();
            const float r = stopped.next(); // in [0, 1), at steps of 2^-24
            QVERIFY2(r >= 0 && r < 1 && r * 16777216.0f == std::floor(r * 16777216.0f), qPrintable(QString::number(r)));
            seen << r;
            sum += static_cast<double>(r);
        }
        // Among 2000 draws of 2^24 values a repeat is rare; a stuck sequence or a lopsided one shows.
        QVERIFY(seen.size() >= 1990);
        QVERIFY2(std::abs(sum / 2000 - 0.5) < 0.03, qPrintable(QString::number(sum / 2000)));
    }

    void refusedWithReason_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const char *what, const QByteArray &bytes, const char *expected) {
            QTest::addRow("%s: %s", name, what) << bytes << QString(expected); // the file's name, and what it is
        };
        row("Owl.jpg", "empty", "", "is empty");
        row("Owl.jpg", "sparse", Jpeg, "is 65 MB, far more than a data file may be");
        row("Owl.jpg", "folder", {}, "is a folder, not a file");
        row("Owl.jpg", "pipe", {}, "is not a regular file (a pipe, socket or device)");
        row("Owl.jpg", "dangling link", {}, ".gone, which does not exist");
        row("Owl.jpg", "random bytes", QByteArray::fromHex("5eb7e91c04").repeated(800), "is not a picture Qt can read");
        row("Owl.jpg", "PNG", made::picture(40, 30, "PNG"), "is a PNG picture under a .jpg name");
        // The frame header (FF C0, length, precision, height, width, components) made to claim 30000x30000.
        row("Owl.jpg", "claiming 30000x30000", made::picture(16, 16).replace(QByteArray::fromHex("ffc00011080010001003"),
                                                                           QByteArray::fromHex("ffc00011087530753003")),
            "cannot be decoded at 30000x30000 pixels (Unable to read image data): QImageIOHandler: Rejecting image as it "
            "exceeds the current allocation limit of 160 megabytes");
        row("owl.wav", "random bytes", QByteArray::fromHex("5eb7e91c04").repeated(800), "is not a WAV file");
        row("owl.wav", "text", "A note left here.\n", "is text, not a WAV file");
        row("owl.wav", "cut short", Wav.left(Wav.size() / 2), "is cut short: it declares 8000 bytes of sound and holds 3978");
        row("owl.wav", "cut in its header", Wav.left(20), "is cut short: its \"fmt \" chunk runs past the end");
        row("owl.wav", "MP3", QByteArray("ID3\x04\0\0\0\0\0\x0A", 10) + Mp3, "is MP3 audio, not a WAV file");
        row("owl.wav", "huge data", made::wav(8000, 1, 0xFFFFFFF0u, 40), "declares 4294967280 bytes of sound and holds 40");
        row("owl.wav", "31 s long", made::wav(8000, 1, 496000, 496000), "would play for 31.0 s, longer than a sound may (30 s)");
        row("owl.wav", "rate 0", made::wav(0, 1, 40, 40), "has a sample rate of 0 Hz (1 kHz to 384 kHz are played)");
        row("owl.wav", "300 channels", made::wav(8000, 300, 40, 40), "has 300 channels");
        row("owl.wav", "data first", Wav.left(12) + Wav.mid(36) + Wav.mid(12, 24), "has its sound before its format chunk");
    }
    void refusedWithReason()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        const QString name = QString(QTest::currentDataTag()).section(": ", 0, 0);
        const QString how = QString(QTest::currentDataTag()).section(": ", 1);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        if (how == "folder" || how == "pipe") // or else a file of those bytes, or a link
            QVERIFY(how == "folder" ? QDir().mkpath(path) : ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0);
        else if (how.endsWith(" link"))
            QVERIFY(QFile::link(path + ".gone", path));
        else
            QVERIFY(made::write(path, bytes) && (how != "sparse" || QFile::resize(path, 65 * 1024 * 1024)));
        QString why;
        QString note;
        if (name.endsWith(".jpg")) {
            const bool shown = !Pictures::read(path, &why, &note).isNull();
            QCOMPARE(shown, why.isEmpty()); // and then only with a note
        } else {
            why = DataChecks::fileProblem(path);
            why = why.isEmpty() ? DataChecks::wavProblem(path) : why;
        }
        QVERIFY2((why + note).contains(expected), qPrintable(why + note));
    }

    // Through the platform, asked for three times: one warning; then mended, the file is used.
    void warnedOnceAndTriedAgain_data()
    {
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("bytes"); // none: the file is missing
        QTest::addColumn<QString>("warning");
        const QStringList both{"Animals", "sounds"};
        QTest::newRow("damaged picture") << both << "Animals/owl.JPG" << Jpeg.left(Jpeg.size() / 2) << "picture "
            "<data>/Animals/owl.JPG is damaged (Corrupt JPEG data: premature end of data segment); no picture shown";
        QTest::newRow("missing picture") << both << "Animals/Owl.jpg" << QByteArray()
                                         << "picture animals\\Owl.jpg not found (looked in <roots>)";
        QTest::newRow("MP3 sound") << both << "sounds/Owl.wav" << Mp3
            << "sound <data>/sounds/Owl.wav is MP3 audio, not a WAV file; the default sound plays in its place";
        QTest::newRow("missing sound") << both << "sounds/owl.wav" << QByteArray()
            << "sound sounds\\owl.wav not found (looked in <roots>); the default sound plays in its place";
        QTest::newRow("no sounds folder") << QStringList{"ANIMALS"} << "Sounds/owl.wav" << QByteArray()
                                          << "no \"sounds\" folder found (looked in <roots>); running without them";
        QTest::newRow("neither folder") << QStringList{} << "sounds/owl.wav" << QByteArray()
            << "no \"animals\" and no \"sounds\" folder found (looked in <roots>); running without them";
    }
    void warnedOnceAndTriedAgain()
    {
        QFETCH(QStringList, folders);
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, warning);
        const CapturedMessages messages;
        QLoggingCategory::setFilterRules("zubiko.platform.debug=true");
        QTemporaryDir data;
        QTemporaryDir more;
        const QString path = data.filePath(file);
        QVERIFY(QDir(data.path()).mkpath(folders.value(0, ".")) && QDir(data.path()).mkpath(folders.value(1, ".")));
        QVERIFY(bytes.isNull() || made::write(path, bytes));
        RealPlatform platform({QDir::current().relativeFilePath(data.path()), more.path()}); // warned about as absolute
        platform.checkDataFolders();
        platform.waitForPreload();
        const bool picture = file.endsWith(".jpg", Qt::CaseInsensitive);
        const QString asked = picture ? "animals\\Owl.jpg" : "sounds\\owl.wav";
        if (picture)
            platform.readPictureAhead(asked); // as the window's first picture is: its refusal warns as any other
        for (int i = 0; i < 4; ++i) {
            QVERIFY(i < 3 || (QDir().mkpath(QFileInfo(path).path()) && made::write(path, picture ? Jpeg : Wav)));
            if (picture)
                QCOMPARE(platform.loadPicture(asked).isNull(), i < 3);
            else
                platform.playSound(asked);
        }
        warning.replace("<roots>", data.path() + ", " + more.path()).replace("<data>", data.path());
        QCOMPARE(messages.warnings(), QStringList{"Zubiko: " + warning});
        const QStringList calls = messages.trace().filter('"' + asked + '"');
        const QString refused = picture ? "loadPicture \"animals\\Owl.jpg\" -> no picture ("
                                        : "playSound \"sounds\\owl.wav\" -> default sound (";
        QCOMPARE(calls.size(), 4);
        for (int i = 0; i < 3; ++i)
            QVERIFY2(calls.at(i).startsWith(refused), qPrintable(calls.at(i)));
        QCOMPARE(calls.last().section(" -> ", 1), QFileInfo(path).absoluteFilePath());
    }

    // What the window's links open: web hosts in the browser, programs by name, the desktop's mixer.
    void execute_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QStringList>("installed"); // in /usr/bin
        QTest::addColumn<QString>("done");          // opened or started; "nothing (...)" when neither
        const QStringList notepad{"notepad"};
        QTest::newRow("host") << "zubiko.example.org" << notepad << "https://zubiko.example.org";
        QTest::newRow("address") << "http://example.org" << notepad << "http://example.org";
        QTest::newRow("program.exe") << "Notepad.exe" << notepad << "/usr/bin/notepad";
        QTest::newRow("unknown program") << "wordpad.exe" << notepad << "nothing (no such program)";
        QTest::newRow("blank inside") << "zubiko example.org" << notepad << "nothing (no such program)";
        QTest::newRow("blank") << " " << notepad << "nothing (no target)";
        QTest::newRow("no mixer") << "sndvol.exe" << notepad << "nothing (no volume control installed)";
        // The volume links open the first installed of the desktops' mixers, with its arguments.
        QTest::newRow("KDE's and Xfce's") << "SndVol32.exe" << QStringList{"xfce4-mixer", "systemsettings"}
                                          << "/usr/bin/systemsettings kcm_pulseaudio";
    }
    void execute()
    {
        QFETCH(QString, target);
        QFETCH(QStringList, installed);
        QFETCH(QString, done);
        QStringList log; // what was opened or started
        Shell shell(Shell::Hooks{
            [&](const QString &name) { return installed.contains(name) ? "/usr/bin/" + name : QString(); },
            [&](const QString &program, const QStringList &args) { log << (QStringList{program} + args).join(' '); return true; },
            [&](const QUrl &url) { log << url.toString(); return true; }});
        QCOMPARE(shell.execute(target), done);
        QCOMPARE(log, done.startsWith("nothing") ? QStringList() : QStringList{done});
    }

    // The program's backslash data paths found, from relative roots, where letter case matters.
    void resolveFile_data()
    {
        QTest::addColumn<QStringList>("onDisk"); // under the roots 1 and 2; a folder when it ends in '/'
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("found");
        QTest::newRow("forward slashes") << QStringList{"1/Animals/duck.JPG"} << "ANIMALS/DUCK.jpg" << "1/Animals/duck.JPG";
        QTest::newRow("exact spelling") << QStringList{"1/sounds/HIPPO.wav", "1/sounds/Hippo.wav", "1/sounds/hippo.wav"}
                                        << "sounds\\Hippo.wav" << "1/sounds/Hippo.wav";
        QTest::newRow("both spellings of a folder") << QStringList{"1/Sounds/", "1/sounds/cow.wav"} << "SOUNDS\\COW.WAV"
                                                    << "1/sounds/cow.wav";
        QTest::newRow("folder named as the file") << QStringList{"1/sounds/duck.wav/"} << "sounds\\duck.wav" << "";
        QTest::newRow("file named as the folder") << QStringList{"1/animals"} << "animals\\duck.jpg" << "";
        QTest::newRow("first root first") << QStringList{"1/animals/duck.jpg", "2/animals/duck.jpg"} << "animals\\duck.jpg"
                                          << "1/animals/duck.jpg";
        QTest::newRow("then the second") << QStringList{"1/animals/", "2/Animals/owl.jpg"} << "animals\\owl.jpg"
                                         << "2/Animals/owl.jpg";
    }
    void resolveFile()
    {
        QFETCH(QStringList, onDisk);
        QFETCH(QString, asked);
        QFETCH(QString, found);
        QTemporaryDir dir;
        for (const QString &path : onDisk) {
            QFile file(dir.filePath(path));
            QVERIFY(QDir().mkpath(path.endsWith('/') ? file.fileName() : QFileInfo(file).path()));
            QVERIFY(path.endsWith('/') || (file.open(QIODevice::WriteOnly) && file.write("x") == 1));
        }
        const DataPaths paths({"1", "2"}); // relative: resolved against the working directory of the moment
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        const QString resolved = paths.resolveFile(asked);
        QVERIFY(QDir::setCurrent(before));
        QCOMPARE(resolved, found.isEmpty() ? "" : QFileInfo(dir.path()).canonicalFilePath() + '/' + found);
    }

    // The folders looked in, in the order they are looked in.
    void programDataRootsOrder()
    {
        const QString data = QStringLiteral("../share/zubiko");
        // Installed into another prefix than the configured one, or moved: the working directory,
        // then the data beside the binary, then the configured prefix's.
        QCOMPARE(programDataRoots("/opt/zubiko/bin", data, "/usr/local/share/zubiko"),
                 (QStringList{".", "/opt/zubiko/share/zubiko", "/usr/local/share/zubiko"}));
        // Where it was configured to be: that folder once, however it is written.
        QCOMPARE(programDataRoots("/usr/local/bin", data, "/usr/local/share/zubiko"),
                 (QStringList{".", "/usr/local/share/zubiko"}));
        QCOMPARE(programDataRoots("/usr/bin/", data, "/usr/share//zubiko/"), (QStringList{".", "/usr/share/zubiko"}));
    }
};

QTEST_MAIN(RealPlatformTest)
#include "tst_real_platform.moc"
