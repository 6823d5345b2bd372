// Start-up and the clock.

#include "window/form1.h"

#include <QLocale>

namespace {
constexpr int DuckRow = 7;
}

const QString Form1::FirstPicture = QStringLiteral("animals\\duck.jpg");

QString clockText(const QTime &time)
{
    // With AP in the format, "hh" is the hour on the 12-hour clock: 12 after midnight and noon.
    return QLocale::c().toString(time, QStringLiteral("hh:mm AP"));
}

// Puts the window into its first state before it is shown: the duck on show and marked, the bar
// in its first phase, a quack, a pause while it plays, and the welcome.
void Form1::Form_Load()
{
    setFittingCaption(lblTime, clockNow());
    m_state.BarPhase = NameAndSoundPhase;
    m_state.MarkColorIndex = 1;
    cmd123->setText(tr("Name And Sound ..."));
    animalButton(DuckRow)->setBackColor(Colour::Cyan);
    m_state.CurrentAnimal = QStringLiteral("Duck");
    showPicture(m_platform.loadPicture(FirstPicture));
    selectionFlag(DuckRow) = FlagSet;
    showName();
    // Most of the Spacebar button stays in sight at the bottom left, over the clock.
    cmdSpaceBar->move(-17, cmdSpaceBar->y());
    m_platform.playSound(QStringLiteral("sounds\\duckonce.wav"));
    StartupPause();
    m_platform.speak(tr(WelcomeText));
}

// The start-up pause keeps its count in the window's state, not in a local counter.
void Form1::StartupPause()
{
    runPasses(StartupPausePasses, m_state.StartupPauseCounter);
}

void Form1::Timer1_Timer()
{
    setFittingCaption(lblTime, clockNow());
}
