#pragma once

#include <memory>

class QWindow;

// Asks a Wayland compositor to hold back its own keyboard shortcuts (switching programs, the
// Super key's overview, closing a program) while a window has the keyboard, so that those keys
// reach the window instead. Under any other window system it does nothing: there the window
// grabs the keyboard itself.
//
// What the compositor answers is traced under zubiko.window: "shortcuts inhibited" each time it
// holds them back and, once only, a line saying why it does not (it lacks the protocol, refuses,
// or leaves the request unanswered for three seconds).
class ShortcutsInhibitor
{
public:
    ShortcutsInhibitor();
    ~ShortcutsInhibitor();
    ShortcutsInhibitor(const ShortcutsInhibitor &) = delete;
    ShortcutsInhibitor &operator=(const ShortcutsInhibitor &) = delete;

    // Asks for `window`'s shortcuts to be held back; call it whenever the window is shown or
    // activated. A request the compositor still honours is kept; one it has withdrawn is renewed.
    // Returns false off Wayland, where the window grabs the keyboard itself.
    bool hold(QWindow *window);
    // Gives the shortcuts back to the compositor.
    void release();

private:
    class Wayland;
    std::unique_ptr<Wayland> m_wayland; // null off Wayland
};
