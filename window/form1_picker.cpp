// The next-animal picker: draws at random among the animals not yet shown in this marking cycle
// and shows the one it drew as a click on its button would. When every animal has been shown, it
// says so and starts a new cycle first.

#include "window/form1.h"

#include <algorithm>
#include <cmath>

void Form1::PickNextAnimal()
{
    PlayNoSound();
    CheckAllSelected();
    if (m_state.AllSelectedFlag == FlagSet) {
        m_platform.speak(tr("all selected"));
        ClearSelections();
        ResetButtonColors();
    }

    // At least one animal is unmarked here, and nothing in the loop processes events, so it ends.
    // The generator is reseeded before every draw, retries included.
    do {
        m_platform.reseedRandom();
        const double r = m_platform.nextRandom();
        // 0 <= r < 1 gives 1 to 30; the clamp only guards against a generator that breaks that.
        m_state.AnimalNumber = static_cast<float>(std::clamp(std::floor(r * 30.0 + 1.0), 1.0, 30.0));
    } while (selectionFlag(static_cast<int>(m_state.AnimalNumber)) == FlagSet);

    // A pick that runs inside this pause draws anew and overwrites AnimalNumber; this pick still
    // shows its own animal afterwards.
    const int chosen = static_cast<int>(m_state.AnimalNumber);
    ShortPause();
    (this->*AnimalClickHandlers.at(static_cast<size_t>(chosen - 1)))();
    selectionFlag(chosen) = FlagSet;
    cmd123->setFocus();
}
