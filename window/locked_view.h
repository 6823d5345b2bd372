#pragma once

#include "window/press_rules.h"
#include "window/scaled_view.h"

#include <memory>
#include <vector>

class DesktopLock;
class QKeyEvent;
class QMouseEvent;
class QScreen;

// The locked mode, for a child who bangs rather than clicks. The window, unchanged, fills the
// screen it starts on, scaled by one uniform factor and centred on the window's silver; every other
// screen, plugged in before or while locked, is covered in that silver, and a click there does
// nothing. The keyboard is taken from the desktop while it runs, whichever of these has it. A press of the child works the bar once: a key
// works it, as the space bar does when the bar has the focus, when no other key is down (a chord,
// a palm or Alt+F4 is one press; a held key counts once); mouse presses on the bar or an animal
// button within the desktop's double-click interval of the one before count once. The letters of
// the word that leaves the mode work nothing. The web and volume links do nothing here: they would
// open other programs over the locked window.
class LockedView : public ScaledView
{
    Q_OBJECT
public:
    // Shows `form` locked and full screen. `form` must outlive this view and be shown by nothing else.
    explicit LockedView(Form1 &form);
    ~LockedView() override;

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    class Cover;
    void coverScreens();
    void uncover(QScreen *screen);
    void leave();
    void takeKey(QKeyEvent *key);
    bool repeatsPress(QMouseEvent *mouse);

    KeyPresses m_keys;
    RepeatedPresses m_presses;
    std::unique_ptr<DesktopLock> m_lock; // the desktop's keys, taken while locked
    std::vector<std::unique_ptr<Cover>> m_covers; // one for each screen but the view's
    bool m_leaving = false;
};
