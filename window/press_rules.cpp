// The locked mode's rules for a child's presses and the grown-up's word.

#include "window/press_rules.h"

#include <Qt>

#include <utility>

namespace {
constexpr std::array<int, 4> Letters = {Qt::Key_Q, Qt::Key_U, Qt::Key_I, Qt::Key_T};

// One way of typing the word a step on: the next step, the first again, or none. No step of the
// word equals another, so a key that breaks it can at most begin it again.
template <typename T>
int advance(int typed, const std::array<T, 4> &word, T key)
{
    if (key == word.at(static_cast<size_t>(typed)))
        return typed + 1;
    return key == word.front() ? 1 : 0;
}
} // namespace

QuitWord::Step QuitWord::take(int key, quint32 scanCode)
{
    m_letters = advance(m_letters, Letters, key);
    // A key whose code is unknown is no position.
    m_positions = scanCode == 0 ? 0 : advance(m_positions, ScanCodes, scanCode);
    if (m_letters == static_cast<int>(Letters.size()) || m_positions == static_cast<int>(ScanCodes.size())) {
        m_letters = m_positions = 0;
        return Completed;
    }
    return m_letters > 0 || m_positions > 0 ? Continued : Other;
}

bool HeldKeys::press(quint32 id, quint64 time)
{
    // A key pressed again without a release in between was released unseen, as was one not seen
    // for a long time.
    m_down.remove(id);
    m_down.removeIf([time](const auto &held) { return held.value() + StuckKeyMs < time; });
    const bool joins = !m_down.isEmpty();
    m_down.insert(id, time);
    return joins;
}

bool RepeatedPresses::press(quint64 time, quint64 interval, bool doubleClick)
{
    m_dropping = doubleClick || (m_last && time - *m_last < interval);
    m_last = time;
    return m_dropping;
}

bool RepeatedPresses::release()
{
    return std::exchange(m_dropping, false);
}

KeyPresses::Outcome KeyPresses::take(Kind kind, int key, quint32 scanCode, quint64 time)
{
    const quint32 id = scanCode != 0 ? scanCode : static_cast<quint32>(key);
    switch (kind) {
    case Release:
        m_held.release(id);
        return Nothing;
    case Repeat:
        m_held.repeat(id, time);
        return Nothing;
    case Press:
        break;
    }
    const bool joins = m_held.press(id, time);
    switch (m_word.take(key, scanCode)) {
    case QuitWord::Completed:
        return Leave;
    case QuitWord::Continued:
        return WordStep;
    case QuitWord::Other:
        break;
    }
    return joins ? JoinsPress : WorksBar;
}
