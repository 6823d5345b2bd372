// Form1's controls: where each stands, how it looks, what takes the keyboard focus, and which
// handler a click runs.

#include "window/form1.h"

#include "platform/trace.h"

#include <QFont>
#include <QGuiApplication>
#include <QTimer>

#include <algorithm>
#include <vector>

namespace {

// Positions and sizes are given in twips, 15 to the pixel.
constexpr int twips(double t)
{
    return static_cast<int>(t / 15.0 + (t < 0 ? -0.5 : 0.5));
}

QRect twipsRect(double left, double top, double width, double height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

// Where each animal button stands, in catalogue order: ten lines of three, each button placed a
// little off the grid, as a hand would place them.
struct ButtonPlace
{
    int left, top;
};
constexpr std::array<ButtonPlace, AnimalCount> AnimalButtonPlaces = {{
    {8280, 1440},  {10380, 1410}, {12300, 1380}, {8400, 2280},  {10500, 2280}, {12480, 2280},
    {8340, 3060},  {10440, 3060}, {12420, 3120}, {8370, 3900},  {10470, 3870}, {12510, 3930},
    {8400, 4680},  {10500, 4710}, {12510, 4680}, {8340, 5460},  {10440, 5460}, {12480, 5430},
    {8310, 6240},  {10410, 6240}, {12390, 6240}, {8280, 7020},  {10380, 7020}, {12420, 7020},
    {8250, 7830},  {10350, 7830}, {12330, 7830}, {8310, 8610},  {10440, 8670}, {12360, 8670},
}};
constexpr int AnimalButtonWidth = 1755;
constexpr int AnimalButtonHeight = 585;

// The window's two faces: a rounded, friendly one for the buttons and the name, a plain one for
// the small print. Each names the fonts that stand in for it, in order of preference.
const QString ButtonFace = QStringLiteral("Comic Sans MS");
const QString PlainFace = QStringLiteral("MS Sans Serif");

void installFontSubstitutes()
{
    QFont::insertSubstitutions(ButtonFace, {QStringLiteral("Comic Neue"), QStringLiteral("Comic Sans"),
                                            QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(PlainFace, {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                                           QStringLiteral("Sans Serif")});
}

// Font sizes are given in points at 96 dots per inch; pixel sizes keep the layout whatever the
// screen's own idea of its resolution.
QFont makeFont(const QString &face, double points, bool bold = false, bool underline = false)
{
    QFont font(face);
    font.setPixelSize(static_cast<int>(points * 96.0 / 72.0 + 0.5));
    font.setBold(bold);
    font.setUnderline(underline);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QFont buttonFont() { return makeFont(ButtonFace, 15.75); }
QFont largeFont() { return makeFont(ButtonFace, 27.75, true); }
QFont textFont() { return makeFont(PlainFace, 12); }
QFont linkFont() { return makeFont(PlainFace, 12, true, true); }
QFont smallBoldFont() { return makeFont(PlainFace, 9.75, true); }
QFont smallLinkFont() { return makeFont(PlainFace, 9.75, true, true); }
QFont windowFont() { return makeFont(PlainFace, 8.25); }

void paintBackground(QWidget *widget, BgrColour colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, toQColor(colour));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// Push buttons take the focus from a click only; the Spacebar button alone is a tab stop.
ColourButton *makeButton(QWidget *parent, const char *name, const QString &caption, BgrColour colour, const QRect &rect)
{
    auto *button = new ColourButton(caption, colour, parent);
    button->setObjectName(QLatin1String(name));
    button->setFont(buttonFont());
    button->setGeometry(rect);
    button->setFocusPolicy(Qt::ClickFocus);
    return button;
}

// How a label sizes itself: to its caption on one line, keeping only the top-left corner of its
// place; or within its place, breaking the caption into lines at blanks.
enum class Sizing { FitsCaption, Wraps };

// The labels a click acts on are made ClickableLabels by the label table.
ClickableLabel *clickable(QLabel *label)
{
    return qobject_cast<ClickableLabel *>(label);
}

} // namespace

void Form1::createControls()
{
    installFontSubstitutes();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Zubiko"));
    resize(1016, 736);
    paintBackground(this, Colour::Silver);
    setFont(windowFont());
    setFocusPolicy(Qt::NoFocus);

    // Created from back to front: a widget made later stands in front of the ones before it.
    // The panel, pictures and labels first, then every push button in front of them.
    createPanelAndPictures();
    createLabels();
    createButtons();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(ClockIntervalMs);
    Timer1->start();
}

void Form1::createPanelAndPictures()
{
    Shape1 = new QWidget(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(twipsRect(690, 1260, 7035, 8085));
    paintBackground(Shape1, Colour::White);

    imgCenter = new ClickableLabel(this);
    imgCenter->setObjectName(QStringLiteral("imgCenter"));
    imgCenter->move(twips(1740), twips(1680));
    imgCenter->resize(0, 0);

    imgSound = new ClickableLabel(this);
    imgSound->setObjectName(QStringLiteral("imgSound"));
    imgSound->setPixmap(makeLoudspeaker(qGuiApp->devicePixelRatio()));
    imgSound->setGeometry(twipsRect(5580, 7200, 1560, 1530));

    // The speech engine's place on the window: it draws nothing, but a click there reaches no
    // control behind it.
    tts = new QWidget(this);
    tts->setObjectName(QStringLiteral("tts"));
    tts->setGeometry(twipsRect(1050, 2520, 1725, 1395));
    tts->setFocusPolicy(Qt::NoFocus);
}

// The ten labels, back to front; places in twips. Every label's text is black, starts at its top
// left and never takes the focus; the name band alone is centred on white.
void Form1::createLabels()
{
    struct LabelRow
    {
        QLabel *Form1::*label;
        const char *name;
        QFont (*font)();
        int left, top, width, height;
        Sizing sizing;
        bool clickable;
        QString caption;
    };
    constexpr Sizing Fits = Sizing::FitsCaption, Wraps = Sizing::Wraps;
    const LabelRow rows[] = {
        {&Form1::lblName, "lblName", largeFont, 1620, 1650, 5445, 855, Wraps, true, QString()},
        {&Form1::Label2, "Label2", largeFont, 4830, 180, 4485, 765, Fits, false, QStringLiteral("Zubiko")},
        {&Form1::Label3, "Label3", windowFont, 5040, 10500, 5205, 345, Wraps, false,
         QStringLiteral("Copyright (C) 2026 the Zubiko developers")},
        {&Form1::Label4, "Label4", smallBoldFont, 5760, 6900, 1365, 240, Fits, false, QStringLiteral("replay sound")},
        {&Form1::Label5, "Label5", linkFont, 5985, 9975, 3000, 300, Fits, true, WebAddress},
        {&Form1::Label6, "Label6", smallLinkFont, 5985, 8775, 765, 240, Fits, true, QStringLiteral("volume")},
        {&Form1::Label7, "Label7", windowFont, 9480, 240, 780, 195, Fits, false, QStringLiteral("version 1.1")},
        {&Form1::Label8, "Label8", textFont, 9390, 930, 3705, 300, Fits, false,
         QStringLiteral("you can choose animals individually")},
        {&Form1::lblTime, "lblTime", smallBoldFont, 300, 10500, 450, 240, Fits, false, QString()},
        {&Form1::Label1, "Label1", windowFont, 6075, 9780, 2670, 195, Fits, false,
         QStringLiteral("Get more free children's software here")},
    };
    for (const LabelRow &row : rows) {
        QLabel *label = row.clickable ? new ClickableLabel(this) : new QLabel(this);
        label->setObjectName(QLatin1String(row.name));
        label->setFont(row.font());
        label->setGeometry(twipsRect(row.left, row.top, row.width, row.height));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(palette);
        label->setFocusPolicy(Qt::NoFocus);
        label->setWordWrap(row.sizing == Sizing::Wraps);
        if (row.sizing == Sizing::FitsCaption)
            setFittingCaption(label, row.caption);
        else
            label->setText(row.caption);
        this->*row.label = label;
    }
    lblName->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    paintBackground(lblName, Colour::White);
    // The name band lies behind the loudspeaker, in front of the picture it bands.
    lblName->stackUnder(imgSound);
}

void Form1::createButtons()
{
    for (const AnimalRow &row : AnimalCatalogue) {
        const ButtonPlace &place = AnimalButtonPlaces.at(static_cast<size_t>(row.number - 1));
        m_animalButtons.at(static_cast<size_t>(row.number - 1)) =
            makeButton(this, row.button, QLatin1String(row.caption), row.openingColour,
                       twipsRect(place.left, place.top, AnimalButtonWidth, AnimalButtonHeight));
    }
    cmdClearAllGreen = makeButton(this, "cmdClearAllGreen", QStringLiteral("Clear"), Colour::Silver,
                                  twipsRect(12360, 9480, 1785, 435));
    cmd123 = makeButton(this, "cmd123", QStringLiteral("Name And Sound"), Colour::BarRed,
                        twipsRect(1380, 7380, 3975, 1245));
    cmdSpaceBar = makeButton(this, "cmdSpaceBar", QStringLiteral("Spacebar"), Colour::DarkTeal,
                             twipsRect(2880, 10350, 1995, 585));
    cmdSpaceBar->setFocusPolicy(Qt::StrongFocus);
    // The focus the window opens with: the one tab stop, where the space bar does nothing.
    cmdSpaceBar->setFocus();
}

bool Form1::isPressTarget(const QWidget *control) const
{
    return control && (control == cmd123 || std::find(m_animalButtons.begin(), m_animalButtons.end(), control) != m_animalButtons.end());
}

void Form1::connectHandlers()
{
    // Clicks on the bar and the animal buttons go through the nesting bound.
    for (const AnimalRow &row : AnimalCatalogue) {
        connect(animalButton(row.number), &QPushButton::clicked, this,
                [this, handler = AnimalClickHandlers.at(static_cast<size_t>(row.number - 1))] { boundedClick(handler); });
    }
    connect(cmd123, &QPushButton::clicked, this, [this] { boundedClick(&Form1::cmd123_Click); });
    connect(cmdClearAllGreen, &QPushButton::clicked, this, &Form1::cmdClearAllGreen_Click);
    connect(imgCenter, &ClickableLabel::clicked, this, &Form1::imgCenter_Click);
    connect(clickable(lblName), &ClickableLabel::clicked, this, &Form1::lblName_Click);
    connect(imgSound, &ClickableLabel::clicked, this, &Form1::imgSound_Click);
    connect(clickable(Label5), &ClickableLabel::clicked, this, [this] {
        if (m_linksEnabled)
            Label5_Click();
    });
    connect(clickable(Label6), &ClickableLabel::clicked, this, [this] {
        if (m_linksEnabled)
            Label6_Click();
    });
    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
}

// Where the controls a script clicks stand once start-up is done: their centres in the form's
// own coordinates, whatever scale the window is shown at.
void Form1::traceControlPlaces() const
{
    if (!lcWindow().isDebugEnabled())
        return;
    qCDebug(lcWindow).noquote() << QStringLiteral("window size %1x%2").arg(width()).arg(height());
    std::vector<const QWidget *> controls{cmd123, cmdClearAllGreen, imgCenter, lblName, imgSound, Label5, Label6};
    controls.insert(controls.end(), m_animalButtons.begin(), m_animalButtons.end());
    for (const QWidget *control : controls) {
        const QPoint centre = control->geometry().center();
        qCDebug(lcWindow).noquote()
            << QStringLiteral("control %1 at %2,%3").arg(control->objectName()).arg(centre.x()).arg(centre.y());
    }
}

// A picture is shown at its natural size from the picture's fixed top-left corner; the name band
// in front of it hides its top. No picture leaves the place empty.
void Form1::showPicture(const QPixmap &picture)
{
    if (picture.isNull()) {
        imgCenter->clear();
        return;
    }
    imgCenter->setPixmap(picture);
    imgCenter->resize(picture.deviceIndependentSize().toSize());
}
