#pragma once

#include <QDBusPendingCall>
#include <QDBusUnixFileDescriptor>
#include <QObject>

#include <optional>

// DesktopLock's requests on D-Bus: the desktop's screen saver kept off (org.freedesktop.ScreenSaver
// on the session bus) and the power, sleep and hibernate keys held (a logind inhibitor lock on the
// system bus), each asked once, without waiting, and given back on leaving. A service that is
// missing or refuses is traced once, and the lock goes on without it.
class BusLocks
{
public:
    explicit BusLocks(QObject *context);
    void take();
    void giveBack();

private:
    void askScreenSaver(int path);
    void screenSaverAnswered(int path);
    void powerKeysAnswered();

    QObject *m_context; // owns the answers' watchers
    bool m_taken = false;
    QDBusPendingCall m_screenSaverCall;
    bool m_screenSaverPending = false;       // m_screenSaverCall's answer not yet taken
    int m_screenSaverPath = 0;               // the object path asked (ScreenSaverPaths)
    std::optional<uint> m_screenSaverCookie; // while the screen saver is held
    QDBusPendingCall m_powerKeysCall;
    bool m_powerKeysPending = false;
    QDBusUnixFileDescriptor m_powerKeys;     // the inhibitor lock: held while open
};
