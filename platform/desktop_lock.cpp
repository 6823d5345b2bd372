// What the locked mode takes from the desktop and gives back: the X server's keyboard grab and
// screen saver here, the Wayland part in desktop_lock_wayland.cpp, the D-Bus requests in
// desktop_lock_dbus.cpp.

#include "platform/desktop_lock.h"

#include "platform/desktop_lock_dbus.h"
#include "platform/surface_lock.h"
#include "platform/trace.h"

#include <QGuiApplication>
#include <QLibrary>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

namespace {
// A grab is refused while the window is not yet on the screen, or while another program holds
// the keyboard for a moment; it is tried again this often, for about ten seconds.
constexpr int GrabRetryMs = 250;
constexpr int GrabAttempts = 40;

// The Wayland part, a module loaded only under Wayland: beside the program, then where it is installed.
SurfaceLock *loadWaylandLock()
{
    const QString dir = QCoreApplication::applicationDirPath() + '/';
    QLibrary module;
    for (const QString &path : {dir, dir + QStringLiteral(ZUBIKO_MODULE_DIR_FROM_BINARY "/")}) {
        module.setFileName(path + QStringLiteral("zubiko-wayland.so"));
        if (auto make = reinterpret_cast<SurfaceLock *(*)()>(module.resolve("zubiko_make_wayland_lock")))
            return make();
    }
    qCDebug(lcWindow).noquote() << "the Wayland part could not be loaded:" << module.errorString();
    return nullptr;
}

// The X server's own screen saver, or null under another window system.
Display *x11Display()
{
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->display() : nullptr;
}
} // namespace

DesktopLock::DesktopLock(QObject *parent)
    : QObject(parent)
    , m_bus(std::make_unique<BusLocks>(this))
{
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        m_wayland.reset(loadWaylandLock());
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
    m_bus->take();
    // On Wayland no program may grab the keyboard: the compositor is asked to pass its keys on.
    if (m_wayland) {
        m_wayland->hold(window);
        return;
    }
    m_grabWindow = window;
    m_grabAttempts = 0;
    grabKeyboard();
    suspendXScreenSaver(true);
}

void DesktopLock::suspendXScreenSaver(bool suspend)
{
    Display *display = x11Display();
    int event = 0;
    int error = 0;
    if (!display || m_xScreenSaverSuspended == suspend || m_xScreenSaverAbsent)
        return;
    if (!XScreenSaverQueryExtension(display, &event, &error)) {
        qCDebug(lcWindow) << "the X server offers no screen saver extension: its screen saver may start";
        m_xScreenSaverAbsent = true;
        return;
    }
    XScreenSaverSuspend(display, suspend);
    XFlush(display);
    m_xScreenSaverSuspended = suspend;
    qCDebug(lcWindow) << (suspend ? "X screen saver suspended" : "X screen saver resumed");
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
    m_bus->giveBack();
    if (m_wayland)
        m_wayland->giveBack();
    suspendXScreenSaver(false);
    release(m_grabWindow);
}
