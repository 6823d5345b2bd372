// The locked view: a double click is one press. (The key rules: tst_press_rules.)

#include "window_harness.h"
#include "window/kiosk.h"

#include <QScopeGuard>
#include <QSignalSpy>
#include <QStyleHints>

class KioskTest : public QObject
{
    Q_OBJECT

private slots:
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
