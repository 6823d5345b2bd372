// The locked, full-screen mode (zubiko --kiosk).

#include "window/locked_view.h"

#include "platform/desktop_lock.h"
#include "platform/trace.h"
#include "catalogue/colours.h"
#include "window/form1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMetaEnum>
#include <QMouseEvent>
#include <QScreen>
#include <QStyleHints>
#include <QWindow>

#include <algorithm>

// A screen other than the one with the animals, covered while locked: a window of its own filling
// it in the window's silver. A click there does nothing and, the window being Zubiko's, reaches no
// other program; keys there go to the locked view like all of the program's keys.
class LockedView::Cover : public QWidget
{
public:
    Cover(QScreen *screen, DesktopLock &lock)
        : m_screen(screen)
        , m_lock(lock)
    {
        setObjectName(QStringLiteral("cover"));
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, toQColor(Colour::Silver));
        setPalette(palette);
        setAutoFillBackground(true);
        setWindowTitle(QStringLiteral("Zubiko"));
        setScreen(screen);
        setGeometry(screen->geometry());
        showFullScreen();
    }
    ~Cover() override { m_lock.release(windowHandle()); }
    QScreen *coveredScreen() const { return m_screen; }

protected:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show)
            m_lock.hold(windowHandle());
        return QWidget::event(event);
    }
    void mousePressEvent(QMouseEvent *event) override { event->accept(); }
    void mouseReleaseEvent(QMouseEvent *event) override { event->accept(); }
    void mouseDoubleClickEvent(QMouseEvent *event) override { event->accept(); }
    // Only the word ends the locked mode; the covers go with the view.
    void closeEvent(QCloseEvent *event) override { event->ignore(); }

private:
    QScreen *m_screen;
    DesktopLock &m_lock;
};

namespace {
// A key's name for the trace: "F4", "X", "Super_L". Qt has no text for some keys (the Super key),
// so the name comes from the key's enumerator, not from QKeySequence.
QString keyName(int key)
{
    const char *name = QMetaEnum::fromType<Qt::Key>().valueToKey(key);
    return name ? QString::fromLatin1(name).remove(0, 4) : QStringLiteral("0x%1").arg(key, 0, 16);
}
} // namespace

LockedView::LockedView(Form1 &form)
    : ScaledView(form)
    , m_lock(std::make_unique<DesktopLock>())
{
    setObjectName(QStringLiteral("LockedView"));
    form.setLinksEnabled(false);

    qApp->installEventFilter(this);

    setScreen(startScreen());
    setGeometry(this->screen()->geometry());
    showFullScreen();

    // A screen going away is uncovered before what it shows moves to another one; the view, if its own
    // screen went, fills the one it is moved to, whose cover goes.
    connect(qApp, &QGuiApplication::screenAdded, this, &LockedView::coverScreens);
    connect(qApp, &QGuiApplication::screenRemoved, this, &LockedView::uncover);
    connect(windowHandle(), &QWindow::screenChanged, this, [this](QScreen *screen) {
        if (!screen || m_leaving)
            return;
        setGeometry(screen->geometry());
        showFullScreen();
        coverScreens();
    });
    // Keys released while another program had the keyboard were never seen released. (Going from
    // the view to a cover and back, the keys stay the program's.)
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive)
            m_keys.forget();
    });
    coverScreens();
}

// Every screen but the view's covered, each once.
void LockedView::coverScreens()
{
    if (m_leaving)
        return;
    uncover(screen());
    for (QScreen *other : QGuiApplication::screens()) {
        const bool covered = std::any_of(m_covers.begin(), m_covers.end(),
                                         [other](const auto &cover) { return cover->coveredScreen() == other; });
        if (other != screen() && !covered) {
            m_covers.push_back(std::make_unique<Cover>(other, *m_lock));
            qCDebug(lcWindow).noquote() << "screen" << other->name() << "covered";
        }
    }
}

void LockedView::uncover(QScreen *screen)
{
    for (auto cover = m_covers.begin(); cover != m_covers.end(); ++cover) {
        if ((*cover)->coveredScreen() == screen) {
            m_covers.erase(cover);
            qCDebug(lcWindow).noquote() << "screen" << screen->name() << "uncovered";
            return;
        }
    }
}

LockedView::~LockedView()
{
    form().setLinksEnabled(true);
}

bool LockedView::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show) {
        if (!m_leaving)
            m_lock->hold(windowHandle());
    }
    return ScaledView::event(event);
}

// Every key is taken here, before any control sees it: none moves the focus or clicks a button
// on its own. Mouse presses that repeat one on the bar or an animal button are kept from it.
bool LockedView::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        takeKey(static_cast<QKeyEvent *>(event));
        return true;
    case QEvent::ShortcutOverride:
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
        if (watched == viewport())
            return repeatsPress(static_cast<QMouseEvent *>(event));
        break;
    default:
        break;
    }
    return ScaledView::eventFilter(watched, event);
}

void LockedView::takeKey(QKeyEvent *key)
{
    if (m_leaving)
        return;
    // A held key repeats as presses, and on X11 as releases too: both say it is still down.
    const KeyPresses::Kind kind = key->isAutoRepeat()           ? KeyPresses::Repeat
        : key->type() == QEvent::KeyRelease ? KeyPresses::Release
                                            : KeyPresses::Press;
    const KeyPresses::Outcome outcome = m_keys.take(kind, key->key(), key->nativeScanCode(), key->timestamp());
    static const QHash<KeyPresses::Outcome, QString> Traced = {
        {KeyPresses::WorksBar, QStringLiteral("works the bar")},
        {KeyPresses::JoinsPress, QStringLiteral("joins the press of a key held down")},
        {KeyPresses::WordStep, QStringLiteral("is a step of the word")},
        {KeyPresses::Leave, QStringLiteral("ends the word")},
    };
    if (Traced.contains(outcome))
        qCDebug(lcWindow).noquote() << "key" << keyName(key->key()) << Traced[outcome]
                                    << QStringLiteral("(scan code %1)").arg(key->nativeScanCode());
    if (outcome == KeyPresses::Leave)
        leave();
    else if (outcome == KeyPresses::WorksBar)
        form().bar()->click(); // the bar's own click, with the nesting bound of every bar click
}

// True when the event is to be kept from the controls: a press on the bar or an animal button
// within the double-click interval of the one before, and the rest of that press.
bool LockedView::repeatsPress(QMouseEvent *mouse)
{
    if (mouse->type() == QEvent::MouseButtonRelease)
        return m_presses.release();
    if (!form().isPressTarget(controlAt(mouse->position().toPoint())))
        return false;
    const quint64 interval = static_cast<quint64>(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    const bool drop = m_presses.press(mouse->timestamp(), interval, mouse->type() == QEvent::MouseButtonDblClick);
    if (drop)
        qCDebug(lcWindow) << "mouse press within the double-click interval of the last: one press";
    return drop;
}

// The window manager's close button or key does not end the locked mode; only the word does.
void LockedView::closeEvent(QCloseEvent *event)
{
    if (m_leaving)
        event->accept();
    else
        event->ignore();
}

// Ends the program with status 0; the pauses under way end at once.
void LockedView::leave()
{
    qCDebug(lcWindow) << "quit typed: leaving the locked mode";
    m_leaving = true;
    form().leave();
    m_lock->giveBack();
    m_covers.clear();
    close();
    QCoreApplication::exit(0);
}
