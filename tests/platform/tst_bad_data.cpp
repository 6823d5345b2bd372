// Bad pictures and sounds: refused with a reason, warned about once by name, and the program runs on.

#include "platform/data_checks.h"
#include "platform/pictures.h"
#include "platform/real_platform.h"

#include "captured_messages.h"
#include "made_files.h"

#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

class BadDataTest : public QObject
{
    Q_OBJECT
    const QByteArray Jpeg = made::picture(200, 150);
    const QByteArray Wav = made::wav(8000, 1, 8000, 8000); // 0.5 s
    const QByteArray Mp3 = QByteArray("\xFF\xFB\x90\x64", 4).append(413, 'U').repeated(20);

private slots:
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
        row("Owl.jpg", "unreadable", Jpeg, "cannot be read (no permission)");
        row("Owl.jpg", "random bytes", QByteArray::fromHex("5eb7e91c04").repeated(800), "is not a picture Qt can read");
        row("Owl.jpg", "cut short", Jpeg.left(Jpeg.size() / 2), "is damaged (Corrupt JPEG data: premature end of data segment)");
        row("Owl.jpg", "cut in its header", Jpeg.left(300), "cannot be decoded (Unable to read image data)");
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
        row("owl.wav", "Ogg", QByteArray("OggS\0\x02", 6) + Mp3, "is Ogg audio, not a WAV file");
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
        if (how == "unreadable" && ::geteuid() == 0)
            QSKIP("root reads any file; the pipe and link rows stand in for an unreadable one");
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        if (how == "folder" || how == "pipe") // or else a file of those bytes, or a link
            QVERIFY(how == "folder" ? QDir().mkpath(path) : ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0);
        else if (how.endsWith(" link"))
            QVERIFY(QFile::link(path + ".gone", path));
        else
            QVERIFY(made::write(path, bytes) && (how != "sparse" || QFile::resize(path, 65 * 1024 * 1024))
                    && (how != "unreadable" || QFile::setPermissions(path, {})));
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
        QTest::newRow("no animals folder") << QStringList{"sounds"} << "animals/Owl.jpg" << QByteArray()
                                           << "no \"animals\" folder found (looked in <roots>); running without them";
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
        CapturedMessages messages;
        messages.clear();
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
};

QTEST_MAIN(BadDataTest)
#include "tst_bad_data.moc"
