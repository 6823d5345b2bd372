#include "platform/speech.h"

#include "captured_messages.h"

#include <QTemporaryDir>
#include <QtTest>

#include <atomic>

// Speech without its data: one warning, then silence, and the program runs on.
class TestSpeechMissing : public QObject
{
    Q_OBJECT

private slots:
    void missingDataWarnsOnceAndStaysSilent()
    {
        QTemporaryDir empty;
        std::atomic<int> pcmCalls{0};
        CapturedMessages messages;
        {
            Speech speech([&pcmCalls](const std::int16_t *, std::size_t, int, bool) { ++pcmCalls; }, empty.path());
            speech.speak(QStringLiteral("Duck"));
            QVERIFY(!speech.waitUntilReady());
            for (int i = 0; i < 5; ++i)
                speech.speak(QStringLiteral("Hippo"));
            QTest::qWait(100);
        }
        QCOMPARE(messages.warnings().filter(QStringLiteral("speech")).size(), 1);
        QCOMPARE(pcmCalls.load(), 0);
    }
};

QTEST_GUILESS_MAIN(TestSpeechMissing)
#include "test_speech_missing.moc"
