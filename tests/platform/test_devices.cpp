#include "platform/audio.h"
#include "platform/real_platform.h"
#include "platform/speech.h"

#include "captured_messages.h"
#include "wav_files.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>


// Missing and vanishing devices: no sound card, an audio output that goes away while a sound
// plays and comes back, speech without its data. The program runs on, says so once, and uses the
// device again when it is back.
class TestDevices : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

    // Installed once the test has started: Qt Test puts in its own handler before that.
    std::optional<CapturedMessages> messages;
    QStringList caught() const { return messages->warnings(); }

    static int audible(const QString &output, float above = 0.01f)
    {
        int n = 0;
        for (float s : wav::readFloats(output))
            n += std::abs(s) > above;
        return n;
    }

    // A data folder with one sound and one picture.
    QString makeData()
    {
        const QString root = dir.filePath(QStringLiteral("data"));
        if (!QDir(root).mkpath(QStringLiteral("sounds")) || !QDir(root).mkpath(QStringLiteral("animals")))
            return {};
        if (!wav::writeConstant(root + QStringLiteral("/sounds/duck.wav"), 48000, 2, 48000, 8000))
            return {};
        QImage duck(30, 20, QImage::Format_RGB32);
        duck.fill(Qt::yellow);
        if (!duck.save(root + QStringLiteral("/animals/duck.jpg"), "JPEG"))
            return {};
        return root;
    }

    void useEverything(RealPlatform &platform)
    {
        platform.playSound(QStringLiteral("sounds\\duck.wav"));
        platform.speak(QStringLiteral("Duck"));
        QCOMPARE(platform.loadPicture(QStringLiteral("animals\\duck.jpg")).size(), QSize(30, 20));
        platform.playSound(QString());
    }

