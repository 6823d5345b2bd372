#include "platform/audio.h"

#include "platform/audio_decoding.h"
#include "platform/trace.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QTimer>

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using AudioDecoding::Frames;
using ClipPtr = AudioDecoding::Clip;
using AudioDecoding::Channels;
using AudioDecoding::SampleRate;
using AudioDecoding::SampleScale;

void SDLCALL mixCallback(void *userdata, Uint8 *stream, int len);

} // namespace

struct Audio::Impl
{
    // Device state; touched by the caller's thread only (open, close, retry).
    SDL_AudioDeviceID device = 0;
    bool subsystemUp = false;
    bool warned = false;
    std::chrono::steady_clock::time_point lastAttempt{};
    std::atomic<bool> open{false};
    int retryMilliseconds = RetryMilliseconds;
    // After sleepAfter of silence the device is closed, so that its thread stops waking up, and
    // it is opened again by the next sound or speech.
    bool asleep = false;
    std::chrono::milliseconds sleepAfter = SleepAfter;
    std::atomic<std::chrono::steady_clock::rep> lastHeard{0}; // when the mixer last gave out sound
    std::chrono::steady_clock::time_point lastAsked{};         // when a sound or speech was last asked for
    std::function<bool()> speechBusy;
    QTimer sleepCheck;

    // What the callback mixes.
    std::mutex mixMutex;
    ClipPtr sound;
    std::size_t soundPosition = 0;
    std::deque<Frames> speech;
    std::size_t speechPosition = 0;
    // The start of each text is held back until SpeechLead of it is ready, or all of it, so that
    // a voice slowed down by a busy machine does not break up the text's first sounds. The last
    // heldChunks chunks of `speech` (heldSamples samples) are the text being held.
    static constexpr std::size_t SpeechLead = SampleRate * Channels / 10; // 0.1 s
    bool textStarts = true;
    std::size_t heldChunks = 0;
    std::size_t heldSamples = 0;

    // Speech conversion, on the speech thread.
    std::mutex speechMutex;
    std::unique_ptr<AudioDecoding::SpeechConverter> speechConverter;

    // Decoded files, and files that could not be decoded (with why, and the size and time of
    // change they had then: a file copied again is tried again).
    struct Failure
    {
        QString why;
        qint64 size = 0;
        QDateTime modified;
    };
    mutable std::mutex cacheMutex;
    QHash<QString, ClipPtr> cache;
    QHash<QString, Failure> failed;
    QSet<QString> warnedFiles; // each bad file is warned about once
    ClipPtr chime = AudioDecoding::chime();

    std::thread preloader;
    std::atomic<bool> stopping{false};

    void tryOpen();
    void closeDevice();
    void sleepIfSilent();
    void ensureDevice();
    void start(ClipPtr clip);
    ClipPtr clipFor(const QString &path, QString *why);
    void lost();
    void mix(float *out, int samples);
    void appendSpeech(Frames chunk, bool endOfText);
};

namespace {

void SDLCALL mixCallback(void *userdata, Uint8 *stream, int len)
{
    static_cast<Audio::Impl *>(userdata)->mix(reinterpret_cast<float *>(stream),
                                              len / static_cast<int>(sizeof(float)));
}

} // namespace

void Audio::Impl::tryOpen()
{
    lastAttempt = std::chrono::steady_clock::now();
    if (!subsystemUp) {
        // SDL must not take over SIGINT/SIGTERM from the Qt program.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            if (!warned) {
                qWarning("Zubiko: no audio (%s); running without sound", SDL_GetError());
                warned = true;
            }
            return;
        }
        subsystemUp = true;
    }
    SDL_AudioSpec want{};
    want.freq = SampleRate;
    want.format = AUDIO_F32SYS;
    want.channels = Channels;
    want.samples = BufferFrames;
    want.callback = mixCallback;
    want.userdata = this;
    SDL_AudioSpec have{};
    device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device == 0) {
        if (!warned) {
            qWarning("Zubiko: cannot open the audio device (%s); running without sound", SDL_GetError());
            warned = true;
        }
        // Let the next attempt start SDL's audio afresh: a driver may have come back.
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        subsystemUp = false;
        return;
    }
    qCDebug(lcPlatform).noquote() << QStringLiteral("audio device open: %1 Hz, %2 frames per buffer, driver %3")
                                         .arg(have.freq)
                                         .arg(have.samples)
                                         .arg(QString::fromUtf8(SDL_GetCurrentAudioDriver()));
    open = true;
    asleep = false;
    lastHeard = std::chrono::steady_clock::now().time_since_epoch().count();
    sleepCheck.start();
    SDL_PauseAudioDevice(device, 0);
}

