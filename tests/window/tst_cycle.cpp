// The whole cycle: the two-phase bar, the picker, clicks that land in the middle of a pause, and
// the two links.

#include "window_harness.h"

#include <cmath>

namespace {
const QString Help = QStringLiteral("Speak: ,,,,,,,,,,,,,,,,,,,,,,click the green bar to get the next animal. you "
                                    "can also just press the space bar if you like.");
const QString NoSound = QStringLiteral("Sound: sounds\\_nosound.wav");
} // namespace

class CycleTest : public QObject
{
    Q_OBJECT

private slots:
    void firstBarClickSaysTheDuckAndPlaysItsSound()
    {
        WindowHarness w;
        w.click("cmd123");
        QCOMPARE(w.platform.take(), QStringList({NoSound, "Speak: Duck", NoSound, Help, "Pause: 400000",
                                                 "Sound: sounds\\duck.wav"}));
        QCOMPARE(w.button("cmd123")->backColor(), Colour::BarGreen);
        QCOMPARE(w.text("cmd123"), QStringLiteral("Get Next Animal..."));
        QCOMPARE(w.form->state().BarPhase, 2);
        QCOMPARE(w.form->state().HelpSpokenMark, 55);
    }

    void helpIsSpokenOncePerRun()
    {
        WindowHarness w;
        w.click("cmd123");
        w.press(Qt::Key_Space); // next animal
        w.platform.take();
        w.press(Qt::Key_Space); // its name and sound, without the help
        const QStringList calls = w.platform.take();
        QVERIFY(!calls.contains(Help));
        QCOMPARE(calls.filter(QStringLiteral("Speak:")).size(), 1);
    }

    void greenBarEmptiesTheNameThenShowsTheNextAnimalAtOnce()
    {
        WindowHarness w;
        w.click("cmd123");
        w.platform.take();
        w.platform.draws = {drawFor(1)};
        QStringList during;
        w.platform.atPass(10, [&] {
            during << w.text("lblName") << w.text("cmd123") << QString::number(w.button("cmd123")->backColor())
                   << QString::number(w.control<QLabel>("imgCenter")->pixmap().cacheKey());
        });
        const qint64 duckPicture = w.control<QLabel>("imgCenter")->pixmap().cacheKey();
        w.press(Qt::Key_Space);

        QCOMPARE(during, QStringList({"", "Get Next Animal...", QString::number(Colour::BarRed),
                                      QString::number(duckPicture)}));
        QCOMPARE(w.platform.take(), QStringList({NoSound, "Pause: 30000", NoSound, "Pause: 30000",
                                                 "Picture: animals\\bear.jpg"}));
        QCOMPARE(w.text("lblName"), QStringLiteral("Bear"));
        QCOMPARE(w.text("cmd123"), QStringLiteral("Name And Sound"));
        QCOMPARE(w.form->state().BarPhase, 1);
        QCOMPARE(w.marked(), QStringList({"Bear", "Duck"}));
        QCOMPARE(w.button("Bear")->backColor(), 255u);
        QCOMPARE(w.focused(), QStringLiteral("cmd123"));
    }

    // A second press during the long pause gets the next animal at once; the first press then
    // plays the sound of that animal, whose name it never said.
    void secondPressDuringTheLongPause()
    {
        WindowHarness w;
        w.click("cmd123");
        w.platform.take();
        w.click("Cow");
        w.platform.draws = {drawFor(22)};
        w.platform.atPass(1000, [&] { w.press(Qt::Key_Space); });
        w.press(Qt::Key_Space);
        QCOMPARE(w.platform.take(), QStringList({"Picture: animals\\cow.jpg", NoSound, "Speak: Cow", NoSound,
                                                 "Pause: 1000", NoSound, "Pause: 30000", NoSound, "Pause: 30000",
                                                 "Picture: animals\\pig.jpg", "Pause: 399000",
                                                 "Sound: sounds\\pig.wav"}));
        QCOMPARE(w.form->state().BarPhase, 1);
        QCOMPARE(w.text("cmd123"), QStringLiteral("Name And Sound"));
    }

