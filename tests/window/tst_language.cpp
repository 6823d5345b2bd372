// The window in another language: every kind of text is asked of the translation, the names come
// from the language's names, the clock takes the locale's format. And the names file's parser.

#include "window_harness.h"

#include <QTranslator>

namespace {

// Marks every text it translates; the no-sound sentence puts the name where a language would.
class MarkingTranslator : public QTranslator
{
public:
    QString translate(const char *, const char *source, const char *, int) const override
    {
        const QString text = QString::fromUtf8(source);
        return text == QLatin1String("%1's make no sound") ? QStringLiteral("no sound: %1") : QStringLiteral("[fr]") + text;
    }
    bool isEmpty() const override { return false; }
};

void french(WindowHarness &w)
{
    w.language.code = QStringLiteral("fr");
    w.language.locale = QLocale(QLocale::French, QLocale::France);
    w.language.names = {{"Duck", "Canard"}, {"Giraffe", "Girafe"}, {"Hippo", "Hippopotame"}};
    w.language.captions = {{"Hippo", "Hippo"}};
    w.platform.clock = QDateTime(QDate(2026, 12, 6), QTime(15, 5));
}

} // namespace

class LanguageTest : public QObject
{
    Q_OBJECT

private slots:
    // One row per kind of text: the clicks made, then the control shown or the text spoken.
    void windowAsksForTheLanguage_data()
    {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QString>("control"); // empty: the texts spoken
        QTest::addColumn<QString>("expected");
        QTest::newRow("big name") << "" << "lblName" << "Canard";
        QTest::newRow("caption, name") << "" << "Duck" << "Canard";
        QTest::newRow("caption, short") << "" << "Hippo" << "Hippo";
        QTest::newRow("first bar caption") << "" << "cmd123" << "[fr]Name And Sound ...";
        QTest::newRow("second bar caption") << "cmd123" << "cmd123" << "[fr]Get Next Animal...";
        QTest::newRow("Clear") << "" << "cmdClearAllGreen" << "[fr]Clear";
        QTest::newRow("web hint") << "" << "Label1" << "[fr]Get more free children's software here";
        QTest::newRow("clock") << "" << "lblTime" << "15:05";
        QTest::newRow("welcome") << "" << QString()
                                 << "Speak: [fr],,, Zubiko.. click the red bar for the animal name and sound ";
        QTest::newRow("name and help") << "cmd123" << QString() << "Speak: Canard|Speak: [fr],,,,,,,,,,,,,,,,,,,,,,click the green bar to get the next animal. you can also just press the space bar if you like.";
        QTest::newRow("no sound") << "Giraffe imgSound" << QString() << "Speak: no sound: Girafe";
        QTest::newRow("fish") << "Fish imgSound" << QString() << "Speak: [fr]fish make no sound";
    }
    void windowAsksForTheLanguage()
    {
        QFETCH(QString, clicks);
        QFETCH(QString, control);
        QFETCH(QString, expected);
        MarkingTranslator translator;
        QCoreApplication::installTranslator(&translator);
        WindowHarness w(false, french);
        w.clicks(clicks);
        if (control.isEmpty()) {
            const QStringList spoken = w.platform.take().filter(QStringLiteral("Speak: "));
            for (const QString &text : expected.split(QLatin1Char('|')))
                QVERIFY2(spoken.contains(text), qPrintable(spoken.join(QLatin1Char('\n'))));
        } else {
            QCOMPARE(w.text(control), expected);
        }
        QCoreApplication::removeTranslator(&translator);
    }

    void namesFileBrokenLines_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("names"); // "Button=name" joined by ";", sorted
        QTest::addColumn<QString>("problems");
        QTest::newRow("good, comment, caption, CRLF, BOM")
            << QByteArray("\xEF\xBB\xBF# from Debian\r\nDuck=Canard\r\n\nHippo = Hippopotame \nHippo.caption=Hippo\n")
            << "Duck=Canard;Hippo=Hippopotame" << "";
        QTest::newRow("no equals, unknown, empty") << QByteArray("Duck Canard\nDodo=Dronte\nCow=\n") << ""
                                                   << "line 1: no \"=\"|line 2: unknown animal \"Dodo\"|line 3: no name";
        QTest::newRow("case of the button") << QByteArray("duck=Canard\n") << "" << "line 1: unknown animal \"duck\"";
        QTest::newRow("twice: the first wins") << QByteArray("Cat=Chat\nCat=Minou\n") << "Cat=Chat" << "line 2: Cat named twice";
        QTest::newRow("not UTF-8, control") << QByteArray("Cat=Ch\xE2t\nDog=Ch\x01ien\n") << ""
                                            << "line 1: not UTF-8|line 2: a control character in the name";
        QTest::newRow("overlong") << QByteArray("Cat=") + QByteArray(41, 'a') << "" << "line 1: name longer than 40 characters";
    }
    void namesFileBrokenLines()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, names);
        QFETCH(QString, problems);
        const NamesFile parsed = parseNames(file);
        QStringList got;
        for (auto it = parsed.names.cbegin(); it != parsed.names.cend(); ++it)
            got << it.key() + QLatin1Char('=') + it.value();
        got.sort();
        QCOMPARE(got.join(QLatin1Char(';')), names);
        QCOMPARE(parsed.problems.join(QLatin1Char('|')), problems);
    }

    // A language missing falls back to English; English first stops the search.
    void languageChosen_data()
    {
        QTest::addColumn<QStringList>("wanted");
        QTest::addColumn<QString>("code");
        QTest::newRow("region falls to language") << QStringList{"fr-CA"} << "fr";
        QTest::newRow("missing, then one there") << QStringList{"xx", "de-DE", "fr"} << "fr";
        QTest::newRow("names but no translation") << QStringList{"it"} << "en";
        QTest::newRow("English first") << QStringList{"en-GB", "fr"} << "en";
        QTest::newRow("region's names, language's translation") << QStringList{"pt-BR"} << "pt_BR";
        QTest::newRow("nothing") << QStringList() << "en";
    }
    void languageChosen()
    {
        QFETCH(QStringList, wanted);
        QFETCH(QString, code);
        const Language language = chooseLanguage(
            wanted, [](const QString &c) { return c == QLatin1String("fr") || c == QLatin1String("pt"); },
            [](const QString &c) {
                return QStringList{"fr", "it", "pt_BR"}.contains(c) ? QByteArray("Duck=Canard\n") : QByteArray();
            });
        QCOMPARE(language.code, code);
        QCOMPARE(language.name(animalRow(7)), code == QLatin1String("en") ? QStringLiteral("Duck") : QStringLiteral("Canard"));
    }
};

QTEST_MAIN(LanguageTest)
#include "tst_language.moc"
