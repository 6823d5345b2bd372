#include "platform/speech.h"

#include <QtTest>

#include <cmath>
#include <mutex>
#include <vector>

// espeak-ng through Speech, its PCM caught before it reaches the mixer.
class TestSpeech : public QObject
{
    Q_OBJECT

    struct Capture
    {
        std::mutex mutex;
        std::vector<std::vector<std::int16_t>> texts{1}; // the PCM of each finished text, and the one being made
        int rate = 0;

        int finished()
        {
            std::lock_guard<std::mutex> lock(mutex);
            return static_cast<int>(texts.size()) - 1;
        }
        double seconds(int text)
        {
            std::lock_guard<std::mutex> lock(mutex);
            return static_cast<double>(texts.at(static_cast<std::size_t>(text)).size()) / rate;
        }
        double rms(int text)
        {
            std::lock_guard<std::mutex> lock(mutex);
            const auto &pcm = texts.at(static_cast<std::size_t>(text));
            double sum = 0;
            for (std::int16_t s : pcm)
                sum += static_cast<double>(s) * s;
            return pcm.empty() ? 0.0 : std::sqrt(sum / static_cast<double>(pcm.size()));
        }
        void reset()
        {
            std::lock_guard<std::mutex> lock(mutex);
            texts.assign(1, {});
        }
    };

    Capture capture;
    std::unique_ptr<Speech> speech;

    // The length of `text` spoken on its own, in seconds.
    double spokenAlone(const QString &text)
    {
        capture.reset();
        speech->speak(text);
        if (!QTest::qWaitFor([this] { return capture.finished() == 1; }, 20000))
            return -1;
        return capture.seconds(0);
    }

private slots:
    void initTestCase()
    {
        speech = std::make_unique<Speech>([this](const std::int16_t *samples, std::size_t count, int rate, bool end) {
            std::lock_guard<std::mutex> lock(capture.mutex);
            capture.rate = rate;
            capture.texts.back().insert(capture.texts.back().end(), samples, samples + count);
            if (end)
                capture.texts.emplace_back();
        });
        QVERIFY(speech->waitUntilReady());
    }

    void aWordBecomesAudibleSpeech()
    {
        const double seconds = spokenAlone(QStringLiteral("Duck"));
        QVERIFY(seconds > 0.15);
        QVERIFY2(seconds < 2.0, qPrintable(QString::number(seconds)));
        QVERIFY2(capture.rms(0) > 500.0, qPrintable(QString::number(capture.rms(0))));
        QVERIFY(capture.rate >= 8000);
    }

    void leadingCommasAreNotReadOut_data()
    {
        QTest::addColumn<QString>("withCommas");
        QTest::addColumn<QString>("without");
        QTest::newRow("greeting") << QStringLiteral(",,, Zubiko.. click the red bar for the animal name and sound ")
                                  << QStringLiteral("Zubiko.. click the red bar for the animal name and sound ");
        QTest::newRow("next animal")
            << QStringLiteral(",,,,,,,,,,,,,,,,,,,,,,click the green bar to get the next animal. you can also just press the space bar if you like.")
            << QStringLiteral("click the green bar to get the next animal. you can also just press the space bar if you like.");
        QTest::newRow("inside") << QStringLiteral("a duck,,,,,,,,, a cow") << QStringLiteral("a duck, a cow");
    }

    void leadingCommasAreNotReadOut()
    {
        QFETCH(QString, withCommas);
        QFETCH(QString, without);
        const double plain = spokenAlone(without);
        const double padded = spokenAlone(withCommas);
        QVERIFY(plain > 0);
        // "comma" read out 22 times would add several seconds; a short pause is all we allow.
        QVERIFY2(padded < plain + 0.4, qPrintable(QStringLiteral("%1 s against %2 s").arg(padded).arg(plain)));
    }

    void textsAreSpokenWholeAndInOrder()
    {
        const QStringList texts{QStringLiteral("Elephant"),
                                QStringLiteral("click the green bar to get the next animal"),
                                QStringLiteral("Owl")};
        std::vector<double> alone;
        for (const QString &text : texts)
            alone.push_back(spokenAlone(text));

        capture.reset();
        for (const QString &text : texts)
            speech->speak(text);
        QVERIFY(QTest::qWaitFor([this] { return capture.finished() == 3; }, 20000));
        for (int i = 0; i < 3; ++i) {
            const double seconds = capture.seconds(i);
            QVERIFY2(std::abs(seconds - alone[static_cast<std::size_t>(i)]) < 0.05,
                     qPrintable(QStringLiteral("text %1: %2 s queued, %3 s alone").arg(i).arg(seconds).arg(alone[static_cast<std::size_t>(i)])));
        }
    }

    void speakReturnsBeforeTheSpeechIsMade()
    {
        capture.reset();
        speech->speak(QStringLiteral("click the green bar to get the next animal. you can also just press the space bar if you like."));
        // Nothing of a text this long can be finished by the time speak() has returned.
        QCOMPARE(capture.finished(), 0);
        QVERIFY(QTest::qWaitFor([this] { return capture.finished() == 1; }, 20000));
    }

    void whatTheEngineIsGiven()
    {
        QCOMPARE(Speech::prepared(QStringLiteral(",,,,,,, ,,click the bar")), QStringLiteral("click the bar"));
        QCOMPARE(Speech::prepared(QStringLiteral("a duck,, , ,a cow")), QStringLiteral("a duck,a cow"));
        QCOMPARE(Speech::prepared(QStringLiteral("Zubiko.. hello, friend")), QStringLiteral("Zubiko.. hello, friend"));
    }

    void cleanupTestCase()
    {
        speech.reset();
    }
};

QTEST_GUILESS_MAIN(TestSpeech)
#include "test_speech.moc"
