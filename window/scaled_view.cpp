#include "window/scaled_view.h"

#include "catalogue/colours.h"
#include "platform/trace.h"
#include "window/form1.h"

#include <QCloseEvent>
#include <QCursor>
#include <QGraphicsProxyWidget>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <utility>

namespace {
// The window manager's frame is known only once it has framed the window: until then, room is
// kept for a title bar and thin borders.
constexpr QMargins ExpectedFrame(2, 28, 2, 2);
} // namespace

ScaledView::ScaledView(Form1 &form)
    : m_form(form)
{
    setObjectName(QStringLiteral("ScaledView"));
    setWindowTitle(form.windowTitle());
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignCenter);
    setRenderHints(QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    setBackgroundBrush(toQColor(Colour::Silver));

    auto *scene = new QGraphicsScene(this);
    m_proxy = scene->addWidget(&form);
    form.show();
    setScene(scene);
    setSceneRect(m_proxy->geometry());
}

// The window goes back to its owner, which outlives this view.
ScaledView::~ScaledView()
{
    m_proxy->setWidget(nullptr);
}

QScreen *ScaledView::startScreen()
{
    QScreen *screen = QGuiApplication::screenAt(QCursor::pos());
    return screen ? screen : QGuiApplication::primaryScreen();
}

std::unique_ptr<ScaledView> ScaledView::showFitted(Form1 &form)
{
    QScreen *screen = startScreen();
    const QRect available = screen->availableGeometry();
    const QSize room = available.size().shrunkBy(ExpectedFrame);
    if (room.width() >= form.width() && room.height() >= form.height()) {
        form.show();
        return nullptr;
    }
    auto view = std::make_unique<ScaledView>(form);
    // Enlarged by the user, it stays at most the designed size, anchored as the plain window is.
    view->m_fitted = true;
    view->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    view->setScreen(screen);
    view->m_fitArea = available;
    view->fitInto(available, ExpectedFrame);
    view->show();
    return view;
}

// The largest uniform scale of the window whose frame fits `available`, top-left corner there.
void ScaledView::fitInto(const QRect &available, const QMargins &frame)
{
    const QSizeF layout = sceneRect().size();
    const QSize room = available.size().shrunkBy(frame);
    const qreal scale = std::min({room.width() / layout.width(), room.height() / layout.height(), 1.0});
    resize((layout * scale).toSize());
    move(available.topLeft());
    qCDebug(lcWindow) << "window scaled by" << scale << "to fit" << available.size();
}

// Once the window manager has framed the window, its real frame is known: the view is fitted again.
bool ScaledView::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate && !m_fitArea.isNull() && windowHandle()) {
        const QRect area = std::exchange(m_fitArea, QRect());
        const QMargins frame = windowHandle()->frameMargins();
        if (frame != ExpectedFrame)
            fitInto(area, frame);
    }
    return QGraphicsView::event(event);
}

QWidget *ScaledView::controlAt(const QPoint &viewportPoint) const
{
    return m_form.childAt(m_proxy->mapFromScene(mapToScene(viewportPoint)).toPoint());
}

void ScaledView::resizeEvent(QResizeEvent *event)
{
    QGraphicsView::resizeEvent(event);
    const QSizeF layout = sceneRect().size();
    qreal scale = std::min(width() / layout.width(), height() / layout.height());
    if (m_fitted)
        scale = std::min(scale, 1.0);
    setTransform(QTransform::fromScale(scale, scale));
}

// Closing the view closes the window it shows, with whatever the window does on closing.
void ScaledView::closeEvent(QCloseEvent *event)
{
    if (m_form.close())
        event->accept();
    else
        event->ignore();
}
