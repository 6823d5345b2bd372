#include "platform/audio.h"

#include "platform/data_checks.h"
#include "platform/trace.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

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
// A decoded sound, kept: the mixing format's frames at 16 bits (what the sound files hold), half
// the memory of floats.
using ClipPtr = std::shared_ptr<const std::vector<std::int16_t>>;
constexpr float kSampleScale = 32768.0f;

// SDL picks its sample format converters the first time one is asked for, without a lock: two
// threads converting for the first time at once (the background decoding and a sound asked for
// right away, or speech) can find the choice half made and fail with "No conversion from source
// format to float available". The choice is made once, here, before any conversion.
void chooseConvertersOnce()
{
    static std::once_flag once;
    std::call_once(once, [] {
        SDL_AudioCVT cvt;
        SDL_BuildAudioCVT(&cvt, AUDIO_S16SYS, 1, 22050, AUDIO_F32SYS, Audio::kChannels, Audio::kSampleRate);
    });
}

// A converter to the mixing format that gives every frame it was given: SDL's resampler holds
// back the last few milliseconds even on a flush, so the end of the input is pushed out with
// silence and the output cut to the length the input stands for.
class Converter
{
public:
    Converter(SDL_AudioFormat format, int channels, int rate)
        : m_stream((chooseConvertersOnce(), SDL_NewAudioStream(format, static_cast<Uint8>(channels), rate, AUDIO_F32SYS, Audio::kChannels,
                                      Audio::kSampleRate))),
          m_frameBytes(static_cast<int>(SDL_AUDIO_BITSIZE(format) / 8) * channels),
          m_rate(rate)
    {
    }
    ~Converter()
    {
        if (m_stream)
            SDL_FreeAudioStream(m_stream);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    bool valid() const { return m_stream != nullptr && m_frameBytes > 0; }

    // Converts `bytes` more of the input, appending what comes out to `out`.
    bool put(const void *data, int bytes, Clip *out)
    {
        if (bytes > 0) {
            if (SDL_AudioStreamPut(m_stream, data, bytes) != 0)
                return false;
            m_framesIn += bytes / m_frameBytes;
        }
        return take(out);
    }

    // Ends the input, appending the rest to `out`, and starts afresh.
    bool finish(Clip *out)
    {
        const std::vector<Uint8> silence(static_cast<std::size_t>(m_frameBytes) * static_cast<std::size_t>(m_rate / 20), 0);
        const bool ok = SDL_AudioStreamPut(m_stream, silence.data(), static_cast<int>(silence.size())) == 0
                        && SDL_AudioStreamFlush(m_stream) == 0 && take(out);
        SDL_AudioStreamClear(m_stream);
        m_framesIn = 0;
        m_samplesOut = 0;
        return ok;
    }

private:
    bool take(Clip *out)
    {
        const int available = SDL_AudioStreamAvailable(m_stream);
        if (available <= 0)
            return true;
        const std::size_t before = out->size();
        out->resize(before + static_cast<std::size_t>(available) / sizeof(float));
        const int got = SDL_AudioStreamGet(m_stream, out->data() + before, available);
        if (got < 0) {
            out->resize(before);
            return false;
        }
        std::size_t taken = static_cast<std::size_t>(got) / sizeof(float);
        const auto due = static_cast<std::size_t>(m_framesIn * Audio::kSampleRate / m_rate) * Audio::kChannels;
        taken = std::min(taken, due > m_samplesOut ? due - m_samplesOut : 0);
        out->resize(before + taken);
        m_samplesOut += taken;
        return true;
    }

    SDL_AudioStream *m_stream;
    int m_frameBytes;
    int m_rate;
    long long m_framesIn = 0;
    std::size_t m_samplesOut = 0;
};

// Converts PCM in any SDL format to the mixing format. Returns false on a converter error.
bool convert(SDL_AudioFormat format, int channels, int rate, const void *data, int bytes, Clip *out, QString *why)
{
    Converter converter(format, channels, rate);
    const bool ok = converter.valid() && rate > 0 && converter.put(data, bytes, out) && converter.finish(out);
    if (!ok && why)
        *why = QString::fromUtf8(SDL_GetError());
    return ok;
}

// Decodes one WAV file into the mixing format. The file and its header are checked first, so that
// SDL never reads a pipe, never allocates what a broken header declares and never decodes more
// than DataChecks::kMaxSoundSeconds of sound.
ClipPtr decodeFile(const QString &path, QString *why)
{
    QString problem = DataChecks::fileProblem(path);
    if (problem.isEmpty())
        problem = DataChecks::wavProblem(path);
    if (!problem.isEmpty()) {
        if (why)
            *why = problem;
        return {};
    }
    SDL_RWops *file = SDL_RWFromFile(QFile::encodeName(path).constData(), "rb");
    if (!file) {
        if (why)
            *why = QString::fromUtf8(SDL_GetError());
        return {};
    }
    SDL_AudioSpec wav{};
    Uint8 *buffer = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV_RW(file, 1, &wav, &buffer, &length)) {
        if (why)
            *why = QString::fromUtf8(SDL_GetError());
        return {};
    }
    const int frameBytes = static_cast<int>(SDL_AUDIO_BITSIZE(wav.format) / 8) * wav.channels;
    if (frameBytes <= 0 || wav.freq <= 0
        || static_cast<double>(length) / frameBytes / wav.freq > DataChecks::kMaxSoundSeconds) {
        if (why)
            *why = QStringLiteral("decodes to more than %1 s of sound").arg(DataChecks::kMaxSoundSeconds);
        SDL_FreeWAV(buffer);
        return {};
    }
    // Room for every frame and the converter's padding at the end, so that the buffer is never
    // moved (each move would leave its old copy in the heap).
    Clip converted;
    converted.reserve((static_cast<std::size_t>(length / static_cast<Uint32>(frameBytes) + wav.freq / 20 + 1)
                           * Audio::kSampleRate / static_cast<std::size_t>(wav.freq) + 64) * Audio::kChannels);
    const bool ok = convert(wav.format, wav.channels, wav.freq, buffer, static_cast<int>(length),
                            &converted, why);
    SDL_FreeWAV(buffer);
    if (!ok)
        return {};
    auto clip = std::make_shared<std::vector<std::int16_t>>(converted.size());
    std::transform(converted.begin(), converted.end(), clip->begin(), [](float sample) {
        return static_cast<std::int16_t>(std::clamp(std::lround(sample * kSampleScale), -32768L, 32767L));
    });
    return clip;
}

