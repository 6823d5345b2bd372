#pragma once

#include "platform/audio_decoding.h"
#include "platform/speech.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <variant>

// The thread behind either voice (Speech, EspeakSpeech): it sets the voice up, then takes the
// queued texts and recordings one at a time, whole and in the order given, and hands them to the
// voice's own functions, which stream the PCM to the sink. A voice that cannot be set up drops
// the texts; recordings still play. The functions run on this thread.
class SpeechWorker
{
public:
    // Sets the voice up: its sample rate, or 0 when it cannot speak (it has said why).
    using SetUp = std::function<int()>;
    // Speaks a text (UTF-8, trimmed, never empty) into the sink, stopping early once quitting().
    using Say = std::function<void(const QByteArray &utf8)>;
    // Hands a recording to the sink, the last call with endOfText set.
    using Play = std::function<void(const AudioDecoding::Clip &clip)>;

    // Starts the thread: whatever the functions use must be ready before.
    SpeechWorker(Speech::Sink sink, SetUp setUp, Say say, Play play = {});
    ~SpeechWorker() { stop(); }

    void speak(const QString &text) { push(text); }
    void play(const AudioDecoding::Clip &clip) { if (clip) push(clip); }
    // Whether a text or recording is queued or being played.
    bool busy() const;
    // Blocks until the voice has been set up or refused; true when it can speak.
    bool waitUntilReady();
    // Set once the thread is to stop: the voice stops the text it is speaking at its next chunk.
    bool quitting() const { return m_quitting; }
    // Ends the thread, the text being spoken cut short and the queue dropped; waits for it.
    void stop();

    const Speech::Sink &sink() const { return m_sink; }

private:
    using Item = std::variant<QString, AudioDecoding::Clip>; // a text or a recording
    // The breath a run of commas in front of a text stands for (see Speech::prepared()).
    static constexpr int BreathMilliseconds = 250;

    void push(Item item);
    void run();
    void sayText(const QString &text);

    const Speech::Sink m_sink;
    const SetUp m_setUp;
    const Say m_say;
    const Play m_play;
    int m_sampleRate = -1; // the voice's: -1 until it is set up, 0 when it was refused

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Item> m_queue;
    std::atomic<bool> m_quitting{false}; // set under the mutex too, for the waits
    bool m_playing = false; // an item taken from the queue is being played
    std::thread m_thread; // last: it starts once the rest is made
};
