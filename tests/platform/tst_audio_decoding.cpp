#include "platform/audio_decoding.h"

#include "made_files.h"

#include <QTemporaryDir>
#include <QtTest>

// Decoding and conversion to the mixing format (48 kHz stereo), called directly: no device.
class AudioDecodingTest : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    // 0.1 s, 4800 frames at 48 kHz (mono in both channels); the resampler rings at the edges, by 18 between.
    void aWavDecodesToTheMixingFormat_data()
    {
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("right");
        QTest::newRow("8 kHz mono") << 8000 << 1 << 8000 << 8000;
        QTest::newRow("44.1 kHz stereo") << 44100 << 2 << 8000 << -4000;
        QTest::newRow("48 kHz stereo") << 48000 << 2 << -300 << 12000;
    }

    void aWavDecodesToTheMixingFormat()
    {
        QFETCH(int, rate);
        QFETCH(int, channels);
        QFETCH(int, left);
        QFETCH(int, right);
        const QString path = dir.filePath(QString::fromLatin1(QTest::currentDataTag()) + QStringLiteral(".wav"));
        const auto l = static_cast<std::int16_t>(left), r = static_cast<std::int16_t>(right);
        QVERIFY(made::write(path, made::wav(rate, rate / 10, channels == 1 ? std::vector<std::int16_t>{l} : std::vector<std::int16_t>{l, r})));
        QString why;
        const AudioDecoding::Clip clip = AudioDecoding::decodeFile(path, &why);
        QVERIFY2(clip, qPrintable(why));
        QCOMPARE(static_cast<int>(clip->size()), 9600);
        for (std::size_t i = 960; i < 8640; ++i) // away from the edges
            QVERIFY2(std::abs((*clip)[i] - (i % 2 ? right : left)) <= 40, qPrintable(QStringLiteral("%1 at %2").arg((*clip)[i]).arg(i)));
    }

    // Speech PCM, 0.1 s at 22050 Hz handed over in two parts, comes out whole: 4800 frames.
    void speechIsConvertedWhole()
    {
        const std::vector<std::int16_t> pcm(2205, 4000);
        AudioDecoding::SpeechConverter converter(22050);
        AudioDecoding::Frames out;
        QVERIFY(converter.put(pcm.data(), 1000, &out));
        QVERIFY(converter.put(pcm.data() + 1000, 1205, &out));
        QVERIFY(converter.finish(&out));
        QCOMPARE(static_cast<int>(out.size()), 9600);
        QVERIFY(std::abs(out[4800] - 0.1221f) < 0.002f && out[4801] == out[4800]); // 4000 / 32768, mid-text
    }

    void theDefaultSoundIsShortAndSoft()
    {
        const AudioDecoding::Clip chime = AudioDecoding::chime();
        QVERIFY(chime);
        const double seconds = static_cast<double>(chime->size()) / 2 / 48000;
        QVERIFY2(seconds > 0.1 && seconds < 0.2, qPrintable(QString::number(seconds)));
        const int peak = std::max(-*std::min_element(chime->begin(), chime->end()), +*std::max_element(chime->begin(), chime->end()));
        QVERIFY2(peak > 1600 && peak < 16384, qPrintable(QString::number(peak))); // audible, under half scale
    }
};

QTEST_GUILESS_MAIN(AudioDecodingTest)
#include "tst_audio_decoding.moc"
