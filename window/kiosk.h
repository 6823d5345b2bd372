#pragma once

#include "platform/shortcuts_inhibitor.h"

#include <QGraphicsView>
#include <QTimer>

class Form1;
class QAbstractButton;
class QGraphicsProxyWidget;

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
// screen it starts on: its whole layout scaled by one uniform factor and centred on the window's
// silver. The keyboard is taken from the desktop while it runs; every key works the bar, as the
// space bar does when the bar has the focus, except the letters of the word that leaves it. The
// web and volume links do nothing here: they would open other programs over the locked window.
//
// The layout is scaled by a graphics view rather than by Qt's device pixel ratio: the factor is
// known only once the screen is, after the application has started, while Qt's ratio is fixed
// before; a fractional ratio leaves widgets rounded to different pixels; and pictures drawn by
// labels would be scaled without smoothing. The view draws the whole window through one transform,
// so text is rendered at its final size, pictures are smoothed, and clicks are mapped back through
// the same transform.
class Kiosk : public QGraphicsView
{
    Q_OBJECT
public:
    // Shows `form` locked and full screen. `form` must outlive this view and be shown by nothing else.
    explicit Kiosk(Form1 &form);
    ~Kiosk() override;

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void takeKeyboard();
    void leave();

    QGraphicsProxyWidget *m_proxy = nullptr;
    QAbstractButton *m_bar = nullptr;
    QuitWord m_word;
    ShortcutsInhibitor m_shortcuts; // on Wayland, where no grab is given
    QTimer m_grabRetry;
    int m_grabAttempts = 0;
    bool m_keyboardTaken = false;
    bool m_leaving = false;
};
