#include "platform/audio.h"
#include "platform/audio_decoding.h"
#include "platform/clip_cache.h"
#include "platform/speech.h"

#include "captured_messages.h"
#include "testsupport/made_files.h"

#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

// Decoding to the mixing format (48 kHz stereo), called directly; the mixer and its device through
// SDL's disk driver, whose file (48 kHz stereo floats) is read back; flite's voices through Speech,
// caught at the sink (a hang, a voice set up again, fails on the time limit).
class AudioTest : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    QString output;

    // 48 kHz stereo, every sample `value`: it reaches the device sample for sample.
    QString sound(const QString &name, double seconds, int value)
    {
        const QString path = dir.filePath(name + QStringLiteral(".wav"));
        return made::write(path, made::wav(48000, static_cast<int>(seconds * 48000), {static_cast<std::int16_t>(value), static_cast<std::int16_t>(value)})) ? path : QString();
    }
    void useDisk(const QString &file)
    {
        output = QDir::isAbsolutePath(file) ? file : dir.filePath(file);
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(output));
    }
    // What the device has played so far: interleaved floats.
    std::vector<float> played() const
    {
        QFile file(output);
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        const auto *samples = reinterpret_cast<const float *>(bytes.constData()); // as tst_broken_voice reads them
        return {samples, samples + bytes.size() / static_cast<qsizetype>(sizeof(float))};
    }
    // The frames the device has played at `value` (within 2e-3: speech is resampled), by index.
    std::vector<long> heard(int value) const
    {
        std::vector<long> at;
        const std::vector<float> samples = played();
        for (std::size_t i = 1; i < samples.size(); i += 2) // the right channel of each frame
            if (std::abs(samples[i] - static_cast<float>(value) / 32768.0f) < 2e-3f)
                at.push_back(static_cast<long>(i / 2));
        return at;
    }
    template <typename Done> static bool waitFor(Done done) { return QTest::qWaitFor(done, 15000); }

    // How long each text handed to the sink is; while `hold` is set, the speech thread waits in it.
    struct Heard
    {
        std::mutex mutex;
        std::vector<double> texts;
        std::size_t samples = 0;
        std::atomic<bool> hold{false};
        std::atomic<bool> held{false}; // the speech thread is waiting in the sink

        Speech::Sink sink()
        {
            return [this](const std::int16_t *, std::size_t count, int rate, bool end) {
                while (hold) {
                    held = true;
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                }
                held = false;
                std::lock_guard<std::mutex> lock(mutex);
                samples += count;
                if (end)
                    texts.push_back(static_cast<double>(std::exchange(samples, 0)) / rate);
            };
        }
        std::vector<double> seconds()
        {
            std::lock_guard<std::mutex> lock(mutex);
            return texts;
        }
    };

