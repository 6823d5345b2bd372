// The window as it opens: start-up order, first state, layout, focus and the clock.

#include "window_harness.h"

#include <QFontInfo>
#include <QTimer>

class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void startUpRunsInOrder()
    {
        RecordingPlatform platform;
        Form1 form(platform);
        QCOMPARE(platform.take(), QStringList({
                                      QStringLiteral("Picture: animals\\duck.jpg"),
                                      QStringLiteral("Sound: sounds\\duckonce.wav"),
                                      QStringLiteral("Pause: 600000"),
                                      QStringLiteral("Speak: ,,, Zubiko.. click the red bar for the animal "
                                                     "name and sound "),
                                  }));
        QCOMPARE(form.state().StartupPauseCounter, Form1::StartupPausePasses + 1);
    }

    void windowStateAfterStartUp()
    {
        WindowHarness w;
        const WindowState &s = w.form->state();
        QCOMPARE(s.CurrentAnimal, QStringLiteral("Duck"));
        QCOMPARE(w.marked(), QStringList{QStringLiteral("Duck")});
        QVERIFY(s.AllSelectedFlag.isEmpty());
        QCOMPARE(s.MarkColorIndex, 1);
        QCOMPARE(s.BarPhase, 1);
        QVERIFY(s.HelpSpokenMark != 55);
        QCOMPARE(w.text("lblName"), QStringLiteral("Duck"));
        QCOMPARE(w.text("cmd123"), QStringLiteral("Name And Sound ..."));
        QCOMPARE(w.button("cmd123")->backColor(), Colour::BarRed);
        for (const AnimalRow &row : AnimalCatalogue) {
            const BgrColour expected = row.number == 7 ? Colour::Cyan : row.openingColour;
            QCOMPARE(w.button(QLatin1String(row.button))->backColor(), expected);
        }
        QCOMPARE(w.control<QLabel>("imgCenter")->pixmap().size(), QSize(216, 226));
    }

    void windowLayout()
    {
        WindowHarness w;
        QCOMPARE(w.form->windowTitle(), QStringLiteral("Zubiko"));
        QCOMPARE(w.form->size(), QSize(1016, 736));
        QVERIFY(!w.form->windowIcon().isNull());

        // 33 push buttons, 10 labels, 2 pictures, the panel, the timer, speech and system information.
        const QStringList names = {"cmd123", "cmdClearAllGreen", "cmdSpaceBar", "lblName", "Label1", "Label2",
                                   "Label3", "Label4", "Label5", "Label6", "Label7", "Label8", "lblTime",
                                   "imgCenter", "imgSound", "Shape1", "tts"};
        for (const QString &name : names)
            QVERIFY2(w.form->findChild<QWidget *>(name), qPrintable(name));
        QVERIFY(w.form->findChild<QTimer *>("Timer1"));
        QVERIFY(w.form->findChild<QObject *>("SysInfo1"));
        QCOMPARE(w.form->findChildren<QPushButton *>().size(), 33);

        QCOMPARE(w.control("cmd123")->geometry(), QRect(92, 492, 265, 83));
        QCOMPARE(w.control("cmdClearAllGreen")->geometry(), QRect(824, 632, 119, 29));
        QCOMPARE(w.control("lblName")->geometry(), QRect(108, 110, 363, 57));
        QCOMPARE(w.control("imgCenter")->geometry(), QRect(116, 112, 216, 226));
        QCOMPARE(w.control("imgSound")->geometry(), QRect(372, 480, 104, 102));
        QCOMPARE(w.control("Shape1")->geometry(), QRect(46, 84, 469, 539));
        QCOMPARE(w.control("cmdSpaceBar")->geometry(), QRect(-17, 690, 133, 39));
        QCOMPARE(w.text("cmdSpaceBar"), QStringLiteral("Spacebar"));

        // Ten lines of three, in catalogue order, with the captions of the catalogue.
        for (const AnimalRow &row : AnimalCatalogue) {
            const QWidget *b = w.control(QLatin1String(row.button));
            const int column = (row.number - 1) % 3;
            const int line = (row.number - 1) / 3;
            QVERIFY2(qAbs(b->x() - (553 + 139 * column)) <= 12, row.button);
            QVERIFY2(qAbs(b->y() - (96 + 52.5 * line)) <= 12, row.button);
            QCOMPARE(b->size(), QSize(117, 39));
        }
        QCOMPARE(w.text("Rhino"), QStringLiteral("Rhinoceros"));
        QCOMPARE(w.text("Hippo"), QStringLiteral("Hippo"));

        // Comic Neue stands in for Comic Sans MS on the buttons and the name.
        const QFont bar = w.control("cmd123")->font();
        QCOMPARE(bar.pixelSize(), 21);
        QVERIFY(!bar.bold());
        QCOMPARE(QFontInfo(bar).family(), QStringLiteral("Comic Neue"));
        const QFont name = w.control("lblName")->font();
        QCOMPARE(name.pixelSize(), 37);
        QVERIFY(name.bold());
        QVERIFY(w.control("Label5")->font().underline());
        QVERIFY(w.control("Label6")->font().underline());
        QVERIFY(!w.control("Label4")->font().underline());

        // What stands in front: the name band over the picture's top, the bar over a tall
        // picture's foot, the Spacebar button over the clock, the buttons over the labels.
        QCOMPARE(w.form->childAt(200, 140)->objectName(), QStringLiteral("lblName"));
        QCOMPARE(w.form->childAt(200, 200)->objectName(), QStringLiteral("imgCenter"));
        QCOMPARE(w.form->childAt(30, 705)->objectName(), QStringLiteral("cmdSpaceBar"));
        w.platform.pictureSize = QSize(300, 450);
        w.click("Horse");
        QCOMPARE(w.form->childAt(200, 500)->objectName(), QStringLiteral("cmd123"));
        QCOMPARE(w.form->childAt(200, 460)->objectName(), QStringLiteral("imgCenter"));
    }

    void spaceActsOnlyOnTheFocusedBar()
    {
        WindowHarness w;
        QCOMPARE(w.focused(), QStringLiteral("cmdSpaceBar"));
        w.press(Qt::Key_Space);
        QVERIFY(w.platform.take().isEmpty());
        QCOMPARE(w.form->state().BarPhase, 1);

        // Labels and pictures never take the focus.
        w.click("lblName");
        w.click("imgSound");
        QCOMPARE(w.focused(), QStringLiteral("cmdSpaceBar"));

        w.click("cmd123");
        QCOMPARE(w.focused(), QStringLiteral("cmd123"));
        QCOMPARE(w.form->state().BarPhase, 2);
        w.press(Qt::Key_Space);
        QCOMPARE(w.form->state().BarPhase, 1);

        // Tab leaves the bar for the one tab stop; space does nothing there.
        w.press(Qt::Key_Tab);
        QCOMPARE(w.focused(), QStringLiteral("cmdSpaceBar"));
        w.platform.take();
        w.press(Qt::Key_Space);
        QVERIFY(w.platform.take().isEmpty());

        // Return and letters never click the bar.
        w.click("cmd123");
        w.platform.take();
        w.press(Qt::Key_Return);
        w.press(Qt::Key_N);
        QVERIFY(w.platform.take().isEmpty());
    }

    void clockReadsTwelveHourTime_data()
    {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("expected");
        QTest::newRow("after midnight") << QTime(0, 5) << "12:05 AM";
        QTest::newRow("morning") << QTime(9, 30, 59) << "09:30 AM";
        QTest::newRow("noon") << QTime(12, 0) << "12:00 PM";
        QTest::newRow("afternoon") << QTime(13, 45) << "01:45 PM";
        QTest::newRow("before midnight") << QTime(23, 59) << "11:59 PM";
    }
    void clockReadsTwelveHourTime()
    {
        QFETCH(QTime, time);
        QFETCH(QString, expected);
        WindowHarness w;
        w.platform.clock = QDateTime(QDate(2026, 12, 6), time);
        w.form->Timer1_Timer();
        QCOMPARE(w.text("lblTime"), expected);
        QCOMPARE(clockText(time), expected);
    }

    void clockLabelGrowsFromItsLeftEdge()
    {
        WindowHarness w;
        auto *clock = w.control<QLabel>("lblTime");
        QCOMPARE(clock->x(), 20);
        QVERIFY(clock->width() > 30); // fitted to "09:30 AM", wider than its design width
        QCOMPARE(w.form->findChild<QTimer *>("Timer1")->interval(), 30000);
        QVERIFY(w.form->findChild<QTimer *>("Timer1")->isActive());
    }

    void startUpWithoutPictureGoesOn()
    {
        RecordingPlatform platform;
        platform.missingPictures << QStringLiteral("animals\\duck.jpg");
        Form1 form(platform);
        QVERIFY(form.findChild<QLabel *>("imgCenter")->pixmap().isNull());
        QCOMPARE(form.findChild<QLabel *>("lblName")->text(), QStringLiteral("Duck"));
        QVERIFY(platform.take().last().startsWith(QStringLiteral("Speak: ,,, Zubiko")));
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
