// A voice whose library cannot be loaded: the library path holds a damaged
// libflite_cmu_us_rms.so.1 before the system's. One warning; sounds play on.

#include "platform/real_platform.h"

#include "captured_messages.h"
#include "made_files.h"

#include <QtTest>

class BrokenVoiceTest : public QObject
{
    Q_OBJECT

private slots:
    void oneWarningAndSoundsPlayOn()
    {
        QTemporaryDir data;
        const QString output = data.filePath("played.raw");
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(output));
        QVERIFY(QDir(data.path()).mkpath("sounds"));
        QVERIFY(made::write(data.filePath("sounds/owl.wav"), made::wav(48000, 4800, {12000, 12000})));
        const CapturedMessages messages;
        RealPlatform platform({data.path()}, QStringLiteral("rms"));
        platform.speak("Duck");
        platform.playSound("sounds\\owl.wav");
        platform.speak("Owl");
        const auto owlFrames = [&output] {
            QFile file(output);
            const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
            const auto *samples = reinterpret_cast<const float *>(bytes.constData());
            int frames = 0;
            for (qsizetype i = 1; i < bytes.size() / 4; i += 2)
                frames += std::abs(samples[i] - 12000.0f / 32768.0f) < 2e-3f;
            return frames;
        };
        QTRY_COMPARE_WITH_TIMEOUT(owlFrames(), 4800, 15000);
        platform.speak("Duck");
        QTest::qWait(200);
        QCOMPARE(messages.warnings(),
                 QStringList("Zubiko: speech is off: flite cannot set up the voice \"rms\" (" BROKEN_VOICE_DIR
                             "/libflite_cmu_us_rms.so.1: file too short)"));
    }
};

QTEST_GUILESS_MAIN(BrokenVoiceTest)
#include "tst_broken_voice.moc"
