#include "platform/speech.h"

#include "captured_messages.h"

#include <QtTest>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

// flite's voices through Speech, caught at the sink. A hang (a voice set up again) fails on the time limit.
class SpeechTest : public QObject
{
    Q_OBJECT

    // How long each text handed to the sink is; while `hold` is set, the speech thread waits in it.
    struct Heard
    {
        std::mutex mutex;
        std::vector<double> texts;
        std::size_t samples = 0;
        std::atomic<bool> hold{false};

        Speech::Sink sink()
        {
            return [this](const std::int16_t *, std::size_t count, int rate, bool end) {
                while (hold)
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
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

    // Speaks `texts` one by one, each after the last has ended, to a fresh `heard`: how long each is.
    static std::vector<double> oneByOne(Speech &speech, Heard &heard, const QStringList &texts)
    {
        for (std::size_t i = 0; i < static_cast<std::size_t>(texts.size()); ++i) {
            speech.speak(texts[static_cast<qsizetype>(i)]);
            if (!QTest::qWaitFor([&] { return heard.seconds().size() > i; }, 30000))
                break;
        }
        return heard.seconds();
    }

private slots:
    void unknownVoiceWarnsOnceAndStaysSilent()
    {
        Heard heard;
        CapturedMessages messages;
        Speech speech(heard.sink(), QStringLiteral("kal"));
        speech.speak(QStringLiteral("Duck"));
        QVERIFY(!speech.waitUntilReady());
        speech.speak(QStringLiteral("Hippo"));
        QVERIFY2(messages.warnings().size() == 1 && messages.warnings().first().contains(QLatin1String("speech is off")), qPrintable(messages.warnings().join(QLatin1Char('\n'))));
        QCOMPARE(heard.seconds().size(), std::size_t{0});
    }

    // Each text spoken alone, then all queued at once; in every voice, the first again once it was let go.
    void speakReturnsAtOnceAndTextsAreSpokenWholeInOrder()
    {
        const QStringList texts{QStringLiteral("Elephant"), QStringLiteral("click the green bar to get the next animal"), QStringLiteral("Owl")};
        for (const QString &voice : Speech::voices() + QStringList{Speech::voices().first()}) {
            Heard heard;
            Speech speech(heard.sink(), voice);
            const std::vector<double> alone = oneByOne(speech, heard, texts);
            QCOMPARE(alone.size(), std::size_t{3});
            QVERIFY2(alone[0] > 0.3 && alone[2] > 0.3 && alone[1] > alone[0] + 1, qPrintable(voice)); // heard, the sentence whole
            heard.hold = true;
            for (const QString &text : texts)
                speech.speak(text); // returns, though the speech thread is held
            QCOMPARE(heard.seconds().size(), std::size_t{3});
            heard.hold = false;
            QVERIFY(QTest::qWaitFor([&] { return heard.seconds().size() == 6; }, 30000));
            for (std::size_t i = 0; i < 3; ++i)
                QVERIFY2(std::abs(heard.seconds()[i + 3] - alone[i]) < 0.05, qPrintable(QStringLiteral("text %1 queued: %2 s").arg(i).arg(heard.seconds()[i + 3])));
            speech.speak(QStringLiteral(",,,Owl")); // a breath of 0.25 s before it
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
};

QTEST_GUILESS_MAIN(SpeechTest)
#include "tst_speech.moc"
