// The window as it opens: start-up order, first state, what stands in front, focus and the clock;
// fitted to a small screen; the two links under the panel (the web site and the volume control)
// and the controls that do nothing.

#include "window_harness.h"
#include "window/locked_view.h"

#include <QFontInfo>
#include <QTimer>

class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void startUpInOrderAndFirstState()
    {
        bool shownInPause = true;
        WindowHarness w(false, [&](WindowHarness &h) { h.platform.atPass(1, [&] { shownInPause = h.root()->isVisible(); }); });
        QVERIFY(!shownInPause); // the window appears once the pause is over
        QCOMPARE(w.platform.take(), QStringList({"Picture: animals\\duck.jpg", "Sound: sounds\\duckonce.wav",
                                                 "Pause: 600000",
                                                 "Speak: ,,, Zubiko.. click the red bar for the animal name and sound "}));
        QCOMPARE(w.marked(), QStringList{"Duck"});
        // Hippo and Rhino: the two animals whose caption is not their name.
        QCOMPARE(w.shown("lblName lblTime cmd123 cmd123# Hippo Rhino"),
                 QStringLiteral("Duck|09:30 AM|Name And Sound ...|#c00000|Hippo|Rhinoceros"));
        QCOMPARE(w.control<QLabel>("imgCenter")->pixmap().size(), QSize(216, 226));
        QCOMPARE(QFontInfo(w.control("cmd123")->font()).family(), QStringLiteral("Comic Neue")); // for the rounded face
        QTRY_VERIFY(!w.form->windowIcon().pixmap(32).isNull()); // once the first frame is drawn
        const auto *clock = w.form->findChild<QTimer *>(QStringLiteral("Timer1"));
        QCOMPARE(clock->isActive() ? clock->interval() : 0, 30000); // the clock goes on twice a minute
    }

    // Each label where it stands (a point just inside its top-left corner) and in its font; only
    // the two links are underlined. In front: the name band over the picture's top, the bar over a
    // tall picture's foot, the Spacebar button over the clock.
    void labelsStandInTheirPlacesInTheirFonts_data()
    {
        QTest::addColumn<QPoint>("inside");
        QTest::addColumn<QString>("font"); // pixel size, bold, underlined; none for the controls in front
        QTest::newRow("lblName, over the picture") << QPoint(200, 140) << "";
        QTest::newRow("imgCenter, a tall one") << QPoint(200, 460) << "";
        QTest::newRow("cmd123, over its foot") << QPoint(200, 500) << "";
        QTest::newRow("cmdSpaceBar, over the clock") << QPoint(30, 705) << "";
        QTest::newRow("lblName") << QPoint(111, 113) << "37 bold";
        QTest::newRow("Label2") << QPoint(325, 15) << "37 bold";
        QTest::newRow("Label3") << QPoint(339, 703) << "11";
        QTest::newRow("Label4") << QPoint(387, 463) << "13 bold";
        QTest::newRow("Label5") << QPoint(402, 668) << "16 bold underline";
        QTest::newRow("Label6") << QPoint(402, 588) << "13 bold underline";
        QTest::newRow("Label7") << QPoint(635, 19) << "11";
        QTest::newRow("Label8") << QPoint(629, 65) << "16";
        QTest::newRow("Label1") << QPoint(408, 655) << "11";
    }
    void labelsStandInTheirPlacesInTheirFonts()
    {
        QFETCH(QPoint, inside);
        QFETCH(QString, font);
        WindowHarness w;
        w.platform.pictureSize = QSize(300, 450);
        w.click("Horse");
        const QWidget *label = w.form->childAt(inside);
        QVERIFY(label);
        QCOMPARE(label->objectName(), QString::fromLatin1(QTest::currentDataTag()).section(',', 0, 0));
        if (font.isEmpty())
            return;
        const QFont f = label->font();
        QCOMPARE(QString::number(f.pixelSize()) + (f.bold() ? " bold" : "") + (f.underline() ? " underline" : ""), font);
    }

    void spaceActsOnlyOnTheFocusedBar()
    {
        WindowHarness w;
        QCOMPARE(w.focused(), QStringLiteral("cmdSpaceBar"));
        w.press(Qt::Key_Space);
        QVERIFY(w.platform.take().isEmpty());

        // Labels and pictures never take the focus.
        w.click("lblName");
        w.click("imgSound");
        QCOMPARE(w.focused(), QStringLiteral("cmdSpaceBar"));

        // The arrow keys and the like leave the focus on the bar.
        w.click("cmd123");
        for (Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Up, Qt::Key_Home, Qt::Key_End,
                            Qt::Key_PageUp, Qt::Key_PageDown})
            w.press(key);
        QCOMPARE(w.focused(), QStringLiteral("cmd123"));
        QCOMPARE(w.state().BarPhase, 2);
        // Tab leaves the bar for the one tab stop (where space does nothing: above).
        w.press(Qt::Key_Tab);
        QCOMPARE(w.focused(), QStringLiteral("cmdSpaceBar"));
    }

    // As a real mouse makes it: press, release, press, double click, release, through the window.
    // The picture, the name and the loudspeaker are the same kind of label.
    void doubleClickOnALabelIsOneClick()
    {
        WindowHarness w;
        QWidget *target = w.control("imgSound");
        QTest::mouseDClick(w.form->windowHandle(), Qt::LeftButton, {},
                           target->mapTo(w.form.get(), target->rect().center()));
        QCOMPARE(w.platform.take(), QStringList{"Sound: sounds\\duck.wav"});
    }

    // What the window makes of the platform's readings: the clock in twelve-hour time, and the
    // volume control the system's version calls for (clicked on the volume link).
    void clockAndVolumeProgram_data()
    {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("expected");
        QTest::newRow("after midnight, 6.0") << QTime(0, 5) << "6.0" << "12:05 AM|Shell: sndvol.exe";
        QTest::newRow("noon, 5.99") << QTime(12, 0) << "5.99" << "12:00 PM|Shell: sndvol32.exe";
        QTest::newRow("afternoon, 10.0") << QTime(13, 45) << "10.0" << "01:45 PM|Shell: sndvol.exe";
        QTest::newRow("evening, unreadable") << QTime(23, 59) << "unknown" << "11:59 PM|Shell: sndvol32.exe";
    }
    void clockAndVolumeProgram()
    {
        QFETCH(QTime, time);
        QFETCH(QString, version);
        QFETCH(QString, expected);
        WindowHarness w;
        w.platform.clock = QDateTime(QDate(2026, 12, 6), time);
        w.platform.versionText = version;
        w.form->findChild<QTimer *>(QStringLiteral("Timer1"))->setInterval(0); // its next tick now
        QTRY_COMPARE(w.text("lblTime"), expected.section('|', 0, 0));
        w.click("Label6");
        QCOMPARE(w.platform.take(), QStringList{expected.section('|', 1)});
    }

    // The offscreen platform's screen (800x600) is smaller than the window: it opens scaled to fit
    // with its frame (2 pixels each side). A click lands on the control under it. Enlarged, it
    // grows no larger than designed and stays at the top left.
    void smallScreenFitsTheWindow()
    {
        WindowHarness w;
        const std::unique_ptr<ScaledView> view = ScaledView::showFitted(*w.form);
        QVERIFY(view);
        QApplication::setActiveWindow(view.get());
        QVERIFY(QTest::qWaitForWindowActive(view.get()));
        QCOMPARE(view->size(), QSize(796, 577));
        QCOMPARE(view->controlAt(QPoint(692, 506))->objectName(), QStringLiteral("cmdClearAllGreen"));
        QTest::mouseClick(view->windowHandle(), Qt::LeftButton, {}, QPoint(692, 506));
        QCOMPARE(w.marked(), QStringList());
        view->resize(1600, 1200);
        QTRY_COMPARE(view->transform().m11(), 1.0);
        QCOMPARE(view->mapFromScene(view->sceneRect().topLeft()), QPoint(0, 0));
    }

    void linksWorkOnlyUnlockedAndInertControlsDoNothing()
    {
        WindowHarness w;
        w.click("cmd123");
        w.platform.take();
        const WindowState before = w.state();
        w.click("Label5");
        for (const char *inert : {"Label1", "Label4", "Label7", "Label2", "Label8", "lblTime", "tts", "Shape1"})
            w.click(inert);
        QCOMPARE(w.platform.take(), QStringList{"Shell: zubiko.example.org"});
        QCOMPARE(w.text("Label5"), QStringLiteral("zubiko.example.org"));
        QCOMPARE(w.state().BarPhase, before.BarPhase);
        QCOMPARE(w.state().SelectionFlag, before.SelectionFlag);
        QCOMPARE(w.focused(), QStringLiteral("cmd123"));
        LockedView kiosk(*w.form); // the locked mode shuts both links
        w.click("Label5");
        w.click("Label6");
        QCOMPARE(w.platform.take(), QStringList());
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
