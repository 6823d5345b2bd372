// The thirty animal buttons, the selection marks and the animal's sound and spoken name.

#include "window_harness.h"

namespace {
constexpr BgrColour Red = 255, Green = 65280, Yellow = 65535, Blue = 16711680;
}

class MarksTest : public QObject
{
    Q_OBJECT

private slots:
    // Every button shows its own animal and marks it; the loudspeaker then plays that animal.
    void eachButtonShowsItsAnimal_data()
    {
        QTest::addColumn<int>("number");
        for (const AnimalRow &row : AnimalCatalogue)
            QTest::newRow(row.button) << row.number;
    }
    void eachButtonShowsItsAnimal()
    {
        QFETCH(int, number);
        const AnimalRow &row = animalRow(number);
        WindowHarness w;
        w.click(QLatin1String(row.button));

        QCOMPARE(w.platform.take(), QStringList{QStringLiteral("Picture: ") + QLatin1String(row.picturePath)});
        QCOMPARE(w.form->state().CurrentAnimal, QLatin1String(row.displayName));
        QCOMPARE(w.text("lblName"), QLatin1String(row.displayName));
        QVERIFY(w.marked().contains(QLatin1String(row.button)));
        QCOMPARE(w.button(QLatin1String(row.button))->backColor(), Red);
        QCOMPARE(w.text("cmd123"), QStringLiteral("Name And Sound"));
        QCOMPARE(w.button("cmd123")->backColor(), Colour::BarRed);
        QCOMPARE(w.focused(), QStringLiteral("cmd123"));

        w.click("imgSound");
        const QStringList heard = w.platform.take();
        QCOMPARE(heard.size(), 1);
        if (row.soundFile)
            QCOMPARE(heard.first(), QStringLiteral("Sound: ") + QLatin1String(row.soundFile));
        else
            QVERIFY2(heard.first().startsWith(QStringLiteral("Speak: ")), qPrintable(heard.first()));
    }

    void animalsWithTwoNames()
    {
        WindowHarness w;
        w.click("Hippo");
        QCOMPARE(w.text("lblName"), QStringLiteral("Hippopotamus"));
        QCOMPARE(w.text("Hippo"), QStringLiteral("Hippo"));
        w.click("imgSound");
        QCOMPARE(w.platform.take(), QStringList({"Picture: animals\\hippo.jpg", "Sound: sounds\\hippo.wav"}));

        w.click("Rhino");
        QCOMPARE(w.text("lblName"), QStringLiteral("Rhinoceros"));
        QCOMPARE(w.text("Rhino"), QStringLiteral("Rhinoceros"));
        w.click("imgSound");
        QCOMPARE(w.platform.take(), QStringList({"Picture: animals\\rhino.jpg", "Sound: sounds\\rhinoceros.wav"}));
    }

