// The pictures, sounds and names made by datagen/generate.sh, found and decoded as the program finds
// and decodes them. Without animals/, sounds/ and names/ in the source tree every case fails.
#include "catalogue/animal_catalogue.h"
#include "platform/data_paths.h"
#include "tests/window/window_harness.h"
#include "window/language.h"
#include "window/widgets.h"

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

    // Found where the catalogue says, 300x340 (clear under the name: generator_steps.sh).
    void picture()
    {
        QFETCH(QString, path);
        QCOMPARE(QImage(m_paths.resolveFile(path)).size(), QSize(300, 340));
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

    void names_data()
    {
        QTest::addColumn<QString>("lang");
        QTest::addColumn<QStringList>("expected"); // names that a mistake in choosing the source would change
        const QHash<QString, QStringList> expected{
            {"be", {"Goose=Гуска", "Rhino=Насарог"}}, {"bg", {"Chicken=Кокошка", "Lamb=Агне", "Turtle=Костенурка"}},
            {"da", {"Rabbit=Kanin"}}, {"de", {"Duck=Ente", "Rooster=Hahn"}}, {"el", {"Lamb=Αρνάκι"}}, {"es", {"Fish=Pez"}},
            {"fr", {"Cow=Vache", "Chicken=Poule", "Rhino=Rhinocéros", "Rooster=Coq"}}, {"nl", {"Goat=Geit"}},
            {"pt_BR", {"Dog=Cachorro"}}, {"ru", {"Bear=Медведь", "Horse=Лошадь"}}, {"uk", {"Zebra=Зебра"}}};
        for (const char *lang : {"be", "bg", "ca", "cs", "da", "de", "el", "es", "fi", "fr", "it", "nl", "pl", "pt", "pt_BR", "ro", "ru", "sv", "uk"})
            QTest::newRow(lang) << QString::fromLatin1(lang) << expected.value(QLatin1String(lang));
    }

    // All thirty names, bare and capitalised, each caption fitting its button in the window shown
    // in that language.
    void names()
    {
        QFETCH(QString, lang);
        QFETCH(QStringList, expected);
        QFile file(m_paths.resolveFile(QStringLiteral("names\\%1.txt").arg(lang)));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const NamesFile parsed = parseNames(file.readAll()); // as the program reads it: no line it refuses
        QVERIFY2(parsed.problems.isEmpty(), qPrintable(parsed.problems.join(' ')));
        for (const QString &line : expected)
            QCOMPARE(line.section(QLatin1Char('='), 0, 0) + "=" + parsed.names.value(line.section(QLatin1Char('='), 0, 0)), line);
        // The window in this language, as the child sees it.
        const WindowHarness window(true, [&](WindowHarness &w) {
            w.language.code = lang;
            w.language.names = parsed.names;
            w.language.captions = parsed.captions;
        });
        const QRegularExpression article("^(l'|un'|(un|une|le|la|les|der|die|das|ein|eine|el|una|een|de|het|en|et|ett|um|uma|o|a|ο|η|το) )",
                                         QRegularExpression::CaseInsensitiveOption);
        for (const AnimalRow &row : AnimalCatalogue) {
            const QString name = parsed.names.value(QLatin1String(row.button));
            const QString caption = parsed.captions.value(QLatin1String(row.button));
            QVERIFY2(!name.isEmpty() && name.at(0) == name.at(0).toUpper() && !name.contains(article) &&
                         !name.contains(QRegularExpression("[.,;!?()]")), qPrintable(row.button + (": " + name)));
            // Its caption fits, in a font just small enough: a pixel larger would not fit.
            const ColourButton *button = window.button(QLatin1String(row.button));
            const QString shown = caption.isEmpty() ? name : caption;
            const int room = captionRoom(button), size = button->font().pixelSize();
            const int width = button->fontMetrics().horizontalAdvance(shown);
            QFont larger = button->font();
            larger.setPixelSize(size + 1);
            QCOMPARE(button->text(), shown);
            QVERIFY2(width <= room && size >= 13 && size <= 21 && (size == 21 || QFontMetrics(larger).horizontalAdvance(shown) > room),
                     qPrintable(QStringLiteral("%1 is %2 px wide at %3 px, the button has %4").arg(shown).arg(width).arg(size).arg(room)));
        }
    }

    // Every file has a line "name | package version | source | licence".
    void credits()
    {
        for (const QString &folder : {QStringLiteral("/animals/"), QStringLiteral("/sounds/")}) {
            QFile file(m_root + folder + QStringLiteral("CREDITS.txt"));
            QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
            const QString text = QString::fromUtf8(file.readAll());
            for (const QString &name : QDir(m_root + folder).entryList({"*.jpg", "*.wav"}, QDir::Files)) {
                const QString line = QStringLiteral("^%1( \\| [^|\\n]*\\S){3}").arg(QRegularExpression::escape(name));
                QVERIFY2(text.contains(QRegularExpression(line, QRegularExpression::MultilineOption)), qPrintable(name));
            }
        }
    }
};

QTEST_MAIN(FilesTest)
#include "tst_files.moc"
