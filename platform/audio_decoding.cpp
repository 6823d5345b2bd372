#include "platform/audio_decoding.h"

#include "platform/data_checks.h"

#include <QFile>

#include <SDL.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstring>
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

// libvorbisfile reads the file from memory, through these callbacks: it never opens a path itself.
struct Memory
{
    const QByteArray &bytes;
    qint64 at = 0;
};

size_t readMemory(void *into, size_t size, size_t count, void *source)
{
    auto *memory = static_cast<Memory *>(source);
    const auto wanted = static_cast<qint64>(size * count);
    const qint64 n = std::min(wanted, memory->bytes.size() - memory->at);
    if (n <= 0 || size == 0)
        return 0;
    std::memcpy(into, memory->bytes.constData() + memory->at, static_cast<size_t>(n));
    memory->at += n;
    return static_cast<size_t>(n) / size;
}

int seekMemory(void *source, ogg_int64_t offset, int whence)
{
    auto *memory = static_cast<Memory *>(source);
    const qint64 base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? memory->at : memory->bytes.size();
    const qint64 to = base + offset;
    if (to < 0 || to > memory->bytes.size())
        return -1;
    memory->at = to;
    return 0;
}

long tellMemory(void *source)
{
    return static_cast<long>(static_cast<Memory *>(source)->at);
}

// An Ogg Vorbis file decoded to interleaved 16-bit PCM and converted to the mixing format. The
// stream's declared channels and rate are checked as a WAV header's are, and decoding stops with a
// refusal once the sound runs past MaxSoundSeconds, whatever the file declares.
bool decodeVorbis(const QString &path, Frames *out, QString *why)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *why = QStringLiteral("cannot be read");
        return false;
    }
    const QByteArray bytes = file.read(DataChecks::MaxFileBytes);
    Memory memory{bytes};
    const ov_callbacks callbacks{readMemory, seekMemory, nullptr, tellMemory};
    OggVorbis_File vorbis;
    if (ov_open_callbacks(&memory, &vorbis, nullptr, 0, callbacks) != 0) {
        *why = QStringLiteral("is not an Ogg Vorbis file that can be decoded");
        return false;
    }
    const vorbis_info *info = ov_info(&vorbis, -1);
    const int channels = info ? info->channels : 0;
    const long rate = info ? info->rate : 0;
    bool ok = channels >= 1 && channels <= 8 && rate >= 1000 && rate <= 384000;
    if (!ok)
        *why = QStringLiteral("has a Vorbis stream of %1 channels at %2 Hz").arg(channels).arg(rate);
    std::vector<char> pcm;
    const auto limit = static_cast<std::size_t>(DataChecks::MaxSoundSeconds * static_cast<double>(rate)) * 2
                       * static_cast<std::size_t>(channels);
    char chunk[8192];
    int section = 0;
    while (ok) {
        const long got = ov_read(&vorbis, chunk, sizeof chunk, 0, 2, 1, &section);
        const vorbis_info *now = ov_info(&vorbis, -1);
        if (got < 0 || !now || now->channels != channels || now->rate != rate) {
            ok = false;
            *why = QStringLiteral("has a broken or changing Vorbis stream");
        } else if (got == 0) {
            break;
        } else if (pcm.size() + static_cast<std::size_t>(got) > limit) {
            ok = false;
            *why = QStringLiteral("decodes to more than %1 s of sound").arg(DataChecks::MaxSoundSeconds);
        } else {
            pcm.insert(pcm.end(), chunk, chunk + got);
        }
    }
    ov_clear(&vorbis);
    if (ok && pcm.empty()) {
        ok = false;
        *why = QStringLiteral("holds no sound");
    }
    return ok && convert(AUDIO_S16SYS, channels, static_cast<int>(rate), pcm.data(), static_cast<int>(pcm.size()), out, why);
}

bool startsWithOgg(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(4) == "OggS";
}

Clip toClip(const Frames &converted)
{
    auto clip = std::make_shared<std::vector<std::int16_t>>(converted.size());
    std::transform(converted.begin(), converted.end(), clip->begin(), [](float sample) {
        return static_cast<std::int16_t>(std::clamp(std::lround(sample * SampleScale), -32768L, 32767L));
    });
    return clip;
}

} // namespace

Clip decodeFile(const QString &path, QString *why)
{
    QString problem = DataChecks::fileProblem(path);
    if (problem.isEmpty() && startsWithOgg(path)) {
        Frames converted;
        if (decodeVorbis(path, &converted, &problem))
            return toClip(converted);
    } else if (problem.isEmpty()) {
        problem = DataChecks::wavProblem(path);
    }
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
    return toClip(converted);
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