    // Each of two picks shows its own animal: the one that ran inside the other's pause first.
    void secondPressDuringThePickersPause()
    {
        WindowHarness w;
        w.click("cmd123");
        w.platform.draws = {drawFor(5), drawFor(6)};
        w.platform.atPass(30000 + 5, [&] { w.press(Qt::Key_Space); });
        w.platform.take();
        w.press(Qt::Key_Space);
        QCOMPARE(w.platform.take("Picture"), QStringList({"animals\\dog.jpg", "animals\\cow.jpg"}));
        QCOMPARE(w.marked(), QStringList({"Cow", "Dog", "Duck"}));
        QCOMPARE(w.form->state().CurrentAnimal, QStringLiteral("Cow"));
        QCOMPARE(w.form->state().AnimalNumber, 6.0f);
        QCOMPARE(w.platform.passes, 600000L + 400000 + 4 * 30000);
    }

    void secondPressDuringTheBarsShortPauseAlsoPicksTwice()
    {
        WindowHarness w;
        w.click("cmd123");
        w.platform.draws = {drawFor(5), drawFor(6)};
        w.platform.atPass(5, [&] { w.press(Qt::Key_Space); });
        w.press(Qt::Key_Space);
        QCOMPARE(w.platform.take("Picture"), QStringList({"animals\\cow.jpg", "animals\\dog.jpg"}));
        QCOMPARE(w.form->state().CurrentAnimal, QStringLiteral("Dog"));
    }

    // The animal a pick drew is not marked until it is shown, so a pick inside its pause may draw
    // it again.
    void bothPicksMayShowTheSameAnimal()
    {
        WindowHarness w;
        w.click("cmd123");
        w.platform.draws = {drawFor(5), drawFor(5)};
        w.platform.atPass(30000 + 5, [&] { w.press(Qt::Key_Space); });
        w.press(Qt::Key_Space);
        QCOMPARE(w.platform.take("Picture"), QStringList({"animals\\cow.jpg", "animals\\cow.jpg"}));
        QCOMPARE(w.button("Cow")->backColor(), Green);
    }

    void animalClickDuringTheLongPausePlaysThatAnimal()
    {
        WindowHarness w;
        w.platform.atPass(200000, [&] { w.click("Horse"); });
        w.click("cmd123");
        QCOMPARE(w.platform.take().mid(4), QStringList({"Pause: 200000", "Picture: animals\\horse.jpg",
                                                        "Pause: 200000", "Sound: sounds\\horse.wav"}));
        QCOMPARE(w.form->state().BarPhase, 1);
        QCOMPARE(w.text("cmd123"), QStringLiteral("Name And Sound"));
        QCOMPARE(w.button("cmd123")->backColor(), Colour::BarRed);
    }

    void clearDuringThePickersPause()
    {
        WindowHarness w;
        w.click("Bear");
        w.click("Bird");
        w.click("cmd123");
        w.platform.draws = {drawFor(3)};
        w.platform.atPass(30000 + 7, [&] { w.click("cmdClearAllGreen"); });
        w.press(Qt::Key_Space);
        QCOMPARE(w.marked(), QStringList{"Cat"});
        QCOMPARE(w.button("Bear")->backColor(), Colour::LightGrey);
        QCOMPARE(w.button("Cat")->backColor(), 65535u);
    }

    void lastUnmarkedAnimalIsFound()
    {
        WindowHarness w;
        for (const AnimalRow &row : AnimalCatalogue) {
            if (row.number != 20)
                w.click(QLatin1String(row.button));
        }
        w.click("cmd123");
        w.platform.reseeds = 0;
        w.platform.draws = {drawFor(1), drawFor(30), drawFor(7), drawFor(20)};
        w.press(Qt::Key_Space);
        QCOMPARE(w.form->state().CurrentAnimal, QStringLiteral("Owl"));
        QCOMPARE(w.platform.reseeds, 4);
        QVERIFY(w.form->state().AllSelectedFlag.isEmpty());
    }

