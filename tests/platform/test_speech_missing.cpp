#include "platform/speech.h"

#include <QTemporaryDir>
#include <QtTest>

#include <atomic>

// Speech without its data: one warning, then silence, and the program runs on.
class TestSpeechMissing : public QObject
{
    Q_OBJECT

    static inline std::atomic<int> speechWarnings{0};
    static inline QtMessageHandler previous = nullptr;

    static void handler(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (type == QtWarningMsg && message.contains(QLatin1String("speech")))
            ++speechWarnings;
        previous(type, context, message);
    }

private slots:
    void missingDataWarnsOnceAndStaysSilent()
    {
        QTemporaryDir empty;
        std::atomic<int> pcmCalls{0};
        previous = qInstallMessageHandler(handler);
        {
            Speech speech([&pcmCalls](const std::int16_t *, std::size_t, int, bool) { ++pcmCalls; }, empty.path());
            speech.speak(QStringLiteral("Duck"));
            QVERIFY(!speech.waitUntilReady());
            for (int i = 0; i < 5; ++i)
                speech.speak(QStringLiteral("Hippo"));
            QTest::qWait(100);
        }
        qInstallMessageHandler(previous);
        QCOMPARE(speechWarnings.load(), 1);
        QCOMPARE(pcmCalls.load(), 0);
    }
};

QTEST_GUILESS_MAIN(TestSpeechMissing)
#include "test_speech_missing.moc"
