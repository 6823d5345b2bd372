// The pictures and sounds made by datagen/generate.sh, found and decoded as the program finds and
// decodes them. Without animals/ and sounds/ in the source tree every case fails.
#include "catalogue/animal_catalogue.h"
#include "platform/data_paths.h"

#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QTest>

#include <SDL.h>

#include <cmath>

class FilesTest : public QObject
{
    Q_OBJECT

    const QString m_root = QString::fromLocal8Bit(qgetenv("ZUBIKO_SOURCE_DIR"));
    const DataPaths m_paths{{m_root}};

private slots:
    void picture_data()
    {
        QTest::addColumn<QString>("path");
        for (const AnimalRow &row : AnimalCatalogue)
            QTest::newRow(row.button) << QString::fromLatin1(row.picturePath);
    }

    // 300x340, and white in the 55 rows the name is written over.
    void picture()
    {
        QFETCH(QString, path);
        const QImage image(m_paths.resolveFile(path));
        QCOMPARE(image.size(), QSize(300, 340));
        for (int y = 0; y < 55; ++y)
            for (int x = 0; x < image.width(); ++x)
                QVERIFY2(qGray(image.pixel(x, y)) >= 245, qPrintable(QStringLiteral("(%1,%2)").arg(x).arg(y)));
    }

    void sound_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<double>("maxSeconds");
        for (const AnimalRow &row : AnimalCatalogue)
            if (row.soundFile)
                QTest::newRow(row.button) << QString::fromLatin1(row.soundFile) << 3.0;
        QTest::newRow("one quack at start-up") << QStringLiteral("sounds\\duckonce.wav") << 0.5;
        QTest::newRow("silence") << QStringLiteral("sounds\\_nosound.wav") << 0.5;
    }

    // Mono 16-bit, short, and levelled to -18 dBFS RMS (within 1 dB); the silence all zeros.
    void sound()
    {
        QFETCH(QString, path);
        QFETCH(double, maxSeconds);
        SDL_AudioSpec wavFormat;
        Uint8 *buffer = nullptr;
        Uint32 bytes = 0;
        QVERIFY2(SDL_LoadWAV(qPrintable(m_paths.resolveFile(path)), &wavFormat, &buffer, &bytes), SDL_GetError());
        double sum = 0;
        for (Uint32 i = 0; i < bytes / 2; ++i)
            sum += std::pow(reinterpret_cast<const qint16 *>(buffer)[i], 2.0);
        SDL_FreeWAV(buffer);
        QCOMPARE(wavFormat.format, Uint16(AUDIO_S16LSB));
        QCOMPARE(wavFormat.channels, Uint8(1));
        QVERIFY(bytes > 0 && bytes / 2.0 / wavFormat.freq <= maxSeconds);
        const double rms = 20 * std::log10(std::sqrt(sum / (bytes / 2.0)) / 32768);
        if (path.endsWith(QLatin1String("_nosound.wav")))
            QCOMPARE(sum, 0.0);
        else
            QVERIFY2(std::abs(rms + 18) <= 1, qPrintable(QStringLiteral("%1 dBFS").arg(rms)));
    }

    // Every file has a line "name | package version | source | licence".
    void credits()
    {
        for (const QString &folder : {QStringLiteral("/animals/"), QStringLiteral("/sounds/")}) {
            QFile file(m_root + folder + QStringLiteral("CREDITS.txt"));
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
            const QString text = QString::fromUtf8(file.readAll());
            const QStringList names = QDir(m_root + folder).entryList({"*.jpg", "*.wav"}, QDir::Files);
            for (const QString &name : names) {
                const QString line = QStringLiteral("^%1( \\| [^|\\n]*\\S){3}").arg(QRegularExpression::escape(name));
                QVERIFY2(text.contains(QRegularExpression(line, QRegularExpression::MultilineOption)), qPrintable(name));
            }
        }
    }
};

QTEST_GUILESS_MAIN(FilesTest)
#include "tst_files.moc"