private slots:
    // 0.1 s, 4800 frames at 48 kHz (mono in both channels); the resampler rings at the edges, by 18 between.
    void aWavDecodesToTheMixingFormat_data()
    {
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("right");
        QTest::addColumn<bool>("oddChunk"); // a 5-byte chunk and its pad byte before the sound
        QTest::newRow("8 kHz mono") << 8000 << 1 << 8000 << 8000 << false;
        QTest::newRow("44.1 kHz stereo") << 44100 << 2 << 8000 << -4000 << false;
        QTest::newRow("48 kHz stereo after an odd chunk") << 48000 << 2 << -300 << 12000 << true;
    }

    void aWavDecodesToTheMixingFormat()
    {
        QFETCH(int, rate);
        QFETCH(int, channels);
        QFETCH(int, left);
        QFETCH(int, right);
        QFETCH(bool, oddChunk);
        const QString path = dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".wav"));
        const auto l = static_cast<std::int16_t>(left), r = static_cast<std::int16_t>(right);
        QByteArray bytes = made::wav(rate, rate / 10, channels == 1 ? std::vector<std::int16_t>{l} : std::vector<std::int16_t>{l, r});
        if (oddChunk) {
            bytes.insert(36, QByteArray("LIST\x05\0\0\0abcde\0", 14));
            qToLittleEndian<quint32>(static_cast<quint32>(bytes.size() - 8), bytes.data() + 4);
        }
        QVERIFY(made::write(path, bytes));
        QString why;
        const AudioDecoding::Clip clip = AudioDecoding::decodeFile(path, &why);
        QVERIFY2(clip, qPrintable(why));
        QCOMPARE(static_cast<int>(clip->size()), 9600);
        for (std::size_t i = 960; i < 8640; ++i) // away from the edges
            QVERIFY2(std::abs((*clip)[i] - (i % 2 ? right : left)) <= 40, qPrintable(QStringLiteral("%1 at %2").arg((*clip)[i]).arg(i)));
    }

    // A refused file is decoded again only once its size or time of change differs.
    void aRefusedFileIsTriedAgainOnceItChanges()
    {
        const QString path = dir.filePath(QStringLiteral("mended.wav"));
        const QByteArray good = made::wav(8000, 1, 1600, 1600);
        QVERIFY(made::write(path, QByteArray(good).replace(0, 4, "RIFX"))); // the same size
        QFile file(path);
        const QDateTime modified = QFileInfo(path).lastModified();
        ClipCache cache;
        QVERIFY(!cache.clip(path));
        QVERIFY(made::write(path, good) && file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(modified, QFileDevice::FileModificationTime));
        QVERIFY(!cache.clip(path));
        QVERIFY(file.setFileTime(modified.addSecs(1), QFileDevice::FileModificationTime));
        QVERIFY(cache.clip(path));
    }

    // Each text spoken alone, then all queued at once; in every voice, the first again once it was let go.
    void speakReturnsAtOnceAndTextsAreSpokenWholeInOrder()
    {
        const QStringList texts{QStringLiteral("Elephant"), QStringLiteral("click the green bar to get the next animal"), QStringLiteral("Owl")};
        for (const QString &voice : voiceNames() + QStringList{voiceNames().first()}) {
            Heard heard;
            Speech speech(heard.sink(), voice);
            for (std::size_t i = 0; i < 3; ++i) { // each after the last has ended
                speech.speak(texts[static_cast<qsizetype>(i)]);
                QVERIFY(QTest::qWaitFor([&] { return heard.seconds().size() > i; }, 30000));
            }
            const std::vector<double> alone = heard.seconds();
            QVERIFY2(alone[0] > 0.3 && alone[2] > 0.3 && alone[1] > alone[0] + 1, qPrintable(voice)); // heard, the sentence whole
            heard.hold = true;
            for (const QString &text : texts)
                speech.speak(text); // returns, though the speech thread is held
            QCOMPARE(heard.seconds().size(), std::size_t{3});
            heard.hold = false;
            QVERIFY(QTest::qWaitFor([&] { return heard.seconds().size() == 6; }, 30000));
            for (std::size_t i = 0; i < 3; ++i)
                QVERIFY2(std::abs(heard.seconds()[i + 3] - alone[i]) < 0.05, qPrintable(QStringLiteral("text %1 queued: %2 s").arg(i).arg(heard.seconds()[i + 3])));
            heard.hold = true;
            speech.speak(QStringLiteral(",,,Owl")); // a breath of 0.25 s before it
            const bool busyWhileMade = QTest::qWaitFor([&] { return heard.held.load(); }) && speech.busy(); // the queue empty
            heard.hold = false;
            QVERIFY(busyWhileMade);
            QVERIFY(QTest::qWaitFor([&] { return heard.seconds().size() == 7; }, 30000));
            QVERIFY2(std::abs(heard.seconds()[6] - alone[2] - 0.25) < 0.05, qPrintable(QString::number(heard.seconds()[6] - alone[2])));
        }
    }

    // What the voice is given: a run of commas before a text comes down to one (a breath), inside one to a comma.
    void runsOfLeadingCommasAreNotReadOut()
    {
        QCOMPARE(Speech::prepared(QStringLiteral(",,,,,,,,,,,,,,,,,,,,,,click the green bar")), QStringLiteral(", click the green bar"));
        QCOMPARE(Speech::prepared(QStringLiteral(",,, Zubiko.. click the red bar ")), QStringLiteral(", Zubiko.. click the red bar"));
        QCOMPARE(Speech::prepared(QStringLiteral("Duck,, , ,Owl")), QStringLiteral("Duck,Owl"));
    }

    void aNewSoundCutsOffTheOneThatPlays()
    {
        const QString longOne = sound(QStringLiteral("long"), 2.0, 8000);
        useDisk(QStringLiteral("cut.raw"));
        Audio audio;
        QVERIFY(audio.playFile(longOne));
        QVERIFY(waitFor([&] { return heard(8000).size() > 2400; }));
        QVERIFY(audio.playFile(sound(QStringLiteral("short"), 0.05, -12000)));
        QVERIFY(waitFor([&] { return heard(-12000).size() == 2400; })); // whole, and on its own
        QVERIFY(audio.playFile(longOne));
        QVERIFY(audio.playFile(sound(QStringLiteral("empty"), 0.0, 0))); // how the program silences a sound
        const std::size_t written = played().size();
        QVERIFY(waitFor([&] { return played().size() > written + 38400; })); // 0.4 s on
        const std::vector<float> after = played(); // silent, past a buffer or two mixed but not written
        QVERIFY(std::all_of(after.begin() + static_cast<long>(written) + 4096, after.end(), [](float s) { return s == 0.0f; }));
    }

    // Two texts (1 s, then 0.2 s at 22050 Hz), a sound over the first: added to it; speech whole, in order.
    void speechAndASoundMixAndTheSoundDoesNotCutSpeech()
    {
        useDisk(QStringLiteral("mix.raw"));
        Audio audio;
        QVERIFY(waitFor([&] { return !played().empty(); })); // the device runs
        const std::vector<std::int16_t> first(22050, 4000), second(4410, -3000);
        audio.speechPcm(first.data(), first.size(), 22050, true);
        audio.speechPcm(second.data(), second.size(), 22050, true);
        QVERIFY(audio.playFile(sound(QStringLiteral("mixed"), 0.1, 8000)));
        QVERIFY(waitFor([&] { return heard(-3000).size() > 9500; }));
        const auto mixed = static_cast<long>(heard(12000).size()), firstText = static_cast<long>(heard(4000).size()) + mixed;
        QVERIFY2(std::abs(mixed - 4800) < 10, qPrintable(QString::number(mixed)));
        QVERIFY2(std::abs(firstText - 48000) < 100, qPrintable(QString::number(firstText)));
        QVERIFY(heard(4000).back() < heard(-3000).front());
    }

    // A text whose first 60 ms come alone and the rest 0.3 s later (a busy machine): none of it
    // plays before its first 0.1 s is ready, and then it plays unbroken.
    void aTextStartsWhenItsFirstTenthIsReady()
    {
        useDisk(QStringLiteral("lead.raw"));
        Audio audio;
        QVERIFY(waitFor([&] { return !played().empty(); }));
        const std::vector<std::int16_t> start(1323, 5000), rest(4410, 5000);
        audio.speechPcm(start.data(), start.size(), 22050, false);
        QTest::qWait(300);
        QVERIFY(heard(5000).empty());
        audio.speechPcm(rest.data(), rest.size(), 22050, true);
        QVERIFY(waitFor([&] { return heard(5000).size() > 12300; }));
        const std::vector<long> at = heard(5000);
        QVERIFY(at.back() - at.front() + 1 - static_cast<long>(at.size()) < 48); // no break of 1 ms
    }

    // No device at all, or one that goes away: SDL's disk driver writing to /dev/full fails every
    // write, which SDL takes for a device gone (a USB speaker pulled out, a sound server stopped).
    void aMissingOrLostDeviceIsWarnedOnceAndTakenUpAgain_data()
    {
        QTest::addColumn<QByteArray>("driver");
        QTest::addColumn<QString>("warning");
        QTest::newRow("no device") << QByteArray("no-such-driver") << QStringLiteral("no audio (");
        QTest::newRow("device gone") << QByteArray("disk") << QStringLiteral("the audio device went away");
    }

    void aMissingOrLostDeviceIsWarnedOnceAndTakenUpAgain()
    {
        QFETCH(QByteArray, driver);
        QFETCH(QString, warning);
        const QString file = sound(QStringLiteral("quiet"), 0.1, 8000);
        const CapturedMessages messages;
        useDisk(QStringLiteral("/dev/full"));
        qputenv("SDL_AUDIODRIVER", driver);
        Audio audio(50);
        QVERIFY(waitFor([&] { return audio.playFile(file) && !messages.warnings().isEmpty(); }));
        for (int i = 0; i < 10; ++i) { // tried again every 50 ms (a lost device at once), silently
            QTest::qWait(30);
            QVERIFY(audio.playFile(file));
        }
        QVERIFY2(messages.warnings().size() == 1 && messages.warnings().first().contains(warning), qPrintable(messages.warnings().join(QLatin1Char('\n'))));
        useDisk(QStringLiteral("back.raw"));
        QVERIFY(waitFor([&] { audio.checkDevice(); return audio.deviceOpen(); }));
        QVERIFY(audio.playFile(file));
        QVERIFY(waitFor([&] { return heard(8000).size() >= 4800; }));
        QCOMPARE(messages.warnings().size(), 1);
    }

    // Speech asked for just as the device would sleep (here after 0.2 s of silence): the device
    // stays awake while the text is being made, however long, and sleeps once it has been heard.
    void speechAskedAsTheDeviceWouldSleepIsHeard()
    {
        useDisk(QStringLiteral("race.raw"));
        Audio audio(Audio::RetryMilliseconds, std::chrono::milliseconds(200));
        bool making = false;
        audio.setSpeechBusy([&] { return making; });
        QVERIFY(waitFor([&] { return audio.deviceOpen(); })); // opened in the background, then asleep
        QVERIFY(waitFor([&] { return !audio.deviceOpen(); }));
        audio.checkDevice(); // as speaking does, before the text is queued
        making = true;
        QTest::qWait(1000); // twenty-five sleep checks
        const std::vector<std::int16_t> text(2205, 4000);
        audio.speechPcm(text.data(), text.size(), 22050, true);
        making = false;
        QVERIFY(waitFor([&] { return heard(4000).size() > 4700; }));
        QVERIFY(waitFor([&] { return !audio.deviceOpen(); }));
    }

    // A sound asked for as soon as the audio is made (the start-up quack) is heard; a file that
    // cannot be decoded plays the chime.
    void theFirstSoundsAreHeard()
    {
        useDisk(QStringLiteral("first.raw"));
        Audio audio;
        QVERIFY(!audio.playFile(dir.filePath(QStringLiteral("none.wav"))));
        QVERIFY(waitFor([&] { const std::vector<float> s = played(); return std::any_of(s.begin(), s.end(), [](float v) { return v != 0.0f; }); }));
    }
};

QTEST_GUILESS_MAIN(AudioTest)
#include "tst_audio.moc"
