#include "window/widgets.h"

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

void setFittingCaption(QLabel *label, const QString &caption)
{
    label->setText(caption);
    label->adjustSize();
}
