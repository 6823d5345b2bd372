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

#include <array>
#include <utility>

QuitWord::Step QuitWord::take(int key)
{
    static constexpr std::array<int, 4> Word = {Qt::Key_Q, Qt::Key_U, Qt::Key_I, Qt::Key_T};
    if (key == Word.at(static_cast<size_t>(m_typed))) {
        ++m_typed;
    } else {
        m_typed = key == Word.front() ? 1 : 0;
        return m_typed == 0 ? Other : Continued;
    }
    if (m_typed < static_cast<int>(Word.size()))
        return Continued;
    m_typed = 0;
    return Completed;
}

namespace {
// A key held this long without a key event of its own (a held key repeats) has been released
// unseen.
constexpr quint64 StuckKeyMs = 5000;
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
        m_keysDown.clear();
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
    const quint32 id = key->nativeScanCode() != 0 ? key->nativeScanCode() : static_cast<quint32>(key->key());
    if (key->type() == QEvent::KeyRelease) {
        if (!key->isAutoRepeat())
            m_keysDown.remove(id);
        return;
    }
    if (key->isAutoRepeat()) {
        m_keysDown.insert(id, key->timestamp());
        return;
    }
    // A key pressed again without a release in between was released unseen, as was one not seen
    // for a long time.
    m_keysDown.remove(id);
    m_keysDown.removeIf([now = key->timestamp()](const auto &held) { return held.value() + StuckKeyMs < now; });
    const bool joinsAPress = !m_keysDown.isEmpty();
    m_keysDown.insert(id, key->timestamp());
    const QString name = keyName(key->key());
    switch (m_word.take(key->key())) {
    case QuitWord::Completed:
        leave();
        break;
    case QuitWord::Other:
        if (joinsAPress) {
            qCDebug(lcWindow).noquote() << "key" << name << "joins the press of a key held down";
        } else {
            qCDebug(lcWindow).noquote() << "key" << name << "works the bar";
            // The bar's own click, with the nesting bound of every bar click.
            form().bar()->click();
        }
        break;
    case QuitWord::Continued:
        break;
    }
}

// True when the event is to be kept from the controls: a press on the bar or an animal button
// within the double-click interval of the one before, and the rest of that press.
bool Kiosk::repeatsPress(QMouseEvent *mouse)
{
    if (mouse->type() == QEvent::MouseButtonRelease)
        return std::exchange(m_droppingPress, false);
    if (!form().isPressTarget(controlAt(mouse->position().toPoint())))
        return false;
    // A double click's second press may come as the double click alone.
    const quint64 interval = static_cast<quint64>(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    m_droppingPress = mouse->type() == QEvent::MouseButtonDblClick
        || (m_lastPress && mouse->timestamp() - *m_lastPress < interval);
    m_lastPress = mouse->timestamp();
    if (m_droppingPress)
        qCDebug(lcWindow) << "mouse press within the double-click interval of the last: one press";
    return m_droppingPress;
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
