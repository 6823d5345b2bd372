#include "platform/audio.h"

#include "platform/trace.h"

#include <QFile>
#include <QHash>

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using Clip = std::vector<float>; // interleaved frames in the mixing format
using ClipPtr = std::shared_ptr<const Clip>;

// Converts PCM in any SDL format to the mixing format. Returns false on a converter error.
bool convert(SDL_AudioFormat format, int channels, int rate, const void *data, int bytes,
             Clip *out, QString *why)
{
    SDL_AudioStream *stream = SDL_NewAudioStream(format, static_cast<Uint8>(channels), rate, AUDIO_F32SYS,
                                                 Audio::kChannels, Audio::kSampleRate);
    if (!stream) {
        if (why)
            *why = QString::fromUtf8(SDL_GetError());
        return false;
    }
    bool ok = true;
    if (bytes > 0 && SDL_AudioStreamPut(stream, data, bytes) != 0)
        ok = false;
    if (ok && SDL_AudioStreamFlush(stream) != 0)
        ok = false;
    if (ok) {
        const int available = SDL_AudioStreamAvailable(stream);
        out->resize(static_cast<std::size_t>(available) / sizeof(float));
        const int got = available > 0 ? SDL_AudioStreamGet(stream, out->data(), available) : 0;
        if (got < 0)
            ok = false;
        else
            out->resize(static_cast<std::size_t>(got) / sizeof(float));
    }
    if (!ok && why)
        *why = QString::fromUtf8(SDL_GetError());
    SDL_FreeAudioStream(stream);
    return ok;
}

// Decodes one WAV file into the mixing format.
ClipPtr decodeFile(const QString &path, QString *why)
{
    SDL_RWops *file = SDL_RWFromFile(QFile::encodeName(path).constData(), "rb");
    if (!file) {
        if (why)
            *why = QString::fromUtf8(SDL_GetError());
        return {};
    }
    SDL_AudioSpec spec{};
    Uint8 *buffer = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV_RW(file, 1, &spec, &buffer, &length)) {
        if (why)
            *why = QString::fromUtf8(SDL_GetError());
        return {};
    }
    auto clip = std::make_shared<Clip>();
    const bool ok = convert(spec.format, spec.channels, spec.freq, buffer, static_cast<int>(length),
                            clip.get(), why);
    SDL_FreeWAV(buffer);
    if (!ok)
        return {};
    return clip;
}

// The default sound: a soft two-tone chime, 0.15 s, each note fading out.
ClipPtr makeChime()
{
    constexpr double kDuration = 0.15;
    constexpr double kPeak = 0.18;
    const int frames = static_cast<int>(kDuration * Audio::kSampleRate);
    const int half = frames / 2;
    auto clip = std::make_shared<Clip>(static_cast<std::size_t>(frames) * Audio::kChannels);
    constexpr double kPi = 3.14159265358979323846;
    for (int i = 0; i < frames; ++i) {
        const bool second = i >= half;
        const double frequency = second ? 1318.5 : 880.0; // E6 after A5
        const double t = static_cast<double>(second ? i - half : i) / Audio::kSampleRate;
        const double attack = std::min(1.0, t / 0.004);
        const double decay = std::exp(-t / 0.03);
        const double value = kPeak * attack * decay * std::sin(2.0 * kPi * frequency * t);
        for (int c = 0; c < Audio::kChannels; ++c)
            (*clip)[static_cast<std::size_t>(i * Audio::kChannels + c)] = static_cast<float>(value);
    }
    return clip;
}

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

    // What the callback mixes.
    std::mutex mixMutex;
    ClipPtr sound;
    std::size_t soundPosition = 0;
    std::deque<Clip> speech;
    std::size_t speechPosition = 0;

    // Speech conversion, on the speech thread.
    std::mutex speechMutex;
    SDL_AudioStream *speechStream = nullptr;
    int speechRate = 0;

    // Decoded files.
    mutable std::mutex cacheMutex;
    QHash<QString, ClipPtr> cache;
    ClipPtr chime = makeChime();

    std::thread preloader;
    std::atomic<bool> stopping{false};

    void tryOpen();
    void closeDevice();
    void ensureDevice();
    void start(ClipPtr clip);
    ClipPtr clipFor(const QString &path, QString *why);
    void mix(float *out, int samples);
    void appendSpeech(SDL_AudioStream *stream);
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
    want.freq = kSampleRate;
    want.format = AUDIO_F32SYS;
    want.channels = kChannels;
    want.samples = kBufferFrames;
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
    SDL_PauseAudioDevice(device, 0);
}

