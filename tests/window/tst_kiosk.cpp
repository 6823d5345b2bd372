// The locked mode: the word that leaves it, and one bar click per press of the child, whether a
// palm on the keyboard or a double click.

#include "window_harness.h"
#include "window/kiosk.h"

#include <QKeySequence>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStyleHints>

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

    // Key scripts: "+A" presses A, "*A" is A repeating while held, "-A" releases it, "!" takes the
    // activation from the window; a second passes between two steps, and "~" is a minute.
    void barClicksPerKeyScript_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("clicks");
        QTest::newRow("keys one after another") << "+A -A +B -B +C -C" << 3;
        QTest::newRow("Alt+F4") << "+Alt +F4 -F4 -Alt" << 1;
        QTest::newRow("chord of five") << "+A +S +D +F +G -S -G -A -F -D" << 1;
        QTest::newRow("rolling palm") << "+A +S -A +D -S +F -D -F" << 1;
        QTest::newRow("held key repeats") << "+A *A *A *A -A" << 1;
        QTest::newRow("quit letter held") << "+Q +X -X -Q" << 0;
        QTest::newRow("release unseen, key again") << "+A +A -A +B -B" << 3;
        QTest::newRow("release unseen, window left") << "+A ! +B -B" << 2;
        QTest::newRow("release unseen, long ago") << "+A ~ +B -B" << 2;
        QTest::newRow("held by autorepeat") << "+A +B -B *A ~ *A +C -C -A" << 1;
    }
    void barClicksPerKeyScript()
    {
        QFETCH(QString, script);
        QFETCH(int, clicks);
        WindowHarness w;
        Kiosk kiosk(*w.form);
        QSignalSpy barClicks(w.form->bar(), &QAbstractButton::clicked);
        quint64 time = 0;
        for (const QString &step : script.split(' ')) {
            time += step == "~" ? 60000 : 1000;
            const QString name = step.mid(1);
            const int key = name == "Alt" ? Qt::Key_Alt : QKeySequence(name)[0].key();
            QKeyEvent press(step[0] == '-' ? QEvent::KeyRelease : QEvent::KeyPress, key, {}, name, step[0] == '*');
            press.setTimestamp(time);
            QEvent deactivate(QEvent::WindowDeactivate);
            if (step != "~")
                QCoreApplication::sendEvent(&kiosk, step == "!" ? &deactivate : &press);
        }
        QCOMPARE(barClicks.size(), clicks);
    }

    // As a real mouse makes them, through the window: a double click on the first control, or a
    // click on each, half a second apart (past the desktop's interval unless it is set longer).
    void clicksPerMousePresses_data()
    {
        QTest::addColumn<bool>("locked");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<int>("interval");
        QTest::addColumn<int>("clicks");
        QTest::newRow("locked, bar, double") << true << "cmd123" << "" << 0 << 1;
        QTest::newRow("locked, bar, two clicks") << true << "cmd123" << "cmd123" << 0 << 2;
        QTest::newRow("locked, bar then animal within") << true << "cmd123" << "Lion" << 1000 << 1;
        QTest::newRow("unlocked, bar, double") << false << "cmd123" << "" << 0 << 2;
    }
    void clicksPerMousePresses()
    {
        QFETCH(bool, locked);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(int, interval);
        QFETCH(int, clicks);
        WindowHarness w;
        QStyleHints *hints = QGuiApplication::styleHints();
        const auto desktopInterval = qScopeGuard([hints, was = hints->mouseDoubleClickInterval()] {
            hints->setMouseDoubleClickInterval(was);
        });
        if (interval > 0)
            hints->setMouseDoubleClickInterval(interval);
        QSignalSpy firstClicks(w.button(first), &QAbstractButton::clicked);
        QSignalSpy secondClicks(w.button(second.isEmpty() ? first : second), &QAbstractButton::clicked);
        std::unique_ptr<Kiosk> kiosk(locked ? new Kiosk(*w.form) : nullptr);
        QWindow *window = locked ? kiosk->windowHandle() : w.form->windowHandle();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        auto at = [&](const QString &name) {
            const QPoint point = w.button(name)->mapTo(w.form.get(), w.button(name)->rect().center());
            return locked ? kiosk->viewport()->mapTo(kiosk.get(), kiosk->mapFromScene(point)) : point;
        };
        if (second.isEmpty()) {
            QTest::mouseDClick(window, Qt::LeftButton, {}, at(first));
        } else {
            QTest::mouseClick(window, Qt::LeftButton, {}, at(first));
            QTest::mouseClick(window, Qt::LeftButton, {}, at(second));
        }
        QCOMPARE(firstClicks.size() + (second == first || second.isEmpty() ? 0 : secondClicks.size()), clicks);
    }
};

QTEST_MAIN(KioskTest)
#include "tst_kiosk.moc"
