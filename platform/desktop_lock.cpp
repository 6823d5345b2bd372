// What the locked mode takes from the desktop and gives back: the X11 grab here, the Wayland part
// in desktop_lock_wayland.cpp.

#include "platform/desktop_lock.h"

#include "platform/surface_lock.h"
#include "platform/trace.h"

#include <QGuiApplication>
#include <QWindow>

namespace {
// A grab is refused while the window is not yet on the screen, or while another program holds
// the keyboard for a moment; it is tried again this often, for about ten seconds.
constexpr int GrabRetryMs = 250;
constexpr int GrabAttempts = 40;
} // namespace

DesktopLock::DesktopLock(QObject *parent)
    : QObject(parent)
{
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        m_wayland.reset(makeWaylandLock());
    m_grabRetry.setInterval(GrabRetryMs);
    connect(&m_grabRetry, &QTimer::timeout, this, &DesktopLock::grabKeyboard);
}

DesktopLock::~DesktopLock()
{
    giveBack();
}

void DesktopLock::hold(QWindow *window)
{
    if (!window)
        return;
    // On Wayland no program may grab the keyboard: the compositor is asked to pass its keys on.
    if (m_wayland) {
        m_wayland->hold(window);
        return;
    }
    m_grabWindow = window;
    m_grabAttempts = 0;
    grabKeyboard();
}

void DesktopLock::grabKeyboard()
{
    if (!m_grabWindow)
        return;
    if (m_grabWindow->setKeyboardGrabEnabled(true)) {
        m_grabRetry.stop();
        if (!m_keyboardGrabbed)
            qCDebug(lcWindow) << "keyboard grabbed";
        m_keyboardGrabbed = true;
        return;
    }
    m_keyboardGrabbed = false;
    if (++m_grabAttempts < GrabAttempts) {
        m_grabRetry.start();
    } else {
        m_grabRetry.stop();
        qCDebug(lcWindow) << "keyboard grab refused: the desktop keeps its shortcuts";
    }
}

void DesktopLock::release(QWindow *window)
{
    if (m_wayland)
        m_wayland->release(window);
    if (window && window == m_grabWindow) {
        m_grabRetry.stop();
        window->setKeyboardGrabEnabled(false);
        m_grabWindow = nullptr;
        m_keyboardGrabbed = false;
    }
}

void DesktopLock::giveBack()
{
    if (m_wayland)
        m_wayland->giveBack();
    release(m_grabWindow);
}
