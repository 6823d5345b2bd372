// The thirty animal buttons, the selection marks, and the animal's sound and spoken name.

#include "window_harness.h"

namespace {
// Each button: the name shown and spoken, the picture, what the loudspeaker then plays or says, the
// button's colour when the window opens and after Clear.
const char *const Animals[][6] = {
    {"Bear", "Bear", "animals\\bear.jpg", "Sound: sounds\\bear.wav", "#e0e0e0", "#e0e0e0"},
    {"Bird", "Bird", "animals\\bird.jpg", "Sound: sounds\\bird.wav", "#ffffff", "#e0e0e0"},
    {"Cat", "Cat", "animals\\cat.jpg", "Sound: sounds\\cat.wav", "#e0e0e0", "#e0e0e0"},
    {"Chicken", "Chicken", "animals\\chicken.jpg", "Sound: sounds\\chicken.wav", "#e0e0e0", "#e0e0e0"},
    {"Cow", "Cow", "animals\\cow.jpg", "Sound: sounds\\cow.wav", "#e0e0e0", "#e0e0e0"},
    {"Dog", "Dog", "animals\\dog.jpg", "Sound: sounds\\dog.wav", "#e0e0e0", "#e0e0e0"},
    {"Duck", "Duck", "animals\\Duck.jpg", "Sound: sounds\\duck.wav", "#00ffff", "#ffffff"},
    {"Elephant", "Elephant", "animals\\Elephant.jpg", "Sound: sounds\\elephant.wav", "#e0e0e0", "#e0e0e0"},
    {"Fish", "Fish", "animals\\fish.jpg", "Speak: fish make no sound", "#e0e0e0", "#e0e0e0"},
    {"Giraffe", "Giraffe", "animals\\Giraffe.jpg", "Speak: Giraffe's make no sound", "#ffffff", "#e0e0e0"},
    {"Goat", "Goat", "animals\\Goat.jpg", "Sound: sounds\\goat.wav", "#e0e0e0", "#e0e0e0"},
    {"Goose", "Goose", "animals\\Goose.jpg", "Sound: sounds\\goose.wav", "#e0e0e0", "#e0e0e0"},
    {"Gorilla", "Gorilla", "animals\\gorilla.jpg", "Sound: sounds\\gorilla.wav", "#e0e0e0", "#ffffff"},
    {"Hippo", "Hippopotamus", "animals\\hippo.jpg", "Sound: sounds\\hippo.wav", "#e0e0e0", "#e0e0e0"},
    {"Horse", "Horse", "animals\\horse.jpg", "Sound: sounds\\horse.wav", "#ffffff", "#ffffff"},
    {"Lamb", "Lamb", "animals\\Lamb.jpg", "Sound: sounds\\lamb.wav", "#ffffff", "#e0e0e0"},
    {"Lion", "Lion", "animals\\Lion.jpg", "Sound: sounds\\lion.wav", "#ffffff", "#e0e0e0"},
    {"Monkey", "Monkey", "animals\\monkey.jpg", "Sound: sounds\\monkey.wav", "#e0e0e0", "#e0e0e0"},
    {"Moose", "Moose", "animals\\moose.jpg", "Sound: sounds\\moose.wav", "#e0e0e0", "#e0e0e0"},
    {"Owl", "Owl", "animals\\owl.jpg", "Sound: sounds\\owl.wav", "#ffffff", "#e0e0e0"},
    {"Parrot", "Parrot", "animals\\parrot.jpg", "Sound: sounds\\parrot.wav", "#e0e0e0", "#e0e0e0"},
    {"Pig", "Pig", "animals\\pig.jpg", "Sound: sounds\\pig.wav", "#e0e0e0", "#e0e0e0"},
    {"Rabbit", "Rabbit", "animals\\rabbit.jpg", "Sound: sounds\\rabbit.wav", "#e0e0e0", "#ffffff"},
    {"Rhino", "Rhinoceros", "animals\\rhino.jpg", "Sound: sounds\\rhinoceros.wav", "#ffffff", "#e0e0e0"},
    {"Rooster", "Rooster", "animals\\rooster.jpg", "Sound: sounds\\rooster.wav", "#e0e0e0", "#e0e0e0"},
    {"Snake", "Snake", "animals\\snake.jpg", "Sound: sounds\\snake.wav", "#ffffff", "#e0e0e0"},
    {"Tiger", "Tiger", "animals\\tiger.jpg", "Sound: sounds\\tiger.wav", "#e0e0e0", "#e0e0e0"},
    {"Turkey", "Turkey", "animals\\turkey.jpg", "Sound: sounds\\turkey.wav", "#e0e0e0", "#e0e0e0"},
    {"Turtle", "Turtle", "animals\\turtle.jpg", "Speak: Turtle's make no sound", "#e0e0e0", "#e0e0e0"},
    {"Zebra", "Zebra", "animals\\zebra.jpg", "Sound: sounds\\zebra.wav", "#e0e0e0", "#ffffff"},
};
const QString NoSound = QStringLiteral("Sound: sounds\\_nosound.wav");
} // namespace

