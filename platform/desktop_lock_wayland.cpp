// DesktopLock's Wayland part: the compositor asked to hold back its own keyboard shortcuts
// (switching programs, the Super key's overview, closing a program) while a locked surface has
// the keyboard, through its keyboard-shortcuts-inhibit protocol, and to keep its screen saver and
// idle lock off while a locked surface is shown (idle-inhibit). Only this file sees the Wayland
// client code and Qt's platform interface.
//
// What the compositor answers is traced: "shortcuts inhibited" each time it holds them back and,
// once only, a line saying why it does not (it lacks the protocol, refuses, or leaves the request
// unanswered for three seconds); "idle inhibited" once, or once that it lacks the protocol.

#include "platform/surface_lock.h"

#include "platform/trace.h"

#include "qwayland-idle-inhibit-unstable-v1.h"
#include "qwayland-keyboard-shortcuts-inhibit-unstable-v1.h"

#include <QGuiApplication>
#include <QTimer>
#include <QWindow>
#include <QtWaylandClient/QWaylandClientExtensionTemplate>
#include <qpa/qplatformnativeinterface.h>

#include <QHash>

#include <functional>
#include <memory>

namespace {

// A compositor's global that hands out inhibitors.
template <typename Protocol>
class InhibitManager final : public QWaylandClientExtensionTemplate<InhibitManager<Protocol>>, public Protocol
{
public:
    InhibitManager()
        : QWaylandClientExtensionTemplate<InhibitManager<Protocol>>(1)
    {
        // Binds at once when the compositor announced the global, so that isActive() answers now.
        this->initialize();
    }
    ~InhibitManager() override
    {
        if (this->isInitialized())
            this->destroy();
    }
};

// Keeps the compositor's screen saver and idle lock off while its surface is shown.
class IdleInhibitor final : public QtWayland::zwp_idle_inhibitor_v1
{
public:
    using QtWayland::zwp_idle_inhibitor_v1::zwp_idle_inhibitor_v1;
    ~IdleInhibitor() override { destroy(); }
};

// The compositor's answers to one request.
class Inhibitor final : public QtWayland::zwp_keyboard_shortcuts_inhibitor_v1
{
public:
    Inhibitor(::zwp_keyboard_shortcuts_inhibitor_v1 *object, std::function<void(bool)> answered)
        : QtWayland::zwp_keyboard_shortcuts_inhibitor_v1(object)
        , m_answered(std::move(answered))
    {
    }
    ~Inhibitor() override { destroy(); }

protected:
    void zwp_keyboard_shortcuts_inhibitor_v1_active() override { m_answered(true); }
    void zwp_keyboard_shortcuts_inhibitor_v1_inactive() override { m_answered(false); }

private:
    std::function<void(bool)> m_answered;
};

// A compositor that refuses may say so, or say nothing at all (sway told not to allow it, or
// GNOME while its question to the user is open); a request unanswered this long is traced.
constexpr int AnswerWaitMs = 3000;

} // namespace

class ShortcutsInhibitor
{
public:
    ShortcutsInhibitor()
    {
        m_unanswered.setSingleShot(true);
        m_unanswered.setInterval(AnswerWaitMs);
        QObject::connect(&m_unanswered, &QTimer::timeout, [this] {
            traceRefusal("shortcuts inhibitor not answered: the compositor keeps its shortcuts for now");
        });
    }

    void request(::wl_surface *forSurface, ::wl_seat *seat)
    {
        inhibitor.reset();
        inhibitor = std::make_unique<Inhibitor>(manager.inhibit_shortcuts(forSurface, seat),
                                                [this](bool active) { answered(active); });
        surface = forSurface;
        withdrawn = false;
        m_unanswered.start();
    }
    void drop()
    {
        m_unanswered.stop();
        inhibitor.reset();
    }
    void answered(bool active)
    {
        m_unanswered.stop();
        withdrawn = !active;
        if (active)
            qCDebug(lcWindow) << "shortcuts inhibited: the compositor passes its keys on";
        else
            traceRefusal("shortcuts inhibitor refused: the compositor keeps its shortcuts");
    }
    void traceRefusal(const char *line)
    {
        if (!m_refusalTraced)
            qCDebug(lcWindow) << line;
        m_refusalTraced = true;
    }

