#pragma once

#include <QString>
#include <QStringList>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

// The program's audio output: one device (SDL2) in the mixing format (AudioDecoding), with two
// channels mixed in the device callback. The device sleeps (is closed) after SleepAfter of
// silence and is opened again by the next sound or speech.
//  - The sound channel plays one clip at a time; starting a clip replaces the one playing (this
//    is how the program cuts a sound off: it plays a silent file).
//  - The speech channel plays the speech PCM it is handed, in order; sounds never cut it. Each
//    text starts once its first 0.1 s is ready (or all of it), so that it is not broken up when
//    the voice is slow to go on.
// Files are decoded once and kept (ClipCache). A file that cannot be found or decoded plays the default
// sound, a short soft chime made here, with one warning per file (a file that is refused is not
// decoded again until it changes). Files are checked before they are decoded (DataChecks), so a
// broken header never makes SDL allocate what it declares.
// Without an audio device everything runs silently, with one warning; a device that goes away
// is noticed when a sound or speech is next asked for. A missing device is tried again now and
// then, when a sound or speech is asked for.
class Audio
{
public:
    // Frames per device buffer: about 10.7 ms at 48 kHz.
    static constexpr int BufferFrames = 512;
    // By default, how long to wait between attempts to open a missing device.
    static constexpr int RetryMilliseconds = 3000;
    // The device is closed, so that its thread stops waking up, once no sound plays, no speech
    // is queued or being made (setSpeechBusy), and none of them was heard or asked for in this
    // long; the next sound or speech opens it again.
    static constexpr std::chrono::seconds SleepAfter{5};

    // `retryMilliseconds`: how long to wait between attempts to open a missing device;
    // `sleepAfter`: the silence after which the device sleeps.
    explicit Audio(int retryMilliseconds = RetryMilliseconds,
                   std::chrono::milliseconds sleepAfter = SleepAfter);
    ~Audio();
    Audio(const Audio &) = delete;
    Audio &operator=(const Audio &) = delete;

    // Starts the sound file `absolutePath` on the sound channel. Returns false (and plays the
    // default sound instead) when the file cannot be decoded; `why` then says why.
    bool playFile(const QString &absolutePath, QString *why = nullptr);
    // Starts the default sound on the sound channel.
    void playDefault();
    // Silences the sound channel.
    void stopSound();
    // Notices a device that has gone away and tries to open a missing one (no more often than
    // the retry interval). playFile and playDefault do this themselves; speech calls it before
    // a text is queued, so that the text finds the device that has come back.
    void checkDevice();
    // Whether speech is queued or being made (called on the caller's thread): the device does not
    // sleep while it is, so that speech asked for just before the device would sleep is heard.
    void setSpeechBusy(std::function<bool()> busy);

    // Decodes `files` on a background thread so that later plays find them ready. Returns at once.
    void preload(const QStringList &files);
    // Waits until a preload has finished (for tests and orderly shutdown).
    void waitForPreload();
    // How many decoded files are kept.
    int cachedCount() const;

    // Speech PCM (16-bit mono at `sampleRate`), appended to the speech channel. `endOfText`
    // flushes the converter at the end of one text. Called from the speech thread.
    void speechPcm(const std::int16_t *samples, std::size_t count, int sampleRate, bool endOfText);

    bool deviceOpen() const;

private:
    struct Output; // audio.cpp only: the device, the mixer, the decoded files and the preload thread
    std::unique_ptr<Output> m_output;
};
