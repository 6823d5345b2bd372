// The bar: the child's one control. Red, it says the animal's name and, after a long pause that
// lets the name be heard, plays its sound; green, it gets the next animal.

#include "window/form1.h"

void Form1::cmd123_Click()
{
    PlayNoSound();
    // The branch is chosen once; a click that runs inside one of the pauses below may change the
    // phase, but this click finishes the branch it started.
    const qint16 phase = m_state.BarPhase;
    if (phase == NameAndSoundPhase) {
        cmd123->setBackColor(Colour::BarGreen);
        imgCenter_Click();
        m_state.BarPhase = NextAnimalPhase;
        cmd123->setText(tr("Get Next Animal..."));
        if (m_state.HelpSpokenMark != HelpSpoken) {
            m_platform.speak(tr(HelpText));
            m_state.HelpSpokenMark = HelpSpoken;
        }
        LongPause();
        // Whatever animal is on show now: a click during the pause may have changed it.
        PlayAnimalSound();
    } else if (phase == NextAnimalPhase) {
        cmd123->setBackColor(Colour::BarRed);
        lblName->setText(QString());
        ShortPause();
        PickNextAnimal();
        cmd123->setText(tr("Name And Sound"));
        m_state.BarPhase = NameAndSoundPhase;
    }
}
