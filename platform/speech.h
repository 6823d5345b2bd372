#pragma once

#include "platform/voices.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

// Text to speech with flite's natural US English voices, in-process and offline. speak() returns
// at once; one worker thread speaks the queued texts whole and in order (a new text never cuts
// the one being spoken), streaming the PCM to a sink, normally the audio mixer's speech channel,
// as it is made. A voice that is not known warns once on stderr and stays silent.
// The voices are flite's own data, built into its libraries: a voice is set up by the first Speech
// that uses it and let go by the last, and any number of Speech objects may come and go (two
// alive at once take turns).
class Speech
{
public:
    // Receives 16-bit mono PCM at `sampleRate` as it is made, on the worker thread; after each
    // text a call with `endOfText` set (and possibly no samples).
    using Sink = std::function<void(const std::int16_t *samples, std::size_t count, int sampleRate,
                                    bool endOfText)>;

    // `voice`: one of voiceNames() (platform/voices.h).
    explicit Speech(Sink sink, const QString &voice = defaultVoice());
    ~Speech();
    Speech(const Speech &) = delete;
    Speech &operator=(const Speech &) = delete;

    void speak(const QString &text);

    // What the voice is given for `text`: each run of commas (the program puts them in front of some
    // texts) comes down to one comma. A comma in front of a text is not read: it is a short breath
    // of silence before it, which keeps a text queued right after a name from running into it.
    static QString prepared(const QString &text);

    // Whether a text is queued or being spoken (its sound not yet all handed to the sink).
    bool busy() const;

    // Blocks until the voice has been set up or refused; true when it can speak.
    bool waitUntilReady();

private:
    struct Worker; // speech.cpp only: the worker thread, its queue and its voice
    std::unique_ptr<Worker> m_worker;
};
