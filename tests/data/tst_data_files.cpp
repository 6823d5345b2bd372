// Checks the generated data folders against what the window needs of them: every picture the
// catalogue names decodes, has the one common size, a white band where the name is drawn and
// the whole animal inside the visible part; every sound decodes as 16-bit mono PCM, is short,
// is not silent and is as loud as the others. Needs datagen/generate.sh to have run; without
// the data every test fails and says so.
#include "catalogue/animal_catalogue.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTest>

#include <cmath>
#include <optional>

namespace {

// Window layout the pictures must fit: the picture's top-left corner is at window pixel
// (116,112); the name band ends at window x 471 and covers window rows 112..166; the
// loudspeaker's label starts at window row 460 and the bar at row 492.
constexpr int PictureLeft = 116;
constexpr int PictureTop = 112;
constexpr int BandRight = 471;
constexpr int BandRows = 55;
constexpr int FirstCoveredRow = 460;

// A decoded WAV file, as far as these tests look at it.
struct Wav
{
    quint16 format = 0;
    quint16 channels = 0;
    quint32 rate = 0;
    quint16 bits = 0;
    QVector<qint16> samples;

    double seconds() const { return rate ? double(samples.size()) / rate : 0.0; }
};

quint32 le32(const QByteArray &b, qsizetype at)
{
    return quint32(quint8(b[at])) | quint32(quint8(b[at + 1])) << 8 | quint32(quint8(b[at + 2])) << 16
        | quint32(quint8(b[at + 3])) << 24;
}

quint16 le16(const QByteArray &b, qsizetype at)
{
    return quint16(quint8(b[at]) | quint8(b[at + 1]) << 8);
}

// Walks the RIFF chunks; nullopt when the file is not a complete WAV with fmt and data.
std::optional<Wav> readWav(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray b = file.readAll();
    if (b.size() < 12 || !b.startsWith("RIFF") || b.mid(8, 4) != "WAVE")
        return std::nullopt;
    Wav wav;
    bool haveFormat = false;
    qsizetype at = 12;
    while (at + 8 <= b.size()) {
        const QByteArray id = b.mid(at, 4);
        const qsizetype size = qsizetype(le32(b, at + 4));
        const qsizetype body = at + 8;
        if (body + size > b.size())
            return std::nullopt;
        if (id == "fmt " && size >= 16) {
            wav.format = le16(b, body);
            wav.channels = le16(b, body + 2);
            wav.rate = le32(b, body + 4);
            wav.bits = le16(b, body + 14);
            haveFormat = true;
        } else if (id == "data" && haveFormat) {
            if (wav.bits != 16)
                return wav;
            wav.samples.resize(size / 2);
            for (qsizetype i = 0; i < wav.samples.size(); ++i)
                wav.samples[i] = qint16(le16(b, body + 2 * i));
            return wav;
        }
        at = body + size + (size & 1);
    }
    return std::nullopt;
}

double toDb(double ratio)
{
    return ratio > 0 ? 20.0 * std::log10(ratio) : -HUGE_VAL;
}

double peakDb(const QVector<qint16> &s)
{
    int peak = 0;
    for (qint16 v : s)
        peak = qMax(peak, qAbs(int(v)));
    return toDb(peak / 32768.0);
}

double rmsDb(const QVector<qint16> &s)
{
    double sum = 0;
    for (qint16 v : s)
        sum += double(v) * double(v);
    return s.isEmpty() ? -HUGE_VAL : toDb(std::sqrt(sum / double(s.size())) / 32768.0);
}

bool isWhite(QRgb p)
{
    return qRed(p) >= 245 && qGreen(p) >= 245 && qBlue(p) >= 245;
}

} // namespace

class DataFilesTest : public QObject
{
    Q_OBJECT

private:
    QDir m_root;
    double m_targetRms = 0;
    double m_tolerance = 0;

    // The generator's own settings, read from where it keeps them.
    static std::optional<double> generatorSetting(const QString &libText, const QString &name)
    {
        const QRegularExpression re(QStringLiteral("^%1=(-?[0-9.]+)").arg(name), QRegularExpression::MultilineOption);
        const QRegularExpressionMatch m = re.match(libText);
        if (!m.hasMatch())
            return std::nullopt;
        return m.captured(1).toDouble();
    }

