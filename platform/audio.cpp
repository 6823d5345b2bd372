#include "platform/audio.h"

#include "platform/audio_decoding.h"
#include "platform/clip_cache.h"
#include "platform/trace.h"

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

} // namespace

struct Audio::Output
{
    // Device state; touched by the caller's thread only (open, close, retry).
    SDL_AudioDeviceID device = 0;
    SDL_AudioSpec obtained{}; // what the device opened with
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

    ClipCache clips;
    ClipPtr chime; // made by the opener, before the first sound can need it

    std::thread preloader;
    std::atomic<bool> stopping{false};
    // The first opening runs on a thread of its own, beside the making of the window (a sound
    // server takes tens of milliseconds to answer); the first sound or speech waits for it.
    std::thread opener;

    void tryOpen();
    void openDevice();
    void opened();
    void awaitOpener();
    void closeDevice();
    void sleepIfSilent();
    void ensureDevice();
    void start(ClipPtr clip);
    void lost();
    void mix(float *out, int samples);
    void appendSpeech(Frames chunk, bool endOfText);

    static void SDLCALL mixCallback(void *userdata, Uint8 *stream, int len)
    {
        static_cast<Output *>(userdata)->mix(reinterpret_cast<float *>(stream), len / static_cast<int>(sizeof(float)));
    }
};

void Audio::Output::tryOpen()
{
    openDevice();
    opened();
}

// SDL's side of opening the device: on any thread.
void Audio::Output::openDevice()
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
    device = SDL_OpenAudioDevice(nullptr, 0, &want, &obtained, 0);
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
    open = true;
    asleep = false;
    lastHeard = std::chrono::steady_clock::now().time_since_epoch().count();
    SDL_PauseAudioDevice(device, 0);
}

// The device opened is watched for silence, on the caller's thread (its timer lives there).
void Audio::Output::opened()
{
    if (device == 0)
        return;
    qCDebug(lcPlatform).noquote() << QStringLiteral("audio device open: %1 Hz, %2 frames per buffer, driver %3")
                                         .arg(obtained.freq)
                                         .arg(obtained.samples)
                                         .arg(QString::fromUtf8(SDL_GetCurrentAudioDriver()));
    sleepCheck.start();
}

void Audio::Output::sleepIfSilent()
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

void Audio::Output::closeDevice()
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

void Audio::Output::lost()
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

void Audio::Output::awaitOpener()
{
    if (!opener.joinable())
        return;
    opener.join();
    opened();
}

void Audio::Output::ensureDevice()
{
    awaitOpener();
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

void Audio::Output::start(ClipPtr clip)
{
    std::lock_guard<std::mutex> lock(mixMutex);
    sound = std::move(clip);
    soundPosition = 0;
}

void Audio::Output::mix(float *out, int samples)
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

void Audio::Output::appendSpeech(Frames chunk, bool endOfText)
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

Audio::Audio(int retryMilliseconds, std::chrono::milliseconds sleepAfter) : m_output(std::make_unique<Output>())
{
    m_output->retryMilliseconds = retryMilliseconds;
    m_output->sleepAfter = sleepAfter;
    m_output->sleepCheck.setInterval(sleepAfter / 5);
    QObject::connect(&m_output->sleepCheck, &QTimer::timeout, [output = m_output.get()] { output->sleepIfSilent(); });
    m_output->opener = std::thread([output = m_output.get()] {
        output->chime = AudioDecoding::chime();
        output->openDevice();
        // Taken up by the caller's event loop if no sound or speech has come first.
        QMetaObject::invokeMethod(&output->sleepCheck, [output] { output->awaitOpener(); }, Qt::QueuedConnection);
        // SDL keeps per-thread data (its error text) for a thread it did not start until told.
        SDL_TLSCleanup();
    });
}

Audio::~Audio()
{
    m_output->stopping = true;
    if (m_output->preloader.joinable())
        m_output->preloader.join();
    if (m_output->opener.joinable())
        m_output->opener.join();
    m_output->closeDevice();
}

bool Audio::playFile(const QString &absolutePath, QString *why)
{
    m_output->ensureDevice();
    QString reason;
    ClipPtr clip = m_output->clips.clip(absolutePath, &reason);
    if (!clip) {
        if (why)
            *why = reason;
        m_output->start(m_output->chime);
        return false;
    }
    m_output->start(std::move(clip));
    return true;
}

void Audio::playDefault()
{
    m_output->ensureDevice();
    m_output->start(m_output->chime);
}

void Audio::checkDevice()
{
    m_output->ensureDevice();
}

void Audio::setSpeechBusy(std::function<bool()> busy)
{
    m_output->speechBusy = std::move(busy);
}

void Audio::stopSound()
{
    m_output->start({});
}

void Audio::preload(const QStringList &files)
{
    waitForPreload();
    m_output->preloader = std::thread([this, files] {
        for (const QString &file : files) {
            if (m_output->stopping)
                return;
            if (m_output->clips.contains(file))
                continue;
            QString why;
            if (!m_output->clips.clip(file, &why))
                qCDebug(lcPlatform).noquote() << QStringLiteral("preload: cannot decode %1 (%2)").arg(file, why);
        }
    });
}

void Audio::waitForPreload()
{
    if (m_output->preloader.joinable())
        m_output->preloader.join();
}

int Audio::cachedCount() const
{
    return m_output->clips.size();
}

void Audio::speechPcm(const std::int16_t *samples, std::size_t count, int sampleRate, bool endOfText)
{
    std::lock_guard<std::mutex> lock(m_output->speechMutex);
    if (sampleRate <= 0)
        return;
    if (!m_output->speechConverter || m_output->speechConverter->sampleRate() != sampleRate)
        m_output->speechConverter = std::make_unique<AudioDecoding::SpeechConverter>(sampleRate);
    if (!m_output->speechConverter->valid())
        return;
    Frames chunk;
    if (samples && count > 0)
        m_output->speechConverter->put(samples, count, &chunk);
    if (endOfText)
        m_output->speechConverter->finish(&chunk);
    // Without a device, speech is dropped rather than saved up for a device that may come back
    // (where each text ends is still kept).
    m_output->appendSpeech(m_output->open ? std::move(chunk) : Frames(), endOfText);
}

double Audio::speechQueuedSeconds() const
{
    std::lock_guard<std::mutex> lock(m_output->mixMutex);
    std::size_t samples = 0;
    for (const Frames &chunk : m_output->speech)
        samples += chunk.size();
    samples -= std::min(samples, m_output->speechPosition);
    return static_cast<double>(samples) / (AudioDecoding::SampleRate * AudioDecoding::Channels);
}

bool Audio::deviceOpen() const
{
    return m_output->open;
}