class MarksTest : public QObject
{
    Q_OBJECT

private slots:
    // Every button opens in its colour, shows its own animal and marks it; the loudspeaker then
    // plays that animal, the picture and the name say it; Clear gives it its neutral colour.
    void eachButtonShowsItsAnimal_data()
    {
        QTest::addColumn<int>("row"); // of Animals
        for (int row = 0; row < 30; ++row)
            QTest::newRow(Animals[row][0]) << row;
    }
    void eachButtonShowsItsAnimal()
    {
        QFETCH(int, row);
        const QString button = Animals[row][0], name = Animals[row][1], picture = Animals[row][2], heard = Animals[row][3];
        const QString opening = Animals[row][4], neutral = Animals[row][5];
        WindowHarness w;
        QCOMPARE(w.colour(button), opening);
        w.click(button);
        QCOMPARE(w.platform.take(), QStringList{QStringLiteral("Picture: ") + picture});
        QCOMPARE(w.shown("lblName " + button + "#"), name + "|#ff0000");
        w.click("imgSound");
        QCOMPARE(w.platform.take(), QStringList{heard});
        w.click("imgCenter"); // the picture and the name speak it and cut its sound off
        w.click("lblName");
        QCOMPARE(w.platform.take(), QStringList({"Speak: " + name, NoSound, "Speak: " + name, NoSound}));
        w.click("cmdClearAllGreen");
        QCOMPARE(w.colour(button), neutral);
    }

    // Eight colours in sequence, running on across Clear; the duck's cyan start-up mark is not one.
    void markColoursRunOnAcrossClear()
    {
        WindowHarness w;
        const QStringList buttons = {"Bear", "Bird", "Cat", "Dog", "Elephant", "Fish", "Giraffe", "Goat", "Duck"};
        const QStringList colours = {"#ff0000", "#00ff00", "#ffff00", "#0000ff", "#ff00ff",
                                     "#c00000", "#008000", "#800000", "#ff0000"};
        for (int i = 0; i < buttons.size(); ++i) {
            if (i == 3)
                w.click("cmdClearAllGreen");
            w.click(buttons.at(i));
            QCOMPARE(w.colour(buttons.at(i)), colours.at(i));
        }
    }

    // On the green bar: the marked animal clicked again turns it red; Clear, the focus elsewhere,
    // unmarks everything and leaves the rest alone. (Clear's own call: tst_cycle.)
    void afterTheNameAndSound_data()
    {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QString>("marked");
        QTest::addColumn<QString>("shown"); // the name, the bar's caption and colour, the lion's colour; the phase
        QTest::newRow("marked animal again") << "Lion cmd123 Lion" << "Duck Lion" << "Lion|Name And Sound|#c00000|#00ff00|1";
        QTest::newRow("Clear") << "Zebra cmd123 Tab cmdClearAllGreen" << "" << "Zebra|Get Next Animal...|#008000|#e0e0e0|2";
    }
    void afterTheNameAndSound()
    {
        QFETCH(QString, clicks);
        QFETCH(QString, marked);
        QFETCH(QString, shown);
        WindowHarness w;
        w.clicks(clicks);
        QCOMPARE(w.marked().join(' '), marked);
        QCOMPARE(w.shown("lblName cmd123 cmd123# Lion#") + '|' + QString::number(w.state().BarPhase), shown);
        QCOMPARE(w.focused(), QStringLiteral("cmd123"));
    }

    void missingPictureLeavesThePlaceEmptyAndGoesOn()
    {
        WindowHarness w;
        w.platform.pictureSize = QSize();
        w.click("Tiger");
        QVERIFY(w.control<QLabel>("imgCenter")->pixmap().isNull());
        QCOMPARE(w.shown("lblName cmd123"), QStringLiteral("Tiger|Name And Sound"));
        w.platform.pictureSize = QSize(216, 226);
        w.click("Pig");
        QCOMPARE(w.control<QLabel>("imgCenter")->pixmap().size(), QSize(216, 226));
    }
};

QTEST_MAIN(MarksTest)
#include "tst_marks.moc"