private slots:
    void initTestCase()
    {
        messages.emplace();
        QVERIFY(dir.isValid());
    }

    void cleanupTestCase() { messages.reset(); }

    void init() { messages->clear(); }

    // First, before anything in this process has started espeak-ng: it starts once per process.
    void speechWithoutItsDataWarnsOnceAndTheRestRunsOn()
    {
        QTemporaryDir empty;
        const QString data = makeData();
        QVERIFY(!data.isEmpty());
        const QString output = dir.filePath(QStringLiteral("nospeech.raw"));
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(output));
        {
            RealPlatform platform(QStringList{data}, empty.path());
            for (int i = 0; i < 3; ++i)
                useEverything(platform);
            platform.playSound(QStringLiteral("sounds\\duck.wav"));
            // The sound still plays.
            QVERIFY(QTest::qWaitFor([&output] { return audible(output) > 4000; }, 5000));
        }
        const QStringList got = caught();
        QVERIFY2(got.size() == 1, qPrintable(got.join(QLatin1Char('\n'))));
        QVERIFY2(got.first().contains(QLatin1String("speech is off")), qPrintable(got.first()));
    }

    void noAudioDevice_data()
    {
        QTest::addColumn<QByteArray>("driver");
        QTest::addColumn<int>("expectedWarnings");
        QTest::newRow("driver that does not exist") << QByteArray("no-such-driver") << 1;
        QTest::newRow("dummy driver") << QByteArray("dummy") << 0;
        // Real drivers with nothing behind them here; a machine with sound opens them and skips.
        QTest::newRow("ALSA without a card") << QByteArray("alsa") << 1;
        QTest::newRow("PulseAudio without a server") << QByteArray("pulseaudio") << 1;
    }

    void noAudioDevice()
    {
        QFETCH(QByteArray, driver);
        QFETCH(int, expectedWarnings);
        const QString data = makeData();
        QVERIFY(!data.isEmpty());
        qputenv("SDL_AUDIODRIVER", driver);
        qunsetenv("SDL_DISKAUDIOFILE");
        RealPlatform platform(QStringList{data});
        if (expectedWarnings > 0 && caught().isEmpty())
            QSKIP("this machine has a device behind that driver");
        for (int i = 0; i < 5; ++i)
            useEverything(platform);
        const QStringList got = caught();
        QVERIFY2(got.size() == expectedWarnings, qPrintable(got.join(QLatin1Char('\n'))));
        if (expectedWarnings > 0)
            QVERIFY2(got.first().contains(QLatin1String("running without sound")), qPrintable(got.first()));
    }

    // No device at start-up; when one appears, a text queued for speech finds it (Audio's retry
    // interval, 3 s, has to pass first).
    void speechPicksUpADeviceThatComesBack()
    {
        const QString data = makeData();
        QVERIFY(!data.isEmpty());
        const QString output = dir.filePath(QStringLiteral("back.raw"));
        qputenv("SDL_AUDIODRIVER", "no-such-driver");
        RealPlatform platform(QStringList{data});
        QCOMPARE(caught().size(), 1);
        platform.speak(QStringLiteral("Duck")); // dropped: there is no device
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(output));
        QTest::qWait(Audio::kRetryMilliseconds + 100);
        platform.speak(QStringLiteral("Elephant"));
        QVERIFY(QTest::qWaitFor([&output] { return audible(output) > 2000; }, 5000));
        QCOMPARE(caught().size(), 1);
    }

    // SDL's disk driver writing to /dev/full: every write fails, which SDL treats as a device
    // that has gone away (as when a USB speaker is pulled or the sound server stops). The device
    // is reopened at once; while it keeps failing, nothing more is said; pointed at a file
    // again, the sound is heard.
    void aDeviceThatGoesAwayWhilePlayingIsWarnedOnceAndReopened()
    {
        if (!QFileInfo::exists(QStringLiteral("/dev/full")))
            QSKIP("no /dev/full here");
        const QString data = makeData();
        QVERIFY(!data.isEmpty());
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", "/dev/full");
        RealPlatform platform(QStringList{data});
        QVERIFY(caught().isEmpty());
        platform.playSound(QStringLiteral("sounds\\duck.wav"));
        // Each sound asked for looks at the device; the first look after a failed write finds it gone.
        QVERIFY(QTest::qWaitFor(
            [this, &platform] {
                platform.playSound(QStringLiteral("sounds\\duck.wav"));
                return !caught().isEmpty();
            },
            5000));
        // Gone again and again (it is reopened on /dev/full each time): still one warning.
        for (int i = 0; i < 10; ++i) {
            QTest::qWait(30);
            platform.playSound(QStringLiteral("sounds\\duck.wav"));
            platform.speak(QStringLiteral("Duck"));
        }
        QStringList got = caught();
        QVERIFY2(got.size() == 1, qPrintable(got.join(QLatin1Char('\n'))));
        QVERIFY2(got.first().contains(QLatin1String("audio device went away")), qPrintable(got.first()));

        const QString output = dir.filePath(QStringLiteral("again.raw"));
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(output));
        QVERIFY(QTest::qWaitFor(
            [&platform, &output] {
                platform.playSound(QStringLiteral("sounds\\duck.wav"));
                return wav::count(wav::readFloats(output), wav::asFloat(8000), 1e-4f) > 2000;
            },
            5000));
        got = caught();
        QVERIFY2(got.size() == 1, qPrintable(got.join(QLatin1Char('\n'))));
    }

    // The mixer on its own: a device that comes back is taken up by checkDevice, before any sound.
    void checkDeviceOpensADeviceThatHasComeBack()
    {
        qputenv("SDL_AUDIODRIVER", "no-such-driver");
        Audio audio(20);
        QVERIFY(!audio.deviceOpen());
        audio.checkDevice();
        QVERIFY(!audio.deviceOpen());
        const QString output = dir.filePath(QStringLiteral("check.raw"));
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(output));
        QVERIFY(QTest::qWaitFor(
            [&audio] {
                audio.checkDevice();
                return audio.deviceOpen();
            },
            2000));
        const std::vector<std::int16_t> speech(2205, 5000);
        audio.speechPcm(speech.data(), speech.size(), 22050, true);
        QVERIFY(QTest::qWaitFor([&output] { return audible(output) > 2000; }, 2000));
        QCOMPARE(caught().size(), 1);
    }
};

QTEST_MAIN(TestDevices)
#include "test_devices.moc"
