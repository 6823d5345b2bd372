#pragma once

#include <QStringList>

#include <array>

// The voices that speak, by the names --voice takes: flite's natural US English voices "rms"
// (male) and "slt" (female), each a library of its own that Speech loads. Here on their own, so
// that the command line knows them without the speech library.
constexpr std::array<const char *, 2> VoiceNames = {"rms", "slt"};

inline QStringList voiceNames()
{
    QStringList names;
    for (const char *name : VoiceNames)
        names << QLatin1String(name);
    return names;
}

// The voice best understood in bench/intelligibility.sh: rms (about 17 of the 30 names, slt 7).
inline QString defaultVoice()
{
    return QLatin1String(VoiceNames[0]);
}
