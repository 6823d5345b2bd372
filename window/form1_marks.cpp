// The thirty animal buttons and the selection marks. A click on an animal's button, or the
// picker's choice of it, shows the animal, marks it and paints its button in the next mark colour.

#include "platform/trace.h"
#include "window/form1.h"

#define ZUBIKO_DEFINE_CLICK(number, button, ...)                                                       \
    void Form1::button##_Click()                                                                       \
    {                                                                                                  \
        showAndMarkAnimal(number);                                                                     \
    }
ZUBIKO_ANIMAL_TABLE(ZUBIKO_DEFINE_CLICK)
#undef ZUBIKO_DEFINE_CLICK

#define ZUBIKO_CLICK_HANDLER(number, button, ...) &Form1::button##_Click,
const std::array<void (Form1::*)(), AnimalCount> Form1::AnimalClickHandlers = {
    {ZUBIKO_ANIMAL_TABLE(ZUBIKO_CLICK_HANDLER)}};
#undef ZUBIKO_CLICK_HANDLER

// Nothing here processes events, plays or speaks: a sound that is playing goes on.
void Form1::showAndMarkAnimal(int number)
{
    const AnimalRow &row = animalRow(number);
    selectionFlag(number) = FlagSet;
    m_state.BarPhase = NameAndSoundPhase;
    NextMarkColor();
    animalButton(number)->setBackColor(static_cast<BgrColour>(static_cast<qint32>(m_state.MarkColor)));
    m_state.CurrentAnimal = QLatin1String(row.displayName);
    showPicture(m_platform.loadPicture(QLatin1String(row.picturePath)));
    showName();
    cmd123->setFocus();
    cmd123->setText(tr("Name And Sound"));
    cmd123->setBackColor(Colour::BarRed);
}

void Form1::NextMarkColor()
{
    m_state.MarkColor = static_cast<float>(MarkColours.at(static_cast<size_t>(m_state.MarkColorIndex - 1)));
    m_state.MarkColorIndex = static_cast<qint16>(m_state.MarkColorIndex + 1);
    if (m_state.MarkColorIndex == 9)
        m_state.MarkColorIndex = 1;
}

// Sets the all-selected flag when every animal is marked; never empties it.
void Form1::CheckAllSelected()
{
    for (const QString &flag : m_state.SelectionFlag) {
        if (flag != FlagSet)
            return;
    }
    m_state.AllSelectedFlag = FlagSet;
}

void Form1::ClearSelections()
{
    for (QString &flag : m_state.SelectionFlag)
        flag.clear();
    m_state.AllSelectedFlag.clear();
}

void Form1::ResetButtonColors()
{
    PlayNoSound();
    for (const AnimalRow &row : AnimalCatalogue)
        animalButton(row.number)->setBackColor(row.neutralColour);
}

// Every animal unmarked, the one on show included; picture, name and bar stay as they are.
void Form1::cmdClearAllGreen_Click()
{
    qCDebug(lcWindow) << "marks cleared";
    ResetButtonColors();
    ClearSelections();
    cmd123->setFocus();
}
