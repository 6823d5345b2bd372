#pragma once

#include "catalogue/colours.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

// A push button that is painted flat in a background colour of its own, so that the marks and
// the bar's phases show: a raised edge made from that colour (sunken while pressed), and a dark
// frame while the button has the focus, so that a child's helper can see where the space bar will
// act. It paints itself rather than through a style sheet: the window's 33 buttons, each with a
// sheet of its own, cost its first frame several milliseconds to parse and polish. Space clicks it
// while it has the focus, as any push button. Arrow keys, Home, End and the page keys do nothing:
// a child who bangs them keeps the focus where it was, so that the space bar goes on working the
// bar. Only Tab moves the focus.
class ColourButton : public QPushButton
{
    Q_OBJECT
public:
    ColourButton(const QString &caption, BgrColour colour, QWidget *parent);

    void setBackColor(BgrColour colour);
    BgrColour backColor() const { return m_colour; }
    // Where the caption is drawn: inside the focus frame, the thickest edge the button has.
    QRect captionRect() const { return rect().adjusted(FocusFrame, FocusFrame, -FocusFrame, -FocusFrame); }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    static constexpr int Edge = 2;
    static constexpr int FocusFrame = 3;
    BgrColour m_colour = 0;
};

// A label or picture that reports a click. It never takes the keyboard focus. A double click is
// one click: the press that makes it a double click is not counted.
class ClickableLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    bool m_pressed = false;
};

// The smallest pixel size a button's caption is drawn at: that of the smallest words the window
// already shows the child ("replay sound", "volume": 9.75 points, 13 pixels), against the
// buttons' 21. Below it the x-height falls under 7 pixels and Greek and Cyrillic letters lose the
// strokes that tell them apart (ы from ь, ξ from ζ) on a 96 dpi screen. The longest name shipped,
// Greek Καμηλοπάρδαλη (giraffe), fits its button at 13.
constexpr int CaptionFloorPixels = 13;

// The width a caption has inside its button: the contents beside the thicker frame the button
// has while it holds the focus, so that taking the focus never clips the caption.
inline int captionRoom(const ColourButton *button) { return button->captionRect().width(); }

// Makes the button's font just small enough for its caption to fit its width: the pixel size
// stepped down one at a time, not below CaptionFloorPixels. A caption that fits keeps the font.
void fitCaption(ColourButton *button);

// A label whose size follows its caption: one line, top-left corner kept.
void setFittingCaption(QLabel *label, const QString &caption);

// The loudspeaker under the picture, 104 by 102 pixels: a small red box edged in black with a
// yellow cone opening to the right and three curved sound waves beyond it, on a blue square with
// slightly curved corners, framed by a sketchy broken double line, on white. Drawn with `ratio`
// device pixels to the pixel, so that it stays sharp on a high-density screen.
QPixmap makeLoudspeaker(qreal ratio);
