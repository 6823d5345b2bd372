// Holding back a Wayland compositor's shortcuts, through its keyboard-shortcuts-inhibit protocol.
// Only this file sees the Wayland client code and Qt's platform interface.

#include "platform/shortcuts_inhibitor.h"

#include "platform/trace.h"

#include "qwayland-keyboard-shortcuts-inhibit-unstable-v1.h"

#include <QGuiApplication>
#include <QPointer>
#include <QWindow>
#include <QtWaylandClient/QWaylandClientExtensionTemplate>
#include <qpa/qplatformnativeinterface.h>

namespace {

// The compositor's global that hands out inhibitors.
class InhibitManager final : public QWaylandClientExtensionTemplate<InhibitManager>,
                             public QtWayland::zwp_keyboard_shortcuts_inhibit_manager_v1
{
public:
    InhibitManager()
        : QWaylandClientExtensionTemplate<InhibitManager>(1)
    {
        // Binds at once when the compositor announced the global, so that isActive() answers now.
        initialize();
    }
    ~InhibitManager() override
    {
        if (isInitialized())
            destroy();
    }
};

// One surface's request; the compositor says whether it holds its shortcuts back.
class Inhibitor final : public QtWayland::zwp_keyboard_shortcuts_inhibitor_v1
{
public:
    explicit Inhibitor(::zwp_keyboard_shortcuts_inhibitor_v1 *object)
        : QtWayland::zwp_keyboard_shortcuts_inhibitor_v1(object)
    {
    }
    ~Inhibitor() override { destroy(); }

    bool withdrawn = false; // the compositor said "inactive" and has not said "active" since
    bool refusalTraced = false;

protected:
    void zwp_keyboard_shortcuts_inhibitor_v1_active() override
    {
        withdrawn = false;
        qCDebug(lcWindow) << "shortcuts inhibited: the compositor passes its keys on";
    }
    void zwp_keyboard_shortcuts_inhibitor_v1_inactive() override
    {
        withdrawn = true;
        if (!refusalTraced)
            qCDebug(lcWindow) << "shortcuts inhibitor refused: the compositor keeps its shortcuts";
        refusalTraced = true;
    }
};

} // namespace

class ShortcutsInhibitor::Wayland
{
public:
    InhibitManager manager;
    std::unique_ptr<Inhibitor> inhibitor;
    void *surface = nullptr; // the wl_surface `inhibitor` was made for
    bool absenceTraced = false;
    bool refusalTraced = false;
};

ShortcutsInhibitor::ShortcutsInhibitor()
{
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        m_wayland = std::make_unique<Wayland>();
}

ShortcutsInhibitor::~ShortcutsInhibitor() = default;

void ShortcutsInhibitor::hold(QWindow *window)
{
    if (!m_wayland || !window)
        return;
    Wayland &w = *m_wayland;
    if (!w.manager.isActive()) {
        if (!w.absenceTraced)
            qCDebug(lcWindow) << "the compositor offers no shortcuts inhibitor: it keeps its shortcuts";
        w.absenceTraced = true;
        return;
    }
    QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
    void *surface = native->nativeResourceForWindow("surface", window);
    auto *seat = static_cast<::wl_seat *>(native->nativeResourceForIntegration("wl_seat"));
    if (!surface || !seat)
        return; // not on the screen yet: asked again when it is shown or activated
    // A compositor allows one request per surface and seat; one it still honours is kept, one it
    // has withdrawn (the user asked for the desktop's keys back, or it refused) is renewed, as the
    // child may have been switched away from the window and back.
    if (w.inhibitor && w.surface == surface && !w.inhibitor->withdrawn)
        return;
    if (w.inhibitor)
        w.refusalTraced = w.refusalTraced || w.inhibitor->refusalTraced;
    w.inhibitor.reset();
    w.inhibitor = std::make_unique<Inhibitor>(
        w.manager.inhibit_shortcuts(static_cast<::wl_surface *>(surface), seat));
    w.inhibitor->refusalTraced = w.refusalTraced;
    w.surface = surface;
}

void ShortcutsInhibitor::release()
{
    if (m_wayland && m_wayland->inhibitor) {
        m_wayland->inhibitor.reset();
        qCDebug(lcWindow) << "shortcuts given back to the compositor";
    }
}
