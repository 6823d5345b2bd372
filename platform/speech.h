#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

// Text to speech with espeak-ng, in-process and offline. speak() returns at once; one worker
// thread owns espeak-ng and speaks the queued texts whole and in order (a new text never cuts
// the one being spoken). The PCM goes to a sink, normally the audio mixer's speech channel.
// An engine that cannot start (speech data missing) warns once on stderr and stays silent.
// espeak-ng is one engine per process: the first Speech starts it and it stays up until the process
// ends, so Speech objects may come and go (two alive at once take turns). The data folder is the
// one the engine was first started with.
class Speech
{
public:
    // Receives 16-bit mono PCM at `sampleRate` as it is made, on the worker thread; after each
    // text a call with `endOfText` set (and possibly no samples).
    using Sink = std::function<void(const std::int16_t *samples, std::size_t count, int sampleRate,
                                    bool endOfText)>;

    // Speaking rate in words per minute (espeak-ng's normal is 175): unhurried, for small children.
    static constexpr int kWordsPerMinute = 140;

    // `dataPath`: the folder holding espeak-ng-data (or that data folder itself); empty for the
    // system's own.
    explicit Speech(Sink sink, const QString &dataPath = QString());
    ~Speech();
    Speech(const Speech &) = delete;
    Speech &operator=(const Speech &) = delete;

    void speak(const QString &text);

    // What espeak-ng is given for `text`: runs of commas and blanks the program puts in front of a
    // text (and runs of commas inside one) come down to nothing or one comma.
    static QString prepared(const QString &text);

    // Blocks until the engine has started or failed; true when it can speak.
    bool waitUntilReady();

    struct Impl; // speech.cpp only (the espeak-ng callback reaches it)

private:
    std::unique_ptr<Impl> d;
};
