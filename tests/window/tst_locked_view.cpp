// The locked view: every other screen covered, as screens come and go; a key on a cover works the
// bar; a double click is one press. (The key rules: tst_press_rules.)

#include "window_harness.h"
#include "window/locked_view.h"

#include <qpa/qplatformnativeinterface.h>
#include <qpa/qwindowsysteminterface.h>

#include <QJsonArray>
#include <QJsonObject>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStyleHints>

namespace {
// The offscreen platform's screens ("0 2": s0 and s2), side by side, 800x600 each; screens of the same
// name are kept.
void setScreens(const QString &numbers)
{
    QJsonArray screens;
    for (const QString &number : numbers.split(' ')) {
        const int n = number.toInt();
        screens.append(QJsonObject{{"name", "s" + number}, {"x", 800 * n}, {"y", 0}, {"width", 800},
                                   {"height", 600}, {"logicalDpi", 96}, {"logicalBaseDpi", 96}, {"dpr", 1}});
    }
    QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
    auto set = reinterpret_cast<void (*)(QJsonObject, QPlatformNativeInterface *)>(
        native->nativeResourceForIntegration("setConfiguration"));
    set(QJsonObject{{"screens", screens}}, native);
}

// The screens covered, by name, in order ("part" for a cover that does not fill its screen), and the view's.
QString coveredScreens(const LockedView &view)
{
    QStringList covered;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->objectName() == "cover" && window->isVisible())
            covered << (window->geometry() == window->screen()->geometry() ? window->screen()->name() : "part");
    covered.sort();
    return covered.join(' ') + " | " + view.screen()->name();
}
} // namespace

class LockedViewTest : public QObject
{
    Q_OBJECT

private slots:
    // The screens at the start ("0 1": s0 and s1), then as plugged in or out while locked; the view
    // starts on s0, under the pointer.
    void coversPerScreens_data()
    {
        QTest::addColumn<QString>("atStart");
        QTest::addColumn<QString>("whileLocked");
        QTest::addColumn<QString>("covered"); // the covered screens | the view's
        QTest::newRow("one screen") << "0" << "" << " | s0";
        QTest::newRow("three screens") << "0 1 2" << "" << "s1 s2 | s0";
        QTest::newRow("two plugged in") << "0 1" << "0 1 2 3" << "s1 s2 s3 | s0";
        QTest::newRow("one unplugged") << "0 1 2" << "0 2" << "s2 | s0";
        QTest::newRow("the view's unplugged") << "0 1 2" << "1 2" << "s2 | s1";
    }
    void coversPerScreens()
    {
        QFETCH(QString, atStart);
        QFETCH(QString, whileLocked);
        QFETCH(QString, covered);
        const auto oneScreen = qScopeGuard([] { setScreens("0"); });
        setScreens(atStart);
        QCursor::setPos(10, 10);
        WindowHarness w;
        LockedView view(*w.form);
        if (!whileLocked.isEmpty())
            setScreens(whileLocked);
        QTRY_COMPARE(coveredScreens(view), covered);
    }

    // A key on a cover works the bar, as on the view; a click there works nothing. That key held
    // while another program took the keyboard: its release never came, and the next key after the
    // program is active again is a press of its own, not part of a chord.
    void keysOnACoverAndAfterAnotherProgram()
    {
        const auto oneScreen = qScopeGuard([] { setScreens("0"); });
        setScreens("0 1");
        WindowHarness w;
        LockedView view(*w.form);
        QWidget *cover = nullptr;
        for (QWidget *window : QApplication::topLevelWidgets())
            cover = window->objectName() == "cover" ? window : cover;
        QVERIFY(cover);
        QSignalSpy barClicks(w.form->bar(), &QAbstractButton::clicked);
        QTest::mouseClick(cover, Qt::LeftButton, {}, cover->rect().center());
        QTest::keyPress(cover, Qt::Key_A);
        QCOMPARE(barClicks.size(), 1);
        for (Qt::ApplicationState state : {Qt::ApplicationInactive, Qt::ApplicationActive})
            QWindowSystemInterface::handleApplicationStateChanged<QWindowSystemInterface::SynchronousDelivery>(state);
        QTest::keyClick(&view, Qt::Key_B);
        QCOMPARE(barClicks.size(), 2);
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
        std::unique_ptr<LockedView> view(locked ? new LockedView(*w.form) : nullptr);
        QWindow *window = locked ? view->windowHandle() : w.form->windowHandle();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        auto at = [&](const QString &name) {
            const QPoint point = w.button(name)->mapTo(w.form.get(), w.button(name)->rect().center());
            return locked ? view->viewport()->mapTo(view.get(), view->mapFromScene(point)) : point;
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

QTEST_MAIN(LockedViewTest)
#include "tst_locked_view.moc"
