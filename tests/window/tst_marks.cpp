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
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("heard");
        QTest::addColumn<QString>("opening");
        QTest::addColumn<QString>("neutral");
        for (const auto &animal : Animals)
            QTest::newRow(animal[0]) << animal[0] << animal[1] << animal[2] << animal[3] << animal[4] << animal[5];
    }
    void eachButtonShowsItsAnimal()
    {
        QFETCH(QString, button);
        QFETCH(QString, name);
        QFETCH(QString, picture);
        QFETCH(QString, heard);
        QFETCH(QString, opening);
        QFETCH(QString, neutral);
        WindowHarness w;
        QCOMPARE(w.colour(button), opening);
        w.click(button);
        QCOMPARE(w.platform.take(), QStringList{QStringLiteral("Picture: ") + picture});
        QCOMPARE(w.state().CurrentAnimal, name);
        QCOMPARE(w.text("lblName"), name);
        QVERIFY(w.marked().contains(button));
        QCOMPARE(w.colour(button), QStringLiteral("#ff0000"));
        QCOMPARE(w.focused(), QStringLiteral("cmd123"));
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

    void clickingAMarkedAnimalAgainOnTheGreenBar()
    {
        WindowHarness w;
        w.click("Lion");
        w.click("cmd123");
        QCOMPARE(w.state().BarPhase, 2);
        w.click("Lion");
        QCOMPARE(w.marked(), QStringList({"Duck", "Lion"}));
        QCOMPARE(w.colour("Lion"), QStringLiteral("#00ff00"));
        QCOMPARE(w.text("cmd123"), QStringLiteral("Name And Sound"));
        QCOMPARE(w.colour("cmd123"), QStringLiteral("#c00000"));
        QCOMPARE(w.state().BarPhase, 1);
    }

    void clearUnmarksEverythingAndLeavesTheRestAlone()
    {
        WindowHarness w;
        w.click("Zebra");
        w.click("cmd123");
        w.press(Qt::Key_Tab);
        w.platform.take();
        w.click("cmdClearAllGreen");
        QCOMPARE(w.platform.take(), QStringList{NoSound});
        QVERIFY(w.marked().isEmpty());
        QVERIFY(w.state().AllSelectedFlag.isEmpty());
        QCOMPARE(w.text("lblName"), QStringLiteral("Zebra"));
        QCOMPARE(w.text("cmd123"), QStringLiteral("Get Next Animal..."));
        QCOMPARE(w.colour("cmd123"), QStringLiteral("#008000"));
        QCOMPARE(w.state().BarPhase, 2);
        QCOMPARE(w.focused(), QStringLiteral("cmd123"));
    }

    void missingPictureLeavesThePlaceEmptyAndGoesOn()
    {
        WindowHarness w;
        w.platform.missingPictures << QStringLiteral("animals\\tiger.jpg");
        w.click("Tiger");
        QVERIFY(w.control<QLabel>("imgCenter")->pixmap().isNull());
        QCOMPARE(w.text("lblName"), QStringLiteral("Tiger"));
        QCOMPARE(w.text("cmd123"), QStringLiteral("Name And Sound"));
        w.click("Pig");
        QCOMPARE(w.control<QLabel>("imgCenter")->pixmap().size(), QSize(216, 226));
    }
};

QTEST_MAIN(MarksTest)
#include "tst_marks.moc"
