#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>

class BusLocks;
class QWindow;
class SurfaceLock;

// What the locked mode takes from the desktop while it runs, and gives back on leaving:
// - the keyboard: on X11 a grab, tried again while it is refused; on Wayland, where no program may
//   grab it, the compositor is asked to hold back its shortcuts for the window that has the keyboard;
// - idle: no screen saver and no idle lock (Wayland's idle inhibitor for each locked surface; on
//   X11 the X server's own saver suspended), and the desktop's screen saver service asked on the
//   session bus (org.freedesktop.ScreenSaver);
// - the power, sleep and hibernate keys, through a logind inhibitor lock (the lid stays the parent's).
//
// Each outcome is traced under zubiko.window: "keyboard grabbed", "shortcuts inhibited: ...",
// "idle inhibited: ...", "power keys held: ..." and, once only, a line saying why a lock could not
// be had; the locked mode goes on without it.
class DesktopLock : public QObject
{
    Q_OBJECT
public:
    explicit DesktopLock(QObject *parent = nullptr);
    ~DesktopLock() override; // gives everything back

    // `window` holds the keys, shortcuts and idle; call it for the main locked window and for
    // every cover, whenever one is shown or activated. What is still held is kept.
    void hold(QWindow *window);
    // A surface going away (a screen unplugged).
    void release(QWindow *window);
    // Everything back to the desktop, at once (leaving).
    void giveBack();

private:
    void grabKeyboard();
    void suspendXScreenSaver(bool suspend);

    std::unique_ptr<BusLocks> m_bus;
    std::unique_ptr<SurfaceLock> m_wayland; // null off Wayland
    QPointer<QWindow> m_grabWindow;         // the window the X11 grab is for
    QTimer m_grabRetry;
    int m_grabAttempts = 0;
    bool m_keyboardGrabbed = false;
    bool m_xScreenSaverSuspended = false;
    bool m_xScreenSaverAbsent = false;
};
