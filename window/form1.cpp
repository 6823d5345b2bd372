#include "window/form1.h"

#include "platform/trace.h"

#include <QApplication>
#include <QIcon>
#include <QShowEvent>
#include <QTimer>

#include <utility>

const QString Form1::WelcomeText = QStringLiteral(",,, Zubiko.. click the red bar for the animal name and sound ");
const QString Form1::HelpText = QStringLiteral(
    ",,,,,,,,,,,,,,,,,,,,,,click the green bar to get the next animal. you can also just press the space bar if you "
    "like.");
// The maker's web site, as Label5 shows it and the shell opens it.
const QString Form1::WebAddress = QStringLiteral("zubiko.example.org");

Form1::Form1(Platform &platform, QWidget *parent)
    : QWidget(parent)
    , m_platform(platform)
{
    createControls();
    connectHandlers();
    Form_Load();
    traceControlPlaces();
}

// Logged so that the trace tells how long the window took to appear.
void Form1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        qCDebug(lcWindow) << "window shown";
}

// The window's icon is drawn by Qt's SVG icon engine, a plugin that the first frame can do
// without: it is loaded once that frame is drawn, for every window of the program.
void Form1::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    static bool iconAsked = false;
    if (!std::exchange(iconAsked, true))
        QTimer::singleShot(0, [] { QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/org.example.Zubiko.svg"))); });
}
