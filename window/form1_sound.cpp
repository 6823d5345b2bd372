// The animal on show made heard: its name spoken, its sound played, or a sentence for the animals
// that make none.

#include "window/form1.h"

namespace {
const QString SilentSound = QStringLiteral("sounds\\_nosound.wav");
}

void Form1::PlayAnimalSound()
{
    const QString key = m_state.CurrentAnimal.toLower();
    if (const AnimalRow *row = findAnimalWithSound(key)) {
        m_platform.playSound(QLatin1String(row->soundFile));
    } else if (key == QLatin1String("fish")) {
        m_platform.speak(tr("fish make no sound"));
    } else {
        // The name inside the sentence where the language puts it ("%1 ne fait pas de bruit").
        //: %1 is the animal's name. Say in a short sentence that this animal makes no sound.
        m_platform.speak(tr("%1's make no sound").arg(shownName()));
    }
}

// Starting the silent sound stops the one that is playing.
void Form1::PlayNoSound()
{
    m_platform.playSound(SilentSound);
}

// Speaks the name of the animal on show, from the state and never from the label, which is
// empty while a pick is under way; then cuts off its sound. The speech goes on.
void Form1::imgCenter_Click()
{
    m_platform.speakName(m_state.CurrentAnimal.toLower(), shownName());
    PlayNoSound();
}

void Form1::lblName_Click()
{
    imgCenter_Click();
}

void Form1::imgSound_Click()
{
    PlayAnimalSound();
}
