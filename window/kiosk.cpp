// The locked, full-screen mode (zubiko --kiosk).

#include "window/kiosk.h"

#include "platform/desktop_lock.h"
#include "platform/trace.h"
#include "window/form1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMetaEnum>
#include <QMouseEvent>
#include <QScreen>
#include <QStyleHints>
#include <QWindow>

namespace {
// A key's name for the trace: "F4", "X", "Super_L". Qt has no text for some keys (the Super key),
// so the name comes from the key's enumerator, not from QKeySequence.
QString keyName(int key)
{
    const char *name = QMetaEnum::fromType<Qt::Key>().valueToKey(key);
    return name ? QString::fromLatin1(name).remove(0, 4) : QStringLiteral("0x%1").arg(key, 0, 16);
}
} // namespace

Kiosk::Kiosk(Form1 &form)
    : ScaledView(form)
    , m_lock(std::make_unique<DesktopLock>())
{
    setObjectName(QStringLiteral("Kiosk"));
    form.setLinksEnabled(false);

    qApp->installEventFilter(this);

    setScreen(startScreen());
    setGeometry(this->screen()->geometry());
    showFullScreen();
}

Kiosk::~Kiosk()
{
    form().setLinksEnabled(true);
}

bool Kiosk::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show) {
        if (!m_leaving)
            m_lock->hold(windowHandle());
    } else if (event->type() == QEvent::WindowDeactivate) {
        // Keys released while another window had the keyboard were never seen released.
        m_keys.forget();
    }
    return ScaledView::event(event);
}

// Every key is taken here, before any control sees it: none moves the focus or clicks a button
// on its own. Mouse presses that repeat one on the bar or an animal button are kept from it.
bool Kiosk::eventFilter(QObject *watched, QEvent *event)
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

void Kiosk::takeKey(QKeyEvent *key)
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
bool Kiosk::repeatsPress(QMouseEvent *mouse)
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
void Kiosk::closeEvent(QCloseEvent *event)
{
    if (m_leaving)
        event->accept();
    else
        event->ignore();
}

// Ends the program with status 0; the pauses under way end at once.
void Kiosk::leave()
{
    qCDebug(lcWindow) << "quit typed: leaving the locked mode";
    m_leaving = true;
    form().leave();
    m_lock->giveBack();
    close();
    QCoreApplication::exit(0);
}
