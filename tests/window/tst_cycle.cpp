// The whole cycle: the two-phase bar, the picker, clicks that land in the middle of a pause, a
// child who keeps pressing.

#include "window_harness.h"
#include "window/locked_view.h"

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
    // Every clickable control clicked in the middle of each kind of pause: the calls the click
    // makes before the handler it interrupted goes on, and that handler's last call. The duck is
    // on show; in the long pause the bar is green; the short one is a pick's, which has drawn the
    // elephant and emptied the name. Draws follow the recording platform's walk: the elephant,
    // then the horse.
    void everyControlInEveryPause_data()
    {
        QTest::addColumn<QString>("pause");
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<QString>("last");
        const QString welcome = "Speak: ,,, Zubiko.. click the red bar for the animal name and sound ";
        const auto pick = [](const QString &picture) {
            return QStringList{NoSound, "Pause: 30000", NoSound, "Pause: 30000", "Picture: animals\\" + picture};
        };
        const QStringList duck = {NoSound, "Speak: Duck", NoSound, Help, "Pause: 400000", "Sound: sounds\\duck.wav"};
        const QStringList cow = {"Picture: animals\\cow.jpg", NoSound, "Speak: Cow", NoSound, "Pause: 400000", "Sound: sounds\\cow.wav"};
        const QString elephant = "Picture: animals\\Elephant.jpg";
        QTest::newRow("start-up, red bar") << "start-up" << "cmd123" << duck << welcome;
        QTest::newRow("start-up, green bar") << "start-up" << "cmd123 cmd123" << duck + pick("Elephant.jpg") << welcome;
        QTest::newRow("long, green bar") << "long" << "cmd123" << pick("Elephant.jpg") << "Sound: sounds\\elephant.wav";
        QTest::newRow("long, red bar") << "long" << "Cow cmd123" << cow << "Sound: sounds\\cow.wav";
        QTest::newRow("short, green bar") << "short" << "cmd123" << pick("horse.jpg") << elephant;
        QTest::newRow("short, red bar") << "short" << "Cow cmd123" << cow << elephant;
        const QStringList pauses = {"start-up", "long", "short"}, lasts = {welcome, "Sound: sounds\\duck.wav", elephant};
        for (int i = 0; i < 3; ++i) {
            const QString &pause = pauses.at(i), &last = lasts.at(i);
            const QByteArray row = pause.toLatin1() + ", ";
            QTest::newRow(row + "name") << pause << "lblName" << QStringList{"Speak: Duck", NoSound} << last;
            QTest::newRow(row + "loudspeaker") << pause << "imgSound" << QStringList{"Sound: sounds\\duck.wav"} << last;
            QTest::newRow(row + "animal") << pause << "Cow" << QStringList{"Picture: animals\\cow.jpg"}
                                          << (i == 1 ? "Sound: sounds\\cow.wav" : last);
            QTest::newRow(row + "Clear") << pause << "cmdClearAllGreen" << QStringList{NoSound} << last;
        }
    }
    void everyControlInEveryPause()
    {
        QFETCH(QString, pause);
        QFETCH(QString, clicks);
        QFETCH(QStringList, calls);
        QFETCH(QString, last);
        QStringList made;
        const auto clickAt = [&](WindowHarness &w, long pass) {
            w.platform.atPass(pass, [&] {
                w.platform.take();
                w.clicks(clicks);
                made = w.platform.take();
            });
        };
        const bool startUp = pause == "start-up";
        WindowHarness w(!startUp, [&](WindowHarness &early) {
            if (startUp)
                clickAt(early, 1000);
        });
        if (pause == "short")
            w.click("cmd123");
        if (!startUp) {
            clickAt(w, pause == "short" ? 31000 : 1000);
            w.click("cmd123");
        }
        QCOMPARE(made, calls);
        const QStringList after = w.platform.take();
        QCOMPARE(after.first(), QStringLiteral("Pause: %1").arg(startUp ? 599000 : pause == "long" ? 399000 : 29000));
        QCOMPARE(after.last(), last);
    }

    // The picker draws again until it finds an animal not yet shown, whichever row that is; a draw
    // r in [0, 1) is row 1 + 30r. With none left it says "all selected" and starts a new round: every
    // mark and its colour gone, the animal on show included. While it pauses the name is empty and
    // the bar red.
    void picker_data()
    {
        QTest::addColumn<int>("left"); // the one row not yet shown; 0 for none, 31 for all (Clear)
        QTest::addColumn<QList<float>>("draws");
        QTest::addColumn<QString>("shown");
        const QList<float> shownAlready = {drawFor(1), drawFor(7), drawFor(29)};
        QTest::newRow("owl left") << 20 << shownAlready + QList<float>{drawFor(20)} << "Owl";
        QTest::newRow("zebra, the last row, left") << 30 << shownAlready + QList<float>{drawFor(30)} << "Zebra";
        QTest::newRow("none left: a new round") << 0 << shownAlready << "Bear";
        QTest::newRow("draw zero") << 31 << QList<float>{0.0f} << "Bear";
        QTest::newRow("largest draw below one") << 31 << QList<float>{std::nextafter(1.0f, 0.0f)} << "Zebra";
        QTest::newRow("draw just below 1/30") << 31 << QList<float>{std::nextafter(1.0f / 30.0f, 0.0f)} << "Bear";
    }
    void picker()
    {
        QFETCH(int, left);
        QFETCH(QList<float>, draws);
        QFETCH(QString, shown);
        WindowHarness w;
        for (const AnimalRow &animal : AnimalCatalogue)
            if (animal.number != left && left != 31)
                w.click(QLatin1String(animal.button));
        if (left == 31)
            w.click("cmdClearAllGreen");
        w.click("cmd123");
        w.platform.take();
        w.platform.draws.assign(draws.begin(), draws.end());
        QString during;
        w.platform.atPass(10, [&] { during = w.shown("lblName cmd123 cmd123#"); });
        w.press(Qt::Key_Space);
        QCOMPARE(during, QStringLiteral("|Get Next Animal...|#c00000"));
        QCOMPARE(w.text("lblName"), shown);
        QCOMPARE(w.platform.take().contains(QStringLiteral("Speak: all selected")), left == 0);
        if (left == 0) {
            QCOMPARE(w.marked(), QStringList{"Bear"});
            QVERIFY(w.state().AllSelectedFlag.isEmpty());
            QCOMPARE(w.shown("Bear# Duck# Zebra#"), QStringLiteral("#008000|#ffffff|#ffffff")); // the 31st mark
        }
    }

    // Thousands of presses, each in the middle of the pause the one before started: the nesting
    // stops at sixteen, and once the presses stop, the pauses unwind and the bar works as before.
    void mashingTheSpaceBarStaysBounded()
    {
        WindowHarness w;
        w.click("cmd123");
        int presses = 1000, deepest = 0;
        std::function<void()> mash = [&] {
            deepest = std::max(deepest, w.form->pauseDepth());
            if (presses-- > 0) {
                w.platform.atPass(997, mash);
                w.press(Qt::Key_Space);
            }
        };
        w.platform.atPass(997, mash);
        w.press(Qt::Key_Space);
        QCOMPARE(deepest, 16);
        QCOMPARE(w.form->pauseDepth(), 0);
        QVERIFY(presses < 0);
        QCOMPARE(w.focused(), QStringLiteral("cmd123"));
        const qint16 phase = w.state().BarPhase;
        w.press(Qt::Key_Space);
        QCOMPARE(w.state().BarPhase, phase == 1 ? 2 : 1);
    }

    // Closed (the plain or the fitted window), or quit typed in the locked mode, inside a pick's
    // pause inside the bar's long pause: both pauses end at once, and nothing more is played,
    // spoken or shown.
    void leavingInNestedPausesEndsThemAtOnce_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("window closed") << "closed";
        QTest::newRow("fitted window closed") << "fitted";
        QTest::newRow("quit typed, locked") << "locked";
    }
    void leavingInNestedPausesEndsThemAtOnce()
    {
        QFETCH(QString, how);
        WindowHarness w;
        const std::unique_ptr<ScaledView> view(how == "locked" ? new LockedView(*w.form)
                                               : how == "fitted" ? new ScaledView(*w.form) : nullptr);
        long passes = 0;
        w.platform.atPass(1000, [&] { w.click("cmd123"); });
        w.platform.atPass(1010, [&] {
            QCOMPARE(w.form->pauseDepth(), 2);
            w.platform.take();
            if (how == "locked") {
                QVERIFY(!view->close()); // the window manager's close button does not leave it
                QTest::keyClicks(view.get(), "quit");
            } else {
                (view ? static_cast<QWidget *>(view.get()) : w.form.get())->close();
            }
            passes = w.platform.passes;
        });
        w.click("cmd123");
        QCOMPARE(w.platform.take(), QStringList());
        QCOMPARE(w.platform.passes, passes);
    }
};

QTEST_MAIN(CycleTest)
#include "tst_cycle.moc"
