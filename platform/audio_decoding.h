#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// Everything that turns sound into the mixing format, with no device and no state between calls:
// decoding WAV files, converting speech PCM, making the default sound. Safe to call from any
// thread (SDL's converters are chosen once, before the first conversion).
namespace AudioDecoding {

// The mixing format (the device is opened in it; SDL converts if the hardware differs):
// interleaved 32-bit float, stereo.
constexpr int SampleRate = 48000;
constexpr int Channels = 2;
// A 16-bit sample s is s / SampleScale in the float mix.
constexpr float SampleScale = 32768.0f;

// Interleaved frames in the mixing format.
using Frames = std::vector<float>;
// A decoded sound, kept: the mixing format's frames at 16 bits (what the sound files hold), half
// the memory of floats.
using Clip = std::shared_ptr<const std::vector<std::int16_t>>;

// Decodes the sound file `path` into the mixing format: an Ogg Vorbis file (known by its first
// bytes, whatever its name) with libvorbisfile, anything else as a WAV file with SDL. The file and
// a WAV header are checked first (DataChecks), so that SDL never reads a pipe, never allocates what
// a broken header declares; neither decoder gives more than DataChecks::MaxSoundSeconds of sound.
// Null when it cannot be decoded; `why` then says why.
Clip decodeFile(const QString &path, QString *why = nullptr);

// The default sound: a soft two-tone chime, 0.15 s, each note fading out. Made once.
Clip chime();

class Converter; // audio_decoding.cpp only

// Converts 16-bit mono PCM at one sample rate (what the speech engine makes) to the mixing format, and
// gives every frame it was given: the end of each text is pushed out whole by finish().
class SpeechConverter
{
public:
    explicit SpeechConverter(int sampleRate);
    ~SpeechConverter();
    SpeechConverter(const SpeechConverter &) = delete;
    SpeechConverter &operator=(const SpeechConverter &) = delete;

    bool valid() const;
    int sampleRate() const { return m_sampleRate; }
    // Converts `count` more samples, appending what comes out to `out`.
    bool put(const std::int16_t *samples, std::size_t count, Frames *out);
    // Ends one text, appending the rest of it to `out`, and starts afresh.
    bool finish(Frames *out);

private:
    int m_sampleRate;
    std::unique_ptr<Converter> m_converter;
};

} // namespace AudioDecoding
