#pragma once

#include <QGraphicsView>

#include <memory>

class Form1;
class QGraphicsProxyWidget;
class QScreen;

// The window drawn whole through one uniform scale, in a view of whatever size: the locked mode's
// full screen (centred, scaled up or down), and a screen too small for the window (scaled down,
// never past the designed size, anchored top-left).
//
// The layout is scaled by a graphics view rather than by Qt's device pixel ratio: the factor is
// known only once the screen is, after the application has started, while Qt's ratio is fixed
// before; a fractional ratio leaves widgets rounded to different pixels; and pictures drawn by
// labels would be scaled without smoothing. The view draws the whole window through one transform,
// so text is rendered at its final size, pictures are smoothed, and clicks are mapped back through
// the same transform.
class ScaledView : public QGraphicsView
{
    Q_OBJECT
public:
    // Takes `form` in, not yet shown. `form` must outlive this view and be shown by nothing else.
    explicit ScaledView(Form1 &form);
    ~ScaledView() override;

    // Shows `form` as it is where the desktop has room for it, frame included, and returns null;
    // where it has not, returns a view that shows it scaled down to fit.
    static std::unique_ptr<ScaledView> showFitted(Form1 &form);

    // The screen a window opens on: the one under the mouse pointer, else the primary one.
    static QScreen *startScreen();

    Form1 &form() const { return m_form; }
    // The control under a point of the view's viewport; null outside the window.
    QWidget *controlAt(const QPoint &viewportPoint) const;

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void fitInto(const QRect &available, const QMargins &frame);

    Form1 &m_form;
    QGraphicsProxyWidget *m_proxy = nullptr;
    QRect m_fitArea; // the desktop's room the view must fit into, frame included; null when none
    bool m_fitted = false; // shown by showFitted(): never drawn larger than the designed size
};
