// The screen saver and the power keys held through D-Bus while locked.

#include "platform/desktop_lock_dbus.h"

#include "platform/trace.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

#include <array>

namespace {
const QString ScreenSaver = QStringLiteral("org.freedesktop.ScreenSaver");
// Desktops serve the interface at one of these paths; the first is asked first.
const std::array<QString, 2> ScreenSaverPaths = {QStringLiteral("/org/freedesktop/ScreenSaver"),
                                                 QStringLiteral("/ScreenSaver")};
const QString Reason = QStringLiteral("a child is playing in the locked mode");
// The keys a child can reach; the lid switch stays the parent's.
const QString PowerKeys = QStringLiteral("handle-power-key:handle-suspend-key:handle-hibernate-key");
constexpr int GiveBackWaitMs = 1000;

// Calls `answered` in `context` when `call` is answered, unless the call was dropped before.
template <typename F>
void whenAnswered(const QDBusPendingCall &call, QObject *context, F answered)
{
    auto *watcher = new QDBusPendingCallWatcher(call, context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context, [watcher, answered] {
        watcher->deleteLater();
        answered();
    });
}
} // namespace

BusLocks::BusLocks(QObject *context)
    : m_context(context)
    , m_screenSaverCall(QDBusPendingCall::fromCompletedCall({}))
    , m_powerKeysCall(QDBusPendingCall::fromCompletedCall({}))
{
}

void BusLocks::take()
{
    if (m_taken)
        return;
    m_taken = true;
    askScreenSaver(0);
    // A bus that cannot be reached gives no answer at all.
    if (!QDBusConnection::systemBus().isConnected()) {
        qCDebug(lcWindow) << "power keys not held: no system bus";
        return;
    }
    QDBusMessage inhibit = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("Inhibit"));
    inhibit << PowerKeys << QCoreApplication::applicationName() << Reason << QStringLiteral("block");
    m_powerKeysCall = QDBusConnection::systemBus().asyncCall(inhibit);
    m_powerKeysPending = true;
    whenAnswered(m_powerKeysCall, m_context, [this] { powerKeysAnswered(); });
}

void BusLocks::askScreenSaver(int path)
{
    m_screenSaverPath = path;
    if (!QDBusConnection::sessionBus().isConnected()) {
        qCDebug(lcWindow) << "screen saver not inhibited: no session bus";
        return;
    }
    m_screenSaverPending = true;
    QDBusMessage inhibit = QDBusMessage::createMethodCall(ScreenSaver, ScreenSaverPaths.at(path), ScreenSaver,
                                                          QStringLiteral("Inhibit"));
    inhibit << QCoreApplication::applicationName() << Reason;
    m_screenSaverCall = QDBusConnection::sessionBus().asyncCall(inhibit);
    whenAnswered(m_screenSaverCall, m_context, [this, path] { screenSaverAnswered(path); });
}

void BusLocks::screenSaverAnswered(int path)
{
    if (!m_screenSaverPending || path != m_screenSaverPath)
        return;
    m_screenSaverPending = false;
    const QDBusPendingReply<uint> reply = m_screenSaverCall;
    if (reply.isValid()) {
        m_screenSaverCookie = reply.value();
        qCDebug(lcWindow).noquote() << "screen saver inhibited through" << ScreenSaverPaths.at(path);
    } else if (path + 1 < static_cast<int>(ScreenSaverPaths.size())) {
        askScreenSaver(path + 1);
    } else {
        qCDebug(lcWindow).noquote() << "screen saver not inhibited:" << reply.error().name();
    }
}

void BusLocks::powerKeysAnswered()
{
    if (!m_powerKeysPending)
        return;
    m_powerKeysPending = false;
    const QDBusPendingReply<QDBusUnixFileDescriptor> reply = m_powerKeysCall;
    m_powerKeysCall = QDBusPendingCall::fromCompletedCall({}); // the reply's copy of the lock
    if (reply.isValid() && reply.value().isValid()) {
        m_powerKeys = reply.value();
        qCDebug(lcWindow) << "power keys held: logind passes them on";
    } else {
        qCDebug(lcWindow).noquote() << "power keys not held:" << reply.error().name();
    }
}

void BusLocks::giveBack()
{
    if (!m_taken)
        return;
    // An answer still on its way is waited for, so that what it grants is given back too.
    while (m_screenSaverPending) {
        m_screenSaverCall.waitForFinished();
        screenSaverAnswered(m_screenSaverPath);
    }
    m_powerKeysCall.waitForFinished();
    powerKeysAnswered();
    m_taken = false;
    if (m_screenSaverCookie) {
        QDBusMessage unInhibit = QDBusMessage::createMethodCall(
            ScreenSaver, ScreenSaverPaths.at(m_screenSaverPath), ScreenSaver, QStringLiteral("UnInhibit"));
        unInhibit << *m_screenSaverCookie;
        QDBusConnection::sessionBus().call(unInhibit, QDBus::Block, GiveBackWaitMs);
        m_screenSaverCookie.reset();
        qCDebug(lcWindow) << "screen saver given back";
    }
    if (m_powerKeys.isValid()) {
        m_powerKeys = QDBusUnixFileDescriptor(); // closing it ends the inhibitor lock
        qCDebug(lcWindow) << "power keys given back to logind";
    }
}