    // What the program opens for a path written "animals\Duck.jpg": the folder relative to
    // the working directory, the name looked up without regard to case; the files are lower case.
    QString resolve(const char *programPath) const
    {
        return m_root.filePath(QString::fromLatin1(programPath).replace(QLatin1Char('\\'), QLatin1Char('/')).toLower());
    }

    static QString missing(const QString &path)
    {
        return QStringLiteral("%1 is missing: run datagen/generate.sh first").arg(path);
    }

private slots:
    void initTestCase()
    {
        m_root = QDir(QString::fromLocal8Bit(qgetenv("ZUBIKO_SOURCE_DIR")));
        QVERIFY2(m_root.exists(QStringLiteral("datagen/lib.sh")), "ZUBIKO_SOURCE_DIR must name the source tree");
        QFile lib(m_root.filePath(QStringLiteral("datagen/lib.sh")));
        QVERIFY(lib.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(lib.readAll());
        const auto target = generatorSetting(text, QStringLiteral("DG_TARGET_RMS_DB"));
        const auto tolerance = generatorSetting(text, QStringLiteral("DG_RMS_TOLERANCE_DB"));
        QVERIFY2(target && tolerance, "datagen/lib.sh no longer states the loudness target and tolerance");
        m_targetRms = *target;
        m_tolerance = *tolerance;
        QVERIFY2(m_root.exists(QStringLiteral("animals")) && m_root.exists(QStringLiteral("sounds")),
                 "animals/ or sounds/ missing: run datagen/generate.sh first");
    }

    void picture_data()
    {
        QTest::addColumn<QString>("path");
        for (const AnimalRow &row : AnimalCatalogue)
            QTest::newRow(row.button) << resolve(row.picturePath);
        // Start-up shows the duck under a path of its own.
        QTest::newRow("start-up duck") << resolve("animals\\duck.jpg");
    }

    void picture()
    {
        QFETCH(QString, path);
        QVERIFY2(QFile::exists(path), qPrintable(missing(path)));
        const QImage image(path);
        QVERIFY2(!image.isNull(), qPrintable(path + QStringLiteral(" does not decode")));

        // One common size, taken from the bear, and one that fits the panel.
        const QImage bear(resolve(AnimalCatalogue.front().picturePath));
        QCOMPARE(image.size(), bear.size());
        QVERIFY2(PictureLeft + image.width() - 1 <= BandRight, "wider than the white panel");
        QVERIFY2(PictureTop + image.height() <= FirstCoveredRow, "reaches under the loudspeaker's label");

        // The name band hides the top rows: they must hold nothing but white ground.
        for (int y = 0; y < BandRows; ++y)
            for (int x = 0; x < image.width(); ++x)
                if (!isWhite(image.pixel(x, y)))
                    QFAIL(qPrintable(QStringLiteral("not white under the name band at (%1,%2)").arg(x).arg(y)));

        // The whole animal is inside: the outer frame is white (nothing cut at an edge) and
        // there is an animal at all.
        int drawn = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const bool edge = x < 2 || y >= image.height() - 2 || x >= image.width() - 2;
                const bool white = isWhite(image.pixel(x, y));
                if (edge && !white)
                    QFAIL(qPrintable(QStringLiteral("the drawing touches the edge at (%1,%2)").arg(x).arg(y)));
                drawn += white ? 0 : 1;
            }
        }
        QVERIFY2(drawn > image.width() * image.height() / 10, "hardly anything drawn");
    }

    void sound_data()
    {
        QTest::addColumn<QString>("path");
        for (const AnimalRow &row : AnimalCatalogue)
            if (row.soundFile)
                QTest::newRow(row.button) << resolve(row.soundFile);
        // Played at start-up.
        QTest::newRow("duckonce") << resolve("sounds\\duckonce.wav");
    }

    void sound()
    {
        QFETCH(QString, path);
        QVERIFY2(QFile::exists(path), qPrintable(missing(path)));
        const std::optional<Wav> wav = readWav(path);
        QVERIFY2(wav.has_value(), qPrintable(path + QStringLiteral(" is not a complete WAV file")));
        QCOMPARE(wav->format, quint16(1)); // plain PCM
        QCOMPARE(wav->bits, quint16(16));
        QCOMPARE(wav->channels, quint16(1));
        QVERIFY(wav->rate >= 8000);

        QVERIFY2(wav->seconds() > 0.05 && wav->seconds() <= 3.5,
                 qPrintable(QStringLiteral("length %1 s").arg(wav->seconds())));
        QVERIFY2(peakDb(wav->samples) >= -40.0, qPrintable(QStringLiteral("silent: peak %1 dBFS").arg(peakDb(wav->samples))));
        const double rms = rmsDb(wav->samples);
        QVERIFY2(std::abs(rms - m_targetRms) <= m_tolerance,
                 qPrintable(QStringLiteral("RMS %1 dBFS, wanted %2 +- %3").arg(rms).arg(m_targetRms).arg(m_tolerance)));

        // No long silence left at either end: the first and last 20 ms already sound.
        const qsizetype edge = qsizetype(wav->rate / 50);
        QVERIFY(peakDb(wav->samples.mid(0, edge)) > -60.0);
        QVERIFY(peakDb(wav->samples.mid(wav->samples.size() - 4 * edge)) > -60.0);
    }

    void duckonceIsOneQuack()
    {
        const QString path = resolve("sounds\\duckonce.wav");
        QVERIFY2(QFile::exists(path), qPrintable(missing(path)));
        const std::optional<Wav> once = readWav(path);
        const std::optional<Wav> all = readWav(resolve("sounds\\duck.wav"));
        QVERIFY(once && all);
        QVERIFY2(once->seconds() < 0.5, qPrintable(QStringLiteral("%1 s: more than one quack").arg(once->seconds())));
        QVERIFY(once->seconds() < all->seconds() / 4);
    }

    void nosoundIsTrueSilence()
    {
        const QString path = resolve("sounds\\_nosound.wav");
        QVERIFY2(QFile::exists(path), qPrintable(missing(path)));
        const std::optional<Wav> wav = readWav(path);
        QVERIFY2(wav.has_value(), "not a complete WAV file");
        QCOMPARE(wav->bits, quint16(16));
        QVERIFY(!wav->samples.isEmpty());
        QVERIFY(wav->seconds() <= 0.5);
        for (qint16 v : wav->samples)
            if (v != 0)
                QFAIL("a sample is not zero");
    }

    // Every generated file has its credit line: package and version (or "none" for what the
    // generator made itself), where it came from, and its licence; made sounds are called stand-ins.
    void credits_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("animals") << QStringLiteral("animals") << QStringLiteral("*.jpg");
        QTest::newRow("sounds") << QStringLiteral("sounds") << QStringLiteral("*.wav");
    }

    void credits()
    {
        QFETCH(QString, folder);
        QFETCH(QString, pattern);
        const QString creditsPath = m_root.filePath(folder + QStringLiteral("/CREDITS.txt"));
        QVERIFY2(QFile::exists(creditsPath), qPrintable(missing(creditsPath)));
        QFile file(creditsPath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));

        const QStringList files = QDir(m_root.filePath(folder)).entryList({pattern}, QDir::Files);
        QVERIFY(!files.isEmpty());
        for (const QString &name : files) {
            QVERIFY2(name == name.toLower(), qPrintable(name + QStringLiteral(" is not lower case")));
            const QStringList line = lines.filter(QRegularExpression(QStringLiteral("^%1 \\|").arg(QRegularExpression::escape(name))));
            QVERIFY2(line.size() == 1, qPrintable(name + QStringLiteral(" has no credit line")));
            const QStringList fields = line.first().split(QStringLiteral(" | "));
            QVERIFY2(fields.size() >= 4, qPrintable(line.first()));
            for (const QString &field : fields)
                QVERIFY2(!field.trimmed().isEmpty(), qPrintable(line.first()));
            const bool fromPackage = fields.at(1) != QLatin1String("none");
            if (fromPackage)
                QVERIFY2(fields.at(1).contains(QRegularExpression(QStringLiteral("^[a-z0-9.+-]+ [0-9][^ ]*$"))),
                         qPrintable(QStringLiteral("no package and version: ") + line.first()));
            else if (name != QLatin1String("_nosound.wav"))
                QVERIFY2(line.first().contains(QLatin1String("STAND-IN")),
                         qPrintable(QStringLiteral("made without a recording but not called a stand-in: ") + line.first()));
        }
    }
};

QTEST_GUILESS_MAIN(DataFilesTest)
#include "tst_data_files.moc"
