// The locked, full-screen mode (zubiko --kiosk).

#include "window/kiosk.h"

#include "catalogue/colours.h"
#include "platform/trace.h"
#include "window/form1.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QGraphicsProxyWidget>
#include <QKeyEvent>
#include <QKeySequence>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <array>

QuitWord::Step QuitWord::take(int key)
{
    static constexpr std::array<int, 4> Word = {Qt::Key_Q, Qt::Key_U, Qt::Key_I, Qt::Key_T};
    if (key == Word.at(static_cast<size_t>(m_typed))) {
        ++m_typed;
    } else {
        m_typed = key == Word.front() ? 1 : 0;
        return m_typed == 0 ? Other : Continued;
    }
    if (m_typed < static_cast<int>(Word.size()))
        return Continued;
    m_typed = 0;
    return Completed;
}

namespace {
// A grab is refused while the window is not yet on the screen, or while another program holds
// the keyboard for a moment; it is tried again this often, for about ten seconds.
constexpr int GrabRetryMs = 250;
constexpr int GrabAttempts = 40;
} // namespace

Kiosk::Kiosk(Form1 &form)
{
    setObjectName(QStringLiteral("Kiosk"));
    setWindowTitle(form.windowTitle());
    setWindowIcon(form.windowIcon());
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
    m_bar = form.findChild<QAbstractButton *>(QStringLiteral("cmd123"));

    m_grabRetry.setInterval(GrabRetryMs);
    connect(&m_grabRetry, &QTimer::timeout, this, &Kiosk::takeKeyboard);
    qApp->installEventFilter(this);

    QScreen *screen = QGuiApplication::screenAt(QCursor::pos());
    setScreen(screen ? screen : QGuiApplication::primaryScreen());
    setGeometry(this->screen()->geometry());
    showFullScreen();
}

// The window goes back to its owner, which outlives this view.
Kiosk::~Kiosk()
{
    m_proxy->setWidget(nullptr);
}

bool Kiosk::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show) {
        m_grabAttempts = 0;
        takeKeyboard();
    }
    return QGraphicsView::event(event);
}

void Kiosk::takeKeyboard()
{
    QWindow *window = windowHandle();
    if (m_leaving || !window)
        return;
    if (window->setKeyboardGrabEnabled(true)) {
        m_grabRetry.stop();
        if (!m_keyboardTaken)
            qCDebug(lcWindow) << "keyboard grabbed";
        m_keyboardTaken = true;
        return;
    }
    m_keyboardTaken = false;
    if (++m_grabAttempts < GrabAttempts) {
        m_grabRetry.start();
    } else {
        m_grabRetry.stop();
        qCDebug(lcWindow) << "keyboard grab refused: the desktop keeps its shortcuts";
    }
}

// Every key is taken here, before any control sees it: none moves the focus or clicks a button
// on its own. A key held down counts once.
bool Kiosk::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    // The two links would open a browser or a mixer over the locked window: here they do nothing.
    if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease || type == QEvent::MouseButtonDblClick)
        && (watched->objectName() == QLatin1String("Label5") || watched->objectName() == QLatin1String("Label6")))
        return true;
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
        return QGraphicsView::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (type == QEvent::KeyPress && !key->isAutoRepeat() && !m_leaving) {
        switch (m_word.take(key->key())) {
        case QuitWord::Completed:
            leave();
            break;
        case QuitWord::Other:
            qCDebug(lcWindow).noquote() << "key" << QKeySequence(key->key()).toString() << "works the bar";
            // The bar's own click, with the nesting bound of every bar click.
            if (m_bar)
                m_bar->click();
            break;
        case QuitWord::Continued:
            break;
        }
    }
    return true;
}

void Kiosk::resizeEvent(QResizeEvent *event)
{
    QGraphicsView::resizeEvent(event);
    const QSizeF layout = sceneRect().size();
    const qreal scale = std::min(width() / layout.width(), height() / layout.height());
    setTransform(QTransform::fromScale(scale, scale));
}

// The window manager's close button or key does not end the locked mode; only the word does.
void Kiosk::closeEvent(QCloseEvent *event)
{
    if (m_leaving)
        event->accept();
    else
        event->ignore();
}

// Ends the program with status 0; the pauses under way end at once.
void Kiosk::leave()
{
    qCDebug(lcWindow) << "quit typed: leaving the locked mode";
    m_leaving = true;
    if (auto *form = qobject_cast<Form1 *>(m_proxy->widget()))
        form->leave();
    m_grabRetry.stop();
    close();
    QCoreApplication::exit(0);
}
