#pragma once

#include "window/scaled_view.h"

#include <QHash>

#include <memory>
#include <optional>

class DesktopLock;
class QKeyEvent;
class QMouseEvent;

// The grown-up's way out of the locked mode: the letters q, u, i, t typed one after the other.
// Any other key in between starts the word again.
class QuitWord
{
public:
    enum Step {
        Other,     // a key that is no step of the word
        Continued, // the next letter of the word, not yet the last
        Completed, // the word's last letter
    };
    // What a pressed key (a Qt::Key) does to the word.
    Step take(int key);

private:
    int m_typed = 0;
};

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

    QuitWord m_word;
    std::unique_ptr<DesktopLock> m_lock; // the desktop's keys, taken while locked
    bool m_leaving = false;
    // The keys down now, by scan code (by key where there is none), each with the time it was last
    // seen down on the input events' own clock. A release can be lost while another program has
    // the keyboard: the whole set is forgotten when the window loses activation, a key pressed
    // again is known to have been released, and a key not seen for StuckKeyMs is taken as up.
    QHash<quint32, quint64> m_keysDown;
    // The time of the last mouse press on the bar or an animal button, from the input events'
    // own clock, and whether the press under way (a repeat) is kept from the buttons.
    std::optional<quint64> m_lastPress;
    bool m_droppingPress = false;
};