    void animalsWithoutSoundSaySo_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("sentence");
        QTest::newRow("fish") << "Fish" << "fish make no sound";
        QTest::newRow("giraffe") << "Giraffe" << "Giraffe's make no sound";
        QTest::newRow("turtle") << "Turtle" << "Turtle's make no sound";
    }
    void animalsWithoutSoundSaySo()
    {
        QFETCH(QString, button);
        QFETCH(QString, sentence);
        WindowHarness w;
        w.click(button);
        w.platform.take();
        w.click("imgSound");
        QCOMPARE(w.platform.take(), QStringList{QStringLiteral("Speak: ") + sentence});
    }

    void loudspeakerAfterStartPlaysTheDucksOwnSound()
    {
        WindowHarness w;
        w.click("imgSound");
        QCOMPARE(w.platform.take(), QStringList{"Sound: sounds\\duck.wav"});
    }

    // The picture and the name speak the animal on show and cut its sound off; the speech goes on.
    void pictureAndNameSpeakTheAnimal()
    {
        WindowHarness w;
        w.click("Goose");
        w.platform.take();
        w.click("imgCenter");
        w.click("lblName");
        QCOMPARE(w.platform.take(), QStringList({"Speak: Goose", "Sound: sounds\\_nosound.wav", "Speak: Goose",
                                                 "Sound: sounds\\_nosound.wav"}));
    }

    void markColoursRunOnAcrossClear()
    {
        WindowHarness w;
        w.click("Bear");
        w.click("Bird");
        w.click("Cat");
        QCOMPARE(w.button("Bear")->backColor(), Red);
        QCOMPARE(w.button("Bird")->backColor(), Green);
        QCOMPARE(w.button("Cat")->backColor(), Yellow);
        w.click("cmdClearAllGreen");
        w.click("Dog");
        QCOMPARE(w.button("Dog")->backColor(), Blue);
        for (const char *name : {"Elephant", "Fish", "Giraffe", "Goat"})
            w.click(name);
        QCOMPARE(w.button("Goat")->backColor(), 0x00000080u);
        w.click("Goose"); // the ninth mark is red again
        QCOMPARE(w.button("Goose")->backColor(), Red);
        QCOMPARE(w.form->state().MarkColorIndex, 2);
    }

    void clickingAMarkedAnimalAgain()
    {
        WindowHarness w;
        w.click("Lion");
        w.click("cmd123"); // the bar goes green
        QCOMPARE(w.form->state().BarPhase, 2);
        w.click("Lion");
        QCOMPARE(w.marked(), QStringList({"Duck", "Lion"}));
        QCOMPARE(w.button("Lion")->backColor(), Green);
        QCOMPARE(w.text("cmd123"), QStringLiteral("Name And Sound"));
        QCOMPARE(w.button("cmd123")->backColor(), Colour::BarRed);
        QCOMPARE(w.form->state().BarPhase, 1);
        // The duck's cyan start-up mark is not in the sequence: a click gives it the next colour.
        w.click("Duck");
        QCOMPARE(w.button("Duck")->backColor(), Yellow);
    }

    void clearUnmarksEverythingAndLeavesTheRestAlone()
    {
        WindowHarness w;
        w.click("Zebra");
        w.click("cmd123");
        w.platform.take();
        w.press(Qt::Key_Tab);
        QCOMPARE(w.focused(), QStringLiteral("cmdSpaceBar"));

        w.click("cmdClearAllGreen");
        QCOMPARE(w.platform.take(), QStringList{"Sound: sounds\\_nosound.wav"});
        QVERIFY(w.marked().isEmpty());
        QVERIFY(w.form->state().AllSelectedFlag.isEmpty());
        for (const AnimalRow &row : AnimalCatalogue)
            QCOMPARE(w.button(QLatin1String(row.button))->backColor(), row.neutralColour);
        QCOMPARE(w.text("lblName"), QStringLiteral("Zebra"));
        QCOMPARE(w.form->state().CurrentAnimal, QStringLiteral("Zebra"));
        QCOMPARE(w.text("cmd123"), QStringLiteral("Get Next Animal..."));
        QCOMPARE(w.button("cmd123")->backColor(), Colour::BarGreen);
        QCOMPARE(w.form->state().BarPhase, 2);
        QCOMPARE(w.focused(), QStringLiteral("cmd123"));
    }

    void spaceAfterAnAnimalClickActsOnTheBar()
    {
        WindowHarness w;
        w.click("Cat");
        w.platform.take();
        w.press(Qt::Key_Space);
        const QStringList calls = w.platform.take();
        QVERIFY(calls.contains(QStringLiteral("Speak: Cat")));
        QCOMPARE(calls.last(), QStringLiteral("Sound: sounds\\cat.wav"));
    }

    void pictureAtNaturalSizeUnderTheNameBand()
    {
        WindowHarness w;
        w.platform.pictureSize = QSize(300, 340);
        w.click("Owl");
        const QWidget *picture = w.control("imgCenter");
        QCOMPARE(picture->geometry(), QRect(116, 112, 300, 340));
        const QRect band = w.control("lblName")->geometry();
        QCOMPARE(band.intersected(picture->geometry()).height(), 55);
    }

    void missingPictureLeavesThePlaceEmptyAndGoesOn()
    {
        WindowHarness w;
        w.platform.missingPictures << QStringLiteral("animals\\tiger.jpg");
        w.click("Tiger");
        QVERIFY(w.control<QLabel>("imgCenter")->pixmap().isNull());
        QCOMPARE(w.text("lblName"), QStringLiteral("Tiger"));
        QCOMPARE(w.focused(), QStringLiteral("cmd123"));
        QCOMPARE(w.text("cmd123"), QStringLiteral("Name And Sound"));
        w.click("Pig");
        QCOMPARE(w.control<QLabel>("imgCenter")->pixmap().size(), QSize(216, 226));
    }
};

QTEST_MAIN(MarksTest)
#include "tst_marks.moc"