    void allMarkedStartsANewCycle()
    {
        WindowHarness w;
        for (const AnimalRow &row : AnimalCatalogue)
            w.click(QLatin1String(row.button));
        QCOMPARE(w.marked().size(), 30);
        w.click("cmd123");
        w.platform.take();
        w.platform.draws = {drawFor(30)}; // the zebra, still on show
        w.press(Qt::Key_Space);
        const QStringList calls = w.platform.take();
        QVERIFY(calls.contains(QStringLiteral("Speak: all selected")));
        QCOMPARE(w.marked(), QStringList{"Zebra"});
        QVERIFY(w.form->state().AllSelectedFlag.isEmpty());
        for (const AnimalRow &row : AnimalCatalogue) {
            if (row.number != 30)
                QCOMPARE(w.button(QLatin1String(row.button))->backColor(), row.neutralColour);
        }
        QCOMPARE(w.text("lblName"), QStringLiteral("Zebra"));
        // The next pick is an ordinary one again.
        w.press(Qt::Key_Space);
        w.platform.take();
        w.press(Qt::Key_Space);
        QVERIFY(!w.platform.take().contains(QStringLiteral("Speak: all selected")));
    }

    void drawEnds_data()
    {
        QTest::addColumn<float>("r");
        QTest::addColumn<QString>("animal");
        QTest::newRow("zero") << 0.0f << "Bear";
        QTest::newRow("largest below one") << std::nextafter(1.0f, 0.0f) << "Zebra";
        QTest::newRow("just below 1/30") << std::nextafter(1.0f / 30.0f, 0.0f) << "Bear";
    }
    void drawEnds()
    {
        QFETCH(float, r);
        QFETCH(QString, animal);
        WindowHarness w;
        w.click("cmdClearAllGreen");
        w.click("cmd123");
        w.platform.draws = {r};
        w.press(Qt::Key_Space);
        QCOMPARE(w.form->state().CurrentAnimal, animal);
    }

    void everyPickEndsWithTheFocusOnTheBar()
    {
        WindowHarness w;
        w.click("cmd123");
        // Tab away in the middle of the picker's pause, and again after the animal is shown.
        w.platform.atPass(30000 + 10, [&] { w.press(Qt::Key_Tab); });
        w.press(Qt::Key_Space);
        QCOMPARE(w.focused(), QStringLiteral("cmd123"));
    }

    void volumeProgramFollowsTheSystemVersion_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("program");
        QTest::newRow("6.0") << "6.0" << "sndvol.exe";
        QTest::newRow("5.99") << "5.99" << "sndvol32.exe";
        QTest::newRow("10.0") << "10.0" << "sndvol.exe";
        QTest::newRow("unreadable") << "unknown" << "sndvol32.exe";
        QTest::newRow("empty") << "" << "sndvol32.exe";
    }
    void volumeProgramFollowsTheSystemVersion()
    {
        QFETCH(QString, version);
        QFETCH(QString, program);
        WindowHarness w;
        w.platform.versionText = version;
        w.click("Label6");
        w.click("Label6");
        QCOMPARE(w.platform.versionReads, 2);
        QCOMPARE(w.platform.take(), QStringList({"Shell: " + program, "Shell: " + program}));
    }

    void linksChangeNothingElse()
    {
        WindowHarness w;
        w.click("cmd123");
        w.platform.take();
        const WindowState before = w.form->state();
        w.click("Label5");
        w.click("Label6");
        for (const char *inert : {"Label1", "Label4", "Label7", "Label2", "Label8", "lblTime", "tts", "Shape1"})
            w.click(inert);
        QCOMPARE(w.platform.take(), QStringList({"Shell: zubiko.example.org", "Shell: sndvol.exe"}));
        QCOMPARE(w.text("Label5"), QStringLiteral("zubiko.example.org"));
        QCOMPARE(w.form->state().BarPhase, before.BarPhase);
        QCOMPARE(w.form->state().SelectionFlag, before.SelectionFlag);
        QCOMPARE(w.focused(), QStringLiteral("cmd123"));
    }

private:
    static constexpr BgrColour Green = 65280;
};

QTEST_MAIN(CycleTest)
#include "tst_cycle.moc"