// The default sound: a soft two-tone chime, 0.15 s, each note fading out.
ClipPtr makeChime()
{
    constexpr double kDuration = 0.15;
    constexpr double kPeak = 0.18;
    const int frames = static_cast<int>(kDuration * Audio::kSampleRate);
    const int half = frames / 2;
    auto clip = std::make_shared<std::vector<std::int16_t>>(static_cast<std::size_t>(frames) * Audio::kChannels);
    constexpr double kPi = 3.14159265358979323846;
    for (int i = 0; i < frames; ++i) {
        const bool second = i >= half;
        const double frequency = second ? 1318.5 : 880.0; // E6 after A5
        const double t = static_cast<double>(second ? i - half : i) / Audio::kSampleRate;
        const double attack = std::min(1.0, t / 0.004);
        const double decay = std::exp(-t / 0.03);
        const double value = kPeak * attack * decay * std::sin(2.0 * kPi * frequency * t);
        for (int c = 0; c < Audio::kChannels; ++c)
            (*clip)[static_cast<std::size_t>(i * Audio::kChannels + c)] =
                static_cast<std::int16_t>(std::lround(value * kSampleScale));
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
    int retryMilliseconds = kRetryMilliseconds;

    // What the callback mixes.
    std::mutex mixMutex;
    ClipPtr sound;
    std::size_t soundPosition = 0;
    std::deque<Clip> speech;
    std::size_t speechPosition = 0;

    // Speech conversion, on the speech thread.
    std::mutex speechMutex;
    std::unique_ptr<Converter> speechConverter;
    int speechRate = 0;

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
    ClipPtr chime = makeChime();

    std::thread preloader;
    std::atomic<bool> stopping{false};

    void tryOpen();
    void closeDevice();
    void ensureDevice();
    void start(ClipPtr clip);
    ClipPtr clipFor(const QString &path, QString *why);
    void lost();
    void mix(float *out, int samples);
    void appendSpeech(Clip chunk);
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
    if (device != 0 && SDL_GetAudioDeviceStatus(device) == SDL_AUDIO_STOPPED)
        lost();
    if (device != 0)
        return;
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
    ClipPtr clip = decodeFile(path, &reason);
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
    if (sound) {
        const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(samples), sound->size() - soundPosition);
        const std::int16_t *from = sound->data() + soundPosition;
        for (std::size_t i = 0; i < n; ++i)
            out[i] += static_cast<float>(from[i]) / kSampleScale;
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

void Audio::Impl::appendSpeech(Clip chunk)
{
    if (chunk.empty())
        return;
    std::lock_guard<std::mutex> lock(mixMutex);
    speech.push_back(std::move(chunk));
}

Audio::Audio(int retryMilliseconds) : d(std::make_unique<Impl>())
{
    d->retryMilliseconds = retryMilliseconds;
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
    if (!d->speechConverter || d->speechRate != sampleRate) {
        d->speechConverter = std::make_unique<Converter>(AUDIO_S16SYS, 1, sampleRate);
        d->speechRate = sampleRate;
    }
    if (!d->speechConverter->valid())
        return;
    Clip chunk;
    if (samples && count > 0)
        d->speechConverter->put(samples, static_cast<int>(count * sizeof(std::int16_t)), &chunk);
    if (endOfText)
        d->speechConverter->finish(&chunk);
    // Without a device, speech is dropped rather than saved up for a device that may come back.
    if (d->open)
        d->appendSpeech(std::move(chunk));
}

bool Audio::deviceOpen() const
{
    return d->open;
}