void Audio::Impl::sleepIfSilent()
{
    const auto now = std::chrono::steady_clock::now();
    const auto silent = std::min(now.time_since_epoch() - std::chrono::steady_clock::duration(lastHeard.load()),
                                 now - lastAsked);
    if (device == 0 || silent < sleepAfter || (speechBusy && speechBusy()))
        return;
    {
        // Sound or speech handed over that the device has not yet begun to play.
        std::lock_guard<std::mutex> lock(mixMutex);
        if (sound || !speech.empty())
            return;
    }
    qCDebug(lcPlatform) << "audio device asleep after"
                        << std::chrono::duration_cast<std::chrono::seconds>(silent).count() << "s of silence";
    SDL_CloseAudioDevice(device);
    device = 0;
    open = false;
    asleep = true;
    sleepCheck.stop();
}

void Audio::Impl::closeDevice()
{
    sleepCheck.stop();
    if (device != 0) {
        SDL_CloseAudioDevice(device);
        device = 0;
    }
    open = false;
    if (subsystemUp) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        subsystemUp = false;
    }
}

void Audio::Impl::lost()
{
    qCDebug(lcPlatform) << "audio device lost";
    if (!warned) {
        const char *error = SDL_GetError();
        qWarning("Zubiko: the audio device went away%s%s%s; running without sound until it comes back",
                 *error ? " (" : "", error, *error ? ")" : "");
        warned = true;
    }
    closeDevice();
    // Try again at once: the device may only have been swapped for another.
    lastAttempt = {};
}

void Audio::Impl::ensureDevice()
{
    lastAsked = std::chrono::steady_clock::now();
    if (device != 0 && SDL_GetAudioDeviceStatus(device) == SDL_AUDIO_STOPPED)
        lost();
    if (device != 0)
        return;
    if (asleep) {
        tryOpen();
        return;
    }
    if (std::chrono::steady_clock::now() - lastAttempt < std::chrono::milliseconds(retryMilliseconds))
        return;
    tryOpen();
}

void Audio::Impl::start(ClipPtr clip)
{
    std::lock_guard<std::mutex> lock(mixMutex);
    sound = std::move(clip);
    soundPosition = 0;
}

ClipPtr Audio::Impl::clipFor(const QString &path, QString *why)
{
    const QFileInfo info(path);
    {
        std::lock_guard<std::mutex> lock(cacheMutex);
        const auto found = cache.constFind(path);
        if (found != cache.constEnd())
            return *found;
        const auto bad = failed.constFind(path);
        if (bad != failed.constEnd() && bad->size == info.size() && bad->modified == info.lastModified()) {
            if (why)
                *why = bad->why;
            return {};
        }
    }
    QString reason;
    ClipPtr clip = AudioDecoding::decodeFile(path, &reason);
    std::lock_guard<std::mutex> lock(cacheMutex);
    if (clip) {
        cache.insert(path, clip);
        failed.remove(path);
        return clip;
    }
    failed.insert(path, Failure{reason, info.size(), info.lastModified()});
    if (!warnedFiles.contains(path)) {
        warnedFiles.insert(path);
        qWarning("Zubiko: sound %s %s; the default sound plays in its place", qUtf8Printable(path),
                 qUtf8Printable(reason));
    }
    if (why)
        *why = reason;
    return {};
}