void Audio::Impl::closeDevice()
{
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

void Audio::Impl::ensureDevice()
{
    if (device != 0 && SDL_GetAudioDeviceStatus(device) == SDL_AUDIO_STOPPED) {
        qCDebug(lcPlatform) << "audio device lost";
        closeDevice();
    }
    if (device != 0)
        return;
    if (std::chrono::steady_clock::now() - lastAttempt < std::chrono::milliseconds(kRetryMilliseconds))
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
    {
        std::lock_guard<std::mutex> lock(cacheMutex);
        const auto found = cache.constFind(path);
        if (found != cache.constEnd())
            return *found;
    }
    ClipPtr clip = decodeFile(path, why);
    if (clip) {
        std::lock_guard<std::mutex> lock(cacheMutex);
        cache.insert(path, clip);
    }
    return clip;
}

void Audio::Impl::mix(float *out, int samples)
{
    std::fill(out, out + samples, 0.0f);
    std::lock_guard<std::mutex> lock(mixMutex);
    if (sound) {
        const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(samples), sound->size() - soundPosition);
        const float *from = sound->data() + soundPosition;
        for (std::size_t i = 0; i < n; ++i)
            out[i] += from[i];
        soundPosition += n;
        if (soundPosition >= sound->size()) {
            sound.reset();
            soundPosition = 0;
        }
    }
    std::size_t filled = 0;
    while (filled < static_cast<std::size_t>(samples) && !speech.empty()) {
        const Clip &front = speech.front();
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

void Audio::Impl::appendSpeech(SDL_AudioStream *stream)
{
    const int available = SDL_AudioStreamAvailable(stream);
    if (available <= 0)
        return;
    Clip chunk(static_cast<std::size_t>(available) / sizeof(float));
    const int got = SDL_AudioStreamGet(stream, chunk.data(), available);
    if (got <= 0)
        return;
    chunk.resize(static_cast<std::size_t>(got) / sizeof(float));
    std::lock_guard<std::mutex> lock(mixMutex);
    speech.push_back(std::move(chunk));
}

Audio::Audio() : d(std::make_unique<Impl>())
{
    d->tryOpen();
}

Audio::~Audio()
{
    d->stopping = true;
    if (d->preloader.joinable())
        d->preloader.join();
    d->closeDevice();
    if (d->speechStream)
        SDL_FreeAudioStream(d->speechStream);
}

bool Audio::playFile(const QString &absolutePath, QString *why)
{
    d->ensureDevice();
    QString reason;
    ClipPtr clip = d->clipFor(absolutePath, &reason);
    if (!clip) {
        qWarning("Zubiko: cannot play %s (%s); playing the default sound", qUtf8Printable(absolutePath),
                 qUtf8Printable(reason));
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
    if (!d->speechStream || d->speechRate != sampleRate) {
        if (d->speechStream)
            SDL_FreeAudioStream(d->speechStream);
        d->speechStream = SDL_NewAudioStream(AUDIO_S16SYS, 1, sampleRate, AUDIO_F32SYS, kChannels, kSampleRate);
        d->speechRate = sampleRate;
        if (!d->speechStream)
            return;
    }
    if (count > 0 && samples)
        SDL_AudioStreamPut(d->speechStream, samples, static_cast<int>(count * sizeof(std::int16_t)));
    if (endOfText)
        SDL_AudioStreamFlush(d->speechStream);
    // Without a device, speech is dropped rather than saved up for a device that may come back.
    if (d->open)
        d->appendSpeech(d->speechStream);
    else
        SDL_AudioStreamClear(d->speechStream);
    if (endOfText)
        SDL_AudioStreamClear(d->speechStream);
}

bool Audio::deviceOpen() const
{
    return d->open;
}
