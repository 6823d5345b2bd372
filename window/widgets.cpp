#include "window/widgets.h"

#include <QKeyEvent>
#include <QMouseEvent>

ColourButton::ColourButton(const QString &caption, BgrColour colour, QWidget *parent)
    : QPushButton(caption, parent)
{
    setBackColor(colour);
}

void ColourButton::setBackColor(BgrColour colour)
{
    if (colour == m_colour && !styleSheet().isEmpty())
        return;
    m_colour = colour;
    const QColor fill = toQColor(colour);
    // A raised edge made from the fill itself, and a dark frame while the button has the focus,
    // so that a child's helper can see where the space bar will act.
    setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: black;"
                                 " border: 2px outset %2; border-radius: 3px; }"
                                 "QPushButton:pressed { border-style: inset; }"
                                 "QPushButton:focus { border: 3px solid #202020; }")
                      .arg(fill.name(), fill.lighter(115).name()));
}

void ColourButton::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        event->accept();
        return;
    default:
        QPushButton::keyPressEvent(event);
    }
}

void ClickableLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    event->accept();
    if (wasPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

// Qt delivers a double click as press, release, press, double click, release: the second press
// has already been taken as the start of a click, and is called off here.
void ClickableLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    m_pressed = false;
    event->accept();
}

void setFittingCaption(QLabel *label, const QString &caption)
{
    label->setText(caption);
    label->adjustSize();
}