void Audio::Impl::mix(float *out, int samples)
{
    std::fill(out, out + samples, 0.0f);
    std::lock_guard<std::mutex> lock(mixMutex);
    if (sound || !speech.empty())
        lastHeard = std::chrono::steady_clock::now().time_since_epoch().count();
    if (sound) {
        const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(samples), sound->size() - soundPosition);
        const std::int16_t *from = sound->data() + soundPosition;
        for (std::size_t i = 0; i < n; ++i)
            out[i] += static_cast<float>(from[i]) / SampleScale;
        soundPosition += n;
        if (soundPosition >= sound->size()) {
            sound.reset();
            soundPosition = 0;
        }
    }
    std::size_t filled = 0;
    while (filled < static_cast<std::size_t>(samples) && speech.size() > heldChunks) {
        const Frames &front = speech.front();
        const std::size_t n = std::min(static_cast<std::size_t>(samples) - filled, front.size() - speechPosition);
        for (std::size_t i = 0; i < n; ++i)
            out[filled + i] += front[speechPosition + i];
        filled += n;
        speechPosition += n;
        if (speechPosition >= front.size()) {
            speech.pop_front();
            speechPosition = 0;
        }
    }
    for (int i = 0; i < samples; ++i)
        out[i] = std::clamp(out[i], -1.0f, 1.0f);
}

void Audio::Impl::appendSpeech(Frames chunk, bool endOfText)
{
    std::lock_guard<std::mutex> lock(mixMutex);
    if (!chunk.empty()) {
        if (textStarts)
            heldChunks = heldSamples = 0;
        const bool holding = textStarts || heldChunks > 0;
        textStarts = false;
        if (holding) {
            ++heldChunks;
            heldSamples += chunk.size();
        }
        speech.push_back(std::move(chunk));
    }
    textStarts = textStarts || endOfText;
    if (endOfText || heldSamples >= SpeechLead)
        heldChunks = heldSamples = 0;
}

Audio::Audio(int retryMilliseconds, std::chrono::milliseconds sleepAfter) : d(std::make_unique<Impl>())
{
    d->retryMilliseconds = retryMilliseconds;
    d->sleepAfter = sleepAfter;
    d->sleepCheck.setInterval(sleepAfter / 5);
    QObject::connect(&d->sleepCheck, &QTimer::timeout, [impl = d.get()] { impl->sleepIfSilent(); });
    d->tryOpen();
}

Audio::~Audio()
{
    d->stopping = true;
    if (d->preloader.joinable())
        d->preloader.join();
    d->closeDevice();
}

bool Audio::playFile(const QString &absolutePath, QString *why)
{
    d->ensureDevice();
    QString reason;
    ClipPtr clip = d->clipFor(absolutePath, &reason);
    if (!clip) {
        if (why)
            *why = reason;
        d->start(d->chime);
        return false;
    }
    d->start(std::move(clip));
    return true;
}

void Audio::playDefault()
{
    d->ensureDevice();
    d->start(d->chime);
}

void Audio::checkDevice()
{
    d->ensureDevice();
}

void Audio::setSpeechBusy(std::function<bool()> busy)
{
    d->speechBusy = std::move(busy);
}

void Audio::stopSound()
{
    d->start({});
}

void Audio::preload(const QStringList &files)
{
    waitForPreload();
    d->preloader = std::thread([this, files] {
        for (const QString &file : files) {
            if (d->stopping)
                return;
            {
                std::lock_guard<std::mutex> lock(d->cacheMutex);
                if (d->cache.contains(file))
                    continue;
            }
            QString why;
            if (!d->clipFor(file, &why))
                qCDebug(lcPlatform).noquote() << QStringLiteral("preload: cannot decode %1 (%2)").arg(file, why);
        }
    });
}

void Audio::waitForPreload()
{
    if (d->preloader.joinable())
        d->preloader.join();
}

int Audio::cachedCount() const
{
    std::lock_guard<std::mutex> lock(d->cacheMutex);
    return static_cast<int>(d->cache.size());
}

void Audio::speechPcm(const std::int16_t *samples, std::size_t count, int sampleRate, bool endOfText)
{
    std::lock_guard<std::mutex> lock(d->speechMutex);
    if (sampleRate <= 0)
        return;
    if (!d->speechConverter || d->speechConverter->sampleRate() != sampleRate)
        d->speechConverter = std::make_unique<AudioDecoding::SpeechConverter>(sampleRate);
    if (!d->speechConverter->valid())
        return;
    Frames chunk;
    if (samples && count > 0)
        d->speechConverter->put(samples, count, &chunk);
    if (endOfText)
        d->speechConverter->finish(&chunk);
    // Without a device, speech is dropped rather than saved up for a device that may come back
    // (where each text ends is still kept).
    d->appendSpeech(d->open ? std::move(chunk) : Frames(), endOfText);
}

bool Audio::deviceOpen() const
{
    return d->open;
}
