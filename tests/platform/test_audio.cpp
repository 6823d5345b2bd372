#include "platform/audio.h"

#include "wav_files.h"

#include <QTemporaryDir>
#include <QtTest>

// The mixer through SDL's disk driver: what reaches the device is read back from the file it writes.
class TestAudio : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString output;

    QString wavPath(const QString &name) const { return dir.filePath(name); }

    // 16-bit stereo WAVs at the mixing rate pass through the mixer sample for sample.
    QString constantWav(const QString &name, double seconds, std::int16_t value)
    {
        const QString path = wavPath(name);
        if (!wav::writeConstant(path, Audio::kSampleRate, 2, static_cast<int>(seconds * Audio::kSampleRate), value))
            return {};
        return path;
    }

    static int frames(int samples) { return samples / Audio::kChannels; }

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        output = dir.filePath(QStringLiteral("device.raw"));
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(output));
    }

    void aFileReachesTheDevice()
    {
        const QString file = constantWav(QStringLiteral("a.wav"), 0.1, 8000);
        QVERIFY(!file.isEmpty());
        {
            Audio audio;
            QVERIFY(audio.deviceOpen());
            QVERIFY(audio.playFile(file));
            QTest::qWait(300);
        }
        const auto samples = wav::readFloats(output);
        const int played = frames(wav::count(samples, wav::asFloat(8000), 1e-4f));
        // Every frame of the file, give or take the edges.
        QVERIFY2(std::abs(played - 4800) < 50, qPrintable(QString::number(played)));
    }

    void aSecondSoundCutsTheFirstOff()
    {
        const QString longOne = constantWav(QStringLiteral("long.wav"), 2.0, 8000);
        const QString shortOne = constantWav(QStringLiteral("short.wav"), 0.05, -12000);
        {
            Audio audio;
            QVERIFY(audio.playFile(longOne));
            QTest::qWait(150);
            QVERIFY(audio.playFile(shortOne));
            QTest::qWait(300);
        }
        const auto samples = wav::readFloats(output);
        const float first = wav::asFloat(8000);
        const float second = wav::asFloat(-12000);
        QVERIFY(frames(wav::count(samples, second, 1e-4f)) > 2000);
        const int firstFrames = frames(wav::count(samples, first, 1e-4f));
        QVERIFY(firstFrames > 0);
        QVERIFY2(firstFrames < Audio::kSampleRate, qPrintable(QString::number(firstFrames))); // far less than its 2 s
        // Nothing of the first comes back after the second has started.
        std::size_t secondStart = samples.size();
        for (std::size_t i = 0; i < samples.size(); ++i) {
            if (std::abs(samples[i] - second) <= 1e-4f) {
                secondStart = i;
                break;
            }
        }
        QVERIFY(secondStart < samples.size());
        for (std::size_t i = secondStart; i < samples.size(); ++i)
            QVERIFY(std::abs(samples[i] - first) > 1e-4f);
    }

    void speechAndSoundMixAndSoundsDoNotCutSpeech()
    {
        // 0.4 s of "speech" at espeak-ng's rate, a constant that survives resampling.
        const std::vector<std::int16_t> speech(static_cast<std::size_t>(0.4 * 22050), 4000);
        const QString sound = constantWav(QStringLiteral("mix.wav"), 0.1, 8000);
        const QString other = constantWav(QStringLiteral("other.wav"), 0.05, 2000);
        {
            Audio audio;
            // SDL's disk driver writes its first buffers out of step with the mixer right after the
            // device opens; the program opens its device at start-up, long before anything is said.
            QTest::qWait(50);
            audio.speechPcm(speech.data(), speech.size() / 2, 22050, false);
            audio.speechPcm(speech.data() + speech.size() / 2, speech.size() - speech.size() / 2, 22050, true);
            QVERIFY(audio.playFile(sound));
            QTest::qWait(100);
            QVERIFY(audio.playFile(other));
            QTest::qWait(500);
        }
        const auto samples = wav::readFloats(output);
        const float speechOnly = wav::asFloat(4000);
        const int both = frames(wav::count(samples, wav::asFloat(4000 + 8000), 2e-3f));
        const int withOther = frames(wav::count(samples, wav::asFloat(4000 + 2000), 2e-3f));
        const int alone = frames(wav::count(samples, speechOnly, 2e-3f));
        QVERIFY2(both > 1000, qPrintable(QString::number(both)));
        QVERIFY2(withOther > 1000, qPrintable(QString::number(withOther)));
        // The speech plays to its end, under and after the sounds: 0.4 s in all.
        const int speechFrames = both + withOther + alone;
        QVERIFY2(std::abs(speechFrames - static_cast<int>(0.4 * Audio::kSampleRate)) < 50,
                 qPrintable(QString::number(speechFrames)));
    }

    void speechTextsPlayInOrder()
    {
        const std::vector<std::int16_t> first(2205, 3000);
        const std::vector<std::int16_t> second(2205, -3000);
        {
            Audio audio;
            audio.speechPcm(first.data(), first.size(), 22050, true);
            audio.speechPcm(second.data(), second.size(), 22050, true);
            QTest::qWait(300);
        }
        const auto samples = wav::readFloats(output);
        std::size_t lastFirst = 0;
        std::size_t firstSecond = samples.size();
        for (std::size_t i = 0; i < samples.size(); ++i) {
            if (std::abs(samples[i] - wav::asFloat(3000)) < 2e-3f)
                lastFirst = i;
            if (std::abs(samples[i] - wav::asFloat(-3000)) < 2e-3f && firstSecond == samples.size())
                firstSecond = i;
        }
        QVERIFY(lastFirst > 0);
        QVERIFY(firstSecond < samples.size());
        QVERIFY(lastFirst < firstSecond);
    }

    void undecodableFilePlaysTheDefaultSound()
    {
        const QString broken = wavPath(QStringLiteral("broken.wav"));
        {
            QFile file(broken);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("RIFF----WAVEnot really a sound file");
        }
        {
            Audio audio;
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("broken\\.wav")));
            QString why;
            QVERIFY(!audio.playFile(broken, &why));
            QVERIFY(!why.isEmpty());
            QTest::qWait(300);
        }
        const auto samples = wav::readFloats(output);
        float peak = 0;
        int audible = 0;
        for (float s : samples) {
            peak = std::max(peak, std::abs(s));
            if (std::abs(s) > 1e-3f)
                ++audible;
        }
        // Something short and soft: no more than 0.3 s, nowhere near full scale.
        QVERIFY(audible > 0);
        QVERIFY2(frames(audible) < 0.3 * Audio::kSampleRate, qPrintable(QString::number(audible)));
        QVERIFY2(peak < 0.5f, qPrintable(QString::number(static_cast<double>(peak))));
    }

    void anEmptyFileIsSilenceNotTheDefaultSound()
    {
        // The program cuts a sound off by playing a silent file, possibly one with no samples at all.
        const QString empty = constantWav(QStringLiteral("empty.wav"), 0.0, 0);
        const QString sound = constantWav(QStringLiteral("cut.wav"), 2.0, 8000);
        {
            Audio audio;
            QVERIFY(audio.playFile(sound));
            QTest::qWait(100);
            QVERIFY(audio.playFile(empty));
            QTest::qWait(300);
        }
        const auto samples = wav::readFloats(output);
        std::size_t lastSound = 0;
        for (std::size_t i = 0; i < samples.size(); ++i) {
            if (std::abs(samples[i] - wav::asFloat(8000)) <= 1e-4f)
                lastSound = i;
        }
        QVERIFY(lastSound > 0);
        for (std::size_t i = lastSound + 1; i < samples.size(); ++i)
            QCOMPARE(samples[i], 0.0f);
    }

    void preloadDecodesInTheBackground()
    {
        QStringList files;
        for (int i = 0; i < 5; ++i)
            files << constantWav(QStringLiteral("pre%1.wav").arg(i), 0.05, static_cast<std::int16_t>(1000 * (i + 1)));
        Audio audio;
        audio.preload(files);
        audio.waitForPreload();
        QCOMPARE(audio.cachedCount(), 5);
    }

    void noDeviceWarnsOnceAndComesBack()
    {
        qputenv("SDL_AUDIODRIVER", "no-such-driver");
        const QString file = constantWav(QStringLiteral("back.wav"), 0.1, 8000);
        QFile::remove(output);
        {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("no audio|audio device")));
            Audio audio(50);
            QVERIFY(!audio.deviceOpen());
            QVERIFY(audio.playFile(file)); // silently
            QTest::qWait(60);
            QVERIFY(audio.playFile(file)); // tries again, fails again, says nothing
            QVERIFY(!audio.deviceOpen());

            qputenv("SDL_AUDIODRIVER", "disk");
            QTest::qWait(60);
            QVERIFY(audio.playFile(file));
            QVERIFY(audio.deviceOpen());
            QTest::qWait(300);
        }
        const auto samples = wav::readFloats(output);
        QVERIFY(frames(wav::count(samples, wav::asFloat(8000), 1e-4f)) > 4000);
    }
};

QTEST_GUILESS_MAIN(TestAudio)
#include "test_audio.moc"
