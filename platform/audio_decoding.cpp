#include "platform/audio_decoding.h"

#include "platform/data_checks.h"

#include <QFile>

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <mutex>

namespace AudioDecoding {

namespace {

// SDL picks its sample format converters the first time one is asked for, without a lock: two
// threads converting for the first time at once (the background decoding and a sound asked for
// right away, or speech) can find the choice half made and fail with "No conversion from source
// format to float available". The choice is made once, here, before any conversion.
void chooseConvertersOnce()
{
    static std::once_flag once;
    std::call_once(once, [] {
        SDL_AudioCVT cvt;
        SDL_BuildAudioCVT(&cvt, AUDIO_S16SYS, 1, 22050, AUDIO_F32SYS, Channels, SampleRate);
    });
}

} // namespace

// A converter to the mixing format that gives every frame it was given: SDL's resampler holds
// back the last few milliseconds even on a flush, so the end of the input is pushed out with
// silence and the output cut to the length the input stands for.
class Converter
{
public:
    Converter(SDL_AudioFormat format, int channels, int rate)
        : m_stream((chooseConvertersOnce(), SDL_NewAudioStream(format, static_cast<Uint8>(channels), rate, AUDIO_F32SYS, Channels,
                                      SampleRate))),
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
    bool put(const void *data, int bytes, Frames *out)
    {
        if (bytes > 0) {
            if (SDL_AudioStreamPut(m_stream, data, bytes) != 0)
                return false;
            m_framesIn += bytes / m_frameBytes;
        }
        return take(out);
    }

    // Ends the input, appending the rest to `out`, and starts afresh.
    bool finish(Frames *out)
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
    bool take(Frames *out)
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
        const auto due = static_cast<std::size_t>(m_framesIn * SampleRate / m_rate) * Channels;
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

namespace {

// Converts PCM in any SDL format to the mixing format. Returns false on a converter error.
bool convert(SDL_AudioFormat format, int channels, int rate, const void *data, int bytes, Frames *out, QString *why)
{
    Converter converter(format, channels, rate);
    const bool ok = converter.valid() && rate > 0 && converter.put(data, bytes, out) && converter.finish(out);
    if (!ok && why)
        *why = QString::fromUtf8(SDL_GetError());
    return ok;
}

Clip makeChime()
{
    constexpr double Duration = 0.15;
    constexpr double Peak = 0.18;
    const int frames = static_cast<int>(Duration * SampleRate);
    const int half = frames / 2;
    auto clip = std::make_shared<std::vector<std::int16_t>>(static_cast<std::size_t>(frames) * Channels);
    constexpr double Pi = 3.14159265358979323846;
    for (int i = 0; i < frames; ++i) {
        const bool second = i >= half;
        const double frequency = second ? 1318.5 : 880.0; // E6 after A5
        const double t = static_cast<double>(second ? i - half : i) / SampleRate;
        const double attack = std::min(1.0, t / 0.004);
        const double decay = std::exp(-t / 0.03);
        const double value = Peak * attack * decay * std::sin(2.0 * Pi * frequency * t);
        for (int c = 0; c < Channels; ++c)
            (*clip)[static_cast<std::size_t>(i * Channels + c)] =
                static_cast<std::int16_t>(std::lround(value * SampleScale));
    }
    return clip;
}

} // namespace

Clip decodeFile(const QString &path, QString *why)
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
        || static_cast<double>(length) / frameBytes / wav.freq > DataChecks::MaxSoundSeconds) {
        if (why)
            *why = QStringLiteral("decodes to more than %1 s of sound").arg(DataChecks::MaxSoundSeconds);
        SDL_FreeWAV(buffer);
        return {};
    }
    // Room for every frame and the converter's padding at the end, so that the buffer is never
    // moved (each move would leave its old copy in the heap).
    Frames converted;
    converted.reserve((static_cast<std::size_t>(length / static_cast<Uint32>(frameBytes) + wav.freq / 20 + 1)
                           * SampleRate / static_cast<std::size_t>(wav.freq) + 64) * Channels);
    const bool ok = convert(wav.format, wav.channels, wav.freq, buffer, static_cast<int>(length),
                            &converted, why);
    SDL_FreeWAV(buffer);
    if (!ok)
        return {};
    auto clip = std::make_shared<std::vector<std::int16_t>>(converted.size());
    std::transform(converted.begin(), converted.end(), clip->begin(), [](float sample) {
        return static_cast<std::int16_t>(std::clamp(std::lround(sample * SampleScale), -32768L, 32767L));
    });
    return clip;
}

Clip chime()
{
    static const Clip made = makeChime();
    return made;
}

SpeechConverter::SpeechConverter(int sampleRate)
    : m_sampleRate(sampleRate), m_converter(std::make_unique<Converter>(AUDIO_S16SYS, 1, sampleRate))
{
}

SpeechConverter::~SpeechConverter() = default;

bool SpeechConverter::valid() const
{
    return m_converter->valid();
}

bool SpeechConverter::put(const std::int16_t *samples, std::size_t count, Frames *out)
{
    return m_converter->put(samples, static_cast<int>(count * sizeof(std::int16_t)), out);
}

bool SpeechConverter::finish(Frames *out)
{
    return m_converter->finish(out);
}

} // namespace AudioDecoding
