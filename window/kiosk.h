#pragma once

#include "window/press_rules.h"
#include "window/scaled_view.h"

#include <memory>

class DesktopLock;
class QKeyEvent;
class QMouseEvent;

// The locked mode, for a child who bangs rather than clicks. The window, unchanged, fills the
// screen it starts on, scaled by one uniform factor and centred on the window's silver. The
// keyboard is taken from the desktop while it runs. A press of the child works the bar once: a key
// works it, as the space bar does when the bar has the focus, when no other key is down (a chord,
// a palm or Alt+F4 is one press; a held key counts once); mouse presses on the bar or an animal
// button within the desktop's double-click interval of the one before count once. The letters of
// the word that leaves the mode work nothing. The web and volume links do nothing here: they would
// open other programs over the locked window.
class Kiosk : public ScaledView
{
    Q_OBJECT
public:
    // Shows `form` locked and full screen. `form` must outlive this view and be shown by nothing else.
    explicit Kiosk(Form1 &form);
    ~Kiosk() override;

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void leave();
    void takeKey(QKeyEvent *key);
    bool repeatsPress(QMouseEvent *mouse);

    KeyPresses m_keys;
    RepeatedPresses m_presses;
    std::unique_ptr<DesktopLock> m_lock; // the desktop's keys, taken while locked
    bool m_leaving = false;
};
