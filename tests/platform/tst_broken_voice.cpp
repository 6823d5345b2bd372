// A voice whose library cannot be loaded (the library path holds a damaged
// libflite_cmu_us_rms.so.1 before the system's): one warning, and sounds play on.

#include "platform/real_platform.h"

#include "captured_messages.h"
#include "testsupport/made_files.h"

#include <QtTest>

#include <algorithm>

class BrokenVoiceTest : public QObject
{
    Q_OBJECT

private slots:
    void oneWarningAndSoundsPlayOn()
    {
        QTemporaryDir data;
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(data.filePath("played.raw")));
        QVERIFY(QDir(data.path()).mkpath("sounds")
                && made::write(data.filePath("sounds/owl.wav"), made::wav(48000, 4800, {12000, 12000})));
        const CapturedMessages messages;
        RealPlatform platform({data.path()}, QStringLiteral("rms"));
        for (const char *text : {"Duck", "sounds\\owl.wav", "Owl"})
            text[0] == 's' ? platform.playSound(text) : platform.speak(text);
        const auto owlFrames = [&data] { // in the device's 48 kHz stereo floats, at 12000 within 2e-3
            QFile file(data.filePath("played.raw"));
            const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
            const auto *samples = reinterpret_cast<const float *>(bytes.constData());
            return std::count_if(samples, samples + bytes.size() / 4, [](float v) { return std::abs(v - 0.36621f) < 2e-3f; });
        };
        QTRY_COMPARE_WITH_TIMEOUT(owlFrames(), 9600L, 15000); // both channels
        QCOMPARE(messages.warnings(), QStringList("Zubiko: speech is off: flite cannot set up the voice \"rms\" ("
                                                  BROKEN_VOICE_DIR "/libflite_cmu_us_rms.so.1: file too short)"));
    }
};

QTEST_GUILESS_MAIN(BrokenVoiceTest)
#include "tst_broken_voice.moc"
