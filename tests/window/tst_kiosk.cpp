// The locked mode: the word that leaves it, the links shut, and one bar click per press of the
// child, whether a palm on the keyboard or a double click.

#include "window_harness.h"
#include "window/kiosk.h"

#include <QKeySequence>
#include <QSignalSpy>

namespace {
// Sends the key events of a script: "+A" presses A, "*A" is A repeating while held, "-A" releases
// it, "!" takes the activation from the window.
void play(Kiosk &kiosk, const QString &script)
{
    for (const QString &step : script.split(QLatin1Char(' '))) {
        if (step == QLatin1String("!")) {
            QEvent leave(QEvent::WindowDeactivate);
            QCoreApplication::sendEvent(&kiosk, &leave);
            continue;
        }
        const QString name = step.mid(1);
        const int key = name == QLatin1String("Alt") ? Qt::Key_Alt : QKeySequence(name)[0].key();
        QKeyEvent event(step.startsWith(QLatin1Char('-')) ? QEvent::KeyRelease : QEvent::KeyPress, key,
                        Qt::NoModifier, name, step.startsWith(QLatin1Char('*')));
        QCoreApplication::sendEvent(&kiosk, &event);
    }
}
} // namespace

class KioskTest : public QObject
{
    Q_OBJECT

private slots:
    // The way out of the locked mode: q, u, i, t in a row; a stray key starts the word again.
    void quitWordIsFourLettersInARow()
    {
        QuitWord word;
        QString steps;
        for (Qt::Key key : {Qt::Key_Q, Qt::Key_U, Qt::Key_X, Qt::Key_I, Qt::Key_T, Qt::Key_Q, Qt::Key_Q, Qt::Key_U,
                            Qt::Key_I, Qt::Key_T, Qt::Key_T})
            steps += QStringLiteral(".+!").at(word.take(key));
        QCOMPARE(steps, QStringLiteral("++...++++!."));
    }

    void linksStayShutWhileLocked()
    {
        WindowHarness w;
        {
            Kiosk kiosk(*w.form);
            w.click("Label5");
            w.click("Label6");
            QVERIFY(w.platform.take().filter("Shell").isEmpty());
        }
        w.click("Label5");
        QCOMPARE(w.platform.take(), QStringList{"Shell: zubiko.example.org"});
    }

    void barClicksPerKeyScript_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("clicks");
        QTest::newRow("one key") << "+A -A" << 1;
        QTest::newRow("keys one after another") << "+A -A +B -B +C -C" << 3;
        QTest::newRow("Alt+F4") << "+Alt +F4 -F4 -Alt" << 1;
        QTest::newRow("chord of five") << "+A +S +D +F +G -S -G -A -F -D" << 1;
        QTest::newRow("rolling palm") << "+A +S -A +D -S +F -D -F" << 1;
        QTest::newRow("held key repeats") << "+A *A *A *A -A" << 1;
        QTest::newRow("quit letter held") << "+Q +X -X -Q" << 0;
        QTest::newRow("release unseen, key again") << "+A +A -A +B -B" << 3;
        QTest::newRow("release unseen, window left") << "+A ! +B -B" << 2;
    }
    void barClicksPerKeyScript()
    {
        QFETCH(QString, script);
        QFETCH(int, clicks);
        WindowHarness w;
        Kiosk kiosk(*w.form);
        QSignalSpy barClicks(w.form->bar(), &QAbstractButton::clicked);
        play(kiosk, script);
        QCOMPARE(barClicks.size(), clicks);
    }

    // As a real mouse makes them, through the window: a double click, or two clicks further apart.
    void clicksPerMousePresses_data()
    {
        QTest::addColumn<bool>("locked");
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("doubleClick");
        QTest::addColumn<int>("clicks");
        QTest::newRow("locked, bar, double") << true << "cmd123" << true << 1;
        QTest::newRow("locked, bar, two clicks") << true << "cmd123" << false << 2;
        QTest::newRow("locked, animal, double") << true << "Lion" << true << 1;
        QTest::newRow("unlocked, bar, double") << false << "cmd123" << true << 2;
        QTest::newRow("unlocked, animal, double") << false << "Lion" << true << 2;
    }
    void clicksPerMousePresses()
    {
        QFETCH(bool, locked);
        QFETCH(QString, control);
        QFETCH(bool, doubleClick);
        QFETCH(int, clicks);
        WindowHarness w;
        std::unique_ptr<Kiosk> kiosk;
        QWidget *target = w.control(control);
        QPoint at = target->mapTo(w.form.get(), target->rect().center());
        QWindow *window = w.form->windowHandle();
        if (locked) {
            kiosk = std::make_unique<Kiosk>(*w.form);
            QVERIFY(QTest::qWaitForWindowExposed(kiosk.get()));
            at = kiosk->viewport()->mapTo(kiosk.get(), kiosk->mapFromScene(at));
            window = kiosk->windowHandle();
        }
        QSignalSpy clicked(w.button(control), &QAbstractButton::clicked);
        if (doubleClick) {
            QTest::mouseDClick(window, Qt::LeftButton, {}, at);
        } else {
            QTest::mouseClick(window, Qt::LeftButton, {}, at);
            QTest::mouseClick(window, Qt::LeftButton, {}, at);
        }
        QCOMPARE(clicked.size(), clicks);
    }
};

QTEST_MAIN(KioskTest)
#include "tst_kiosk.moc"
