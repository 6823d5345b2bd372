#pragma once

#include <QDateTime>
#include <QPixmap>
#include <QString>

// Everything the window asks of the machine it runs on. main() hands Form1 the real one
// (RealPlatform), the tests a recording one; Form1 holds it inside a LeavingPlatform
// (window/leaving_platform.h), which passes nothing on once the program is leaving.
class Platform
{
public:
    virtual ~Platform() = default;

    // Queues `text` behind whatever is still being spoken and returns at once. Texts handed over
    // one after another are spoken whole and in order; sounds never cut speech off. An engine
    // that cannot speak warns once on stderr and stays silent.
    virtual void speak(const QString &text) = 0;

    // Starts the sound file at a relative backslash path ("sounds\duck.wav") and returns at once.
    // A new sound stops the one playing; speech is mixed over it. A file that cannot be found or
    // decoded plays the default sound instead and is never an error.
    virtual void playSound(const QString &path) = 0;

    // The picture at a relative backslash path ("animals\Duck.jpg"), at its natural size. A
    // picture that cannot be loaded gives one warning on stderr and a null pixmap.
    virtual QPixmap loadPicture(const QString &path) = 0;

    // Opens a bare web host name in the browser, or starts a program by name, detached. Never
    // waits for it; a target that cannot be opened is silently dropped.
    virtual void openExternal(const QString &target) = 0;

    // One pass of event processing: handles the pending window events, running each handler to its
    // end. The passes are paced against the clock (RealPlatform: a pass stands for 3 microseconds,
    // so 400000 passes last 1.2 s): a pass ahead of the clock waits for it without using the
    // processor, handling the events that come meanwhile; the first pass after a while handles what
    // is pending at once.
    virtual void processEventsOnce() = 0;

    // The local date and time, for the clock label.
    virtual QDateTime now() = 0;

    // The operating system's version number as text ("6.1"); may be anything, even empty.
    virtual QString osVersion() = 0;

    // The pseudo-random generator: reseedRandom reseeds it from the clock; nextRandom gives the
    // next number r of the sequence, 0 <= r < 1, uniform at single precision. Draws keep changing
    // even when every reseed sees the same clock value.
    virtual void reseedRandom() = 0;
    virtual float nextRandom() = 0;
};
