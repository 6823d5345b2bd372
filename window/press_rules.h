#pragma once

// The locked mode's rules for a child's presses, as plain values: which key press works the bar,
// which joins a press already under way, which mouse press repeats the one before, and the word
// that leaves. The locked view feeds them its events; tests and fuzzing feed them scripts.

#include <QHash>
#include <QtGlobal>

#include <array>
#include <optional>

// The grown-up's way out of the locked mode: the word "quit", typed either as the letters q, u, i,
// t of the current layout (so that on AZERTY or Dvorak the letters are typed where they are), or on
// the four keys where a US keyboard has Q, U, I and T, whatever they write (so that a Greek,
// Cyrillic, Hebrew or Arabic layout needs no switching). One way or the other for the whole word:
// a mix of letters and positions is no word, so that a child's random keys find it no more often
// than needed. Any other key in between starts the word again.
class QuitWord
{
public:
    enum Step {
        Other,     // a key that is no step of the word
        Continued, // the next step of the word, not yet the last
        Completed, // the word's last step
    };
    // The physical keys at Q, U, I and T of a US keyboard, as the window system numbers them on
    // X11 and Wayland (Linux input codes + 8).
    static constexpr std::array<quint32, 4> ScanCodes = {24, 30, 31, 28};

    // What a pressed key does to the word: `key` is its Qt::Key in the current layout, `scanCode`
    // the window system's code for the physical key (0 where none is known).
    Step take(int key, quint32 scanCode = 0);

private:
    // How far the word has been typed as letters, and as positions.
    int m_letters = 0;
    int m_positions = 0;
};

// The keys held down, for telling a new press from one that joins a press under way (a chord, a
// palm, Alt+F4, a key held while others are pressed). Keys are known by scan code, by key where
// there is none; times are the input events' own clock, in milliseconds.
//
// A release can be lost while another program has the keyboard: the whole set is forgotten when the
// window loses activation, a key pressed again is known to have been released, and a key not seen
// (held keys repeat) for StuckKeyMs is taken as up.
class HeldKeys
{
public:
    static constexpr quint64 StuckKeyMs = 5000;

    // A key pressed (not a repeat): true when another key is held down, so that it joins that press.
    bool press(quint32 id, quint64 time);
    // A key held down, repeating.
    void repeat(quint32 id, quint64 time) { m_down.insert(id, time); }
    void release(quint32 id) { m_down.remove(id); }
    // The window lost the keyboard: releases to come would not be seen.
    void forget() { m_down.clear(); }

private:
    QHash<quint32, quint64> m_down; // each key down, with the time it was last seen down
};

// Mouse presses on the bar or an animal button within the desktop's double-click interval of the one
// before count once: such a press, and the rest of it (its release), is dropped.
class RepeatedPresses
{
public:
    // A press on the bar or an animal button at `time`; `doubleClick` when the window system made it
    // a double click (whose second press may come as that alone). True when it is to be dropped.
    bool press(quint64 time, quint64 interval, bool doubleClick);
    // A release: true when it ends a dropped press.
    bool release();

private:
    std::optional<quint64> m_last;
    bool m_dropping = false;
};

// The key rules together: what one key event of the locked view does.
class KeyPresses
{
public:
    enum Kind { Press, Repeat, Release };
    enum Outcome {
        Nothing,    // a release or a repeat
        WorksBar,   // a press of its own: works the bar once
        JoinsPress, // pressed while another key is held: part of that press
        Leave,      // the word's last step
        WordStep,   // a step of the word, not the last: works nothing
    };
    Outcome take(Kind kind, int key, quint32 scanCode, quint64 time);
    void forget() { m_held.forget(); }

private:
    QuitWord m_word;
    HeldKeys m_held;
};
