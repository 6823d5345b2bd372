#pragma once

#include "platform/audio_decoding.h"
#include "platform/speech.h"

#include <QString>

#include <functional>
#include <memory>

// The voice of every language but English: espeak-ng, in-process and offline, speaking the texts
// queued with speak() in one language, and the recordings of names queued with play() between them,
// all whole and in the order given, on one worker thread that streams the PCM to a sink (the audio
// mixer's speech channel) as it is made, as Speech does with flite. A recording is speech as far as
// the mixer is concerned: sounds never cut it, and a sound queued after it starts once it has ended.
// espeak-ng keeps one voice for the whole process, so two EspeakSpeech objects alive at once take
// turns and each sets its own language before it speaks.
class EspeakSpeech
{
public:
    // `language`: a language code as QLocale names it ("fr", "pt_BR"). A language espeak-ng does not
    // speak, or espeak-ng's data missing, warns once on stderr; recordings still play.
    EspeakSpeech(Speech::Sink sink, const QString &language);
    ~EspeakSpeech();
    EspeakSpeech(const EspeakSpeech &) = delete;
    EspeakSpeech &operator=(const EspeakSpeech &) = delete;

    void speak(const QString &text);
    // A recording in the mixing format (AudioDecoding::decodeFile), played on the speech channel
    // in its turn among the texts.
    void play(const AudioDecoding::Clip &clip);
    // Called on the worker thread each time a recording has been handed to the sink whole.
    void setRecordingHandedOver(std::function<void()> handedOver);

    // Whether a text or recording is queued or being played out.
    bool busy() const;
    // Blocks until the voice has been set up or refused; true when it can speak.
    bool waitUntilReady();
    // The espeak-ng voice speaking (its language, as "fr"), once ready; empty when refused.
    QString voiceName() const;

private:
    struct Worker; // espeak_speech.cpp only: the worker thread, its queue and its voice
    std::unique_ptr<Worker> m_worker;
};