    InhibitManager<QtWayland::zwp_keyboard_shortcuts_inhibit_manager_v1> manager;
    std::unique_ptr<Inhibitor> inhibitor;
    ::wl_surface *surface = nullptr; // the surface `inhibitor` was made for
    bool withdrawn = false;          // the compositor said "inactive" and has not said "active" since
    bool absenceTraced = false;

private:
    QTimer m_unanswered;
    bool m_refusalTraced = false;
};

// The Wayland locks for the locked surfaces.
class WaylandLock final : public SurfaceLock
{
public:
    void hold(QWindow *window) override;
    void release(QWindow *window) override;
    void giveBack() override;

private:
    void holdIdle(QWindow *window, ::wl_surface *surface);

    ShortcutsInhibitor m_shortcuts;
    QWindow *m_shortcutsWindow = nullptr; // the window m_shortcuts.inhibitor was made for
    InhibitManager<QtWayland::zwp_idle_inhibit_manager_v1> m_idleManager;
    // One idle inhibitor for each locked window's surface.
    QHash<QWindow *, std::pair<::wl_surface *, std::shared_ptr<IdleInhibitor>>> m_idle;
    bool m_idleTraced = false;
};

extern "C" Q_DECL_EXPORT SurfaceLock *zubiko_make_wayland_lock()
{
    return new WaylandLock;
}

void WaylandLock::hold(QWindow *window)
{
    QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
    auto *surface = static_cast<::wl_surface *>(native->nativeResourceForWindow("surface", window));
    auto *seat = static_cast<::wl_seat *>(native->nativeResourceForIntegration("wl_seat"));
    if (surface)
        holdIdle(window, surface);
    ShortcutsInhibitor &w = m_shortcuts;
    if (!w.manager.isActive()) {
        if (!w.absenceTraced)
            qCDebug(lcWindow) << "the compositor offers no shortcuts inhibitor: it keeps its shortcuts";
        w.absenceTraced = true;
        return;
    }
    if (!surface || !seat)
        return; // not on the screen yet: asked again when it is shown or activated
    // A compositor allows one request per surface and seat. One it honours, or has not answered
    // yet, is kept; one it has withdrawn (the user took the desktop's keys back, or it refused)
    // is renewed, so that the lock comes back when the window is active again.
    if (!w.inhibitor || w.surface != surface || w.withdrawn) {
        w.request(surface, seat);
        m_shortcutsWindow = window;
    }
}

void WaylandLock::holdIdle(QWindow *window, ::wl_surface *surface)
{
    if (!m_idleManager.isActive()) {
        if (!m_idleTraced)
            qCDebug(lcWindow) << "the compositor offers no idle inhibitor: its screen saver may start";
        m_idleTraced = true;
        return;
    }
    // A surface made again (the window hidden and shown) needs an inhibitor of its own.
    if (m_idle.value(window).first == surface)
        return;
    m_idle.insert(window, {surface, std::make_shared<IdleInhibitor>(m_idleManager.create_inhibitor(surface))});
    if (!m_idleTraced)
        qCDebug(lcWindow) << "idle inhibited: the compositor keeps its screen saver off";
    m_idleTraced = true;
}

void WaylandLock::release(QWindow *window)
{
    m_idle.remove(window);
    if (window == m_shortcutsWindow)
        m_shortcuts.drop();
}

void WaylandLock::giveBack()
{
    if (!m_idle.isEmpty()) {
        m_idle.clear();
        qCDebug(lcWindow) << "idle given back to the compositor";
    }
    if (m_shortcuts.inhibitor) {
        m_shortcuts.drop();
        qCDebug(lcWindow) << "shortcuts given back to the compositor";
    }
}
