#include "window/widgets.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <qdrawutil.h>

ColourButton::ColourButton(const QString &caption, BgrColour colour, QWidget *parent)
    : QPushButton(caption, parent)
{
    setBackColor(colour);
}

void ColourButton::setBackColor(BgrColour colour)
{
    if (colour == m_colour)
        return;
    m_colour = colour;
    update();
}

void ColourButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QColor fill = toQColor(m_colour);
    painter.fillRect(rect(), fill);
    if (hasFocus()) {
        painter.setPen(QPen(QColor(0x20, 0x20, 0x20), FocusFrame, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.setBrush(Qt::NoBrush);
        const qreal half = FocusFrame / 2.0;
        painter.drawRect(QRectF(rect()).adjusted(half, half, -half, -half));
    } else {
        // Lit from the top left: the light edge there and the shadow opposite, swapped while pressed.
        const QColor edge = fill.lighter(115);
        QPalette shades;
        shades.setColor(QPalette::Light, edge.lighter());
        shades.setColor(QPalette::Dark, edge.darker());
        qDrawShadePanel(&painter, rect(), shades, isDown(), Edge);
    }
    painter.setPen(Qt::black);
    painter.drawText(captionRect(), Qt::AlignCenter | Qt::TextShowMnemonic, text());
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

void fitCaption(ColourButton *button)
{
    const int room = captionRoom(button);
    QFont font = button->font();
    while (font.pixelSize() > CaptionFloorPixels && QFontMetrics(font).horizontalAdvance(button->text()) > room)
        font.setPixelSize(font.pixelSize() - 1);
    button->setFont(font);
}

void setFittingCaption(QLabel *label, const QString &caption)
{
    label->setText(caption);
    label->adjustSize();
}

QPixmap makeLoudspeaker(qreal ratio)
{
    QPixmap pixmap((QSizeF(104, 102) * ratio).toSize());
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    // The sketchy frame: two broken black lines around the square.
    QPen sketch(Qt::black, 1.5);
    sketch.setDashPattern({9, 2, 14, 3, 6, 2});
    p.setPen(sketch);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(2.5, 2.5, 99, 97), 6, 6);
    sketch.setDashOffset(7);
    p.setPen(sketch);
    p.drawRoundedRect(QRectF(6.5, 6.0, 91, 90), 5, 5);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 90, 200));
    p.drawRoundedRect(QRectF(10, 10, 84, 82), 8, 8);

    // The box and its cone.
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(QColor(210, 20, 20));
    p.drawRect(QRectF(20, 40, 14, 22));
    QPainterPath cone;
    cone.moveTo(34, 42);
    cone.lineTo(52, 26);
    cone.lineTo(52, 76);
    cone.lineTo(34, 60);
    cone.closeSubpath();
    p.setBrush(QColor(250, 220, 30));
    p.drawPath(cone);

    // Three waves, each a wider arc than the last.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 3; ++i) {
        const double r = 9 + 8 * i;
        p.drawArc(QRectF(52 - r, 51 - r * 1.25, 2 * r, 2.5 * r), -40 * 16, 80 * 16);
    }
    return pixmap;
}
