#include "platform/speech.h"
#include "platform/speech_worker.h"

#include <QRegularExpression>

extern "C" {
#include <flite/flite.h>
}

#include <dlfcn.h>

#include <iterator>
#include <cstdlib>
#include <mutex>

namespace {

// A flite voice, set up on first use and let go when no Speech uses it. Each voice is a library
// of its own (libflite_cmu_us_NAME, a few MB of models), loaded the first time it is set up and
// kept, so that the voice not chosen takes no memory. flite keeps one object per voice in the
// process (registering it again hands back the same one) and can set a voice up again after
// letting it go. The mutex is held while a voice is set up, let go or speaks: flite's lexicon and
// voices are shared by every thread, so two Speech objects alive at once take turns.
struct Voice
{
    const char *name;
    int users = 0;
    void *library = nullptr;
    cst_voice *voice = nullptr;

    void *entry(const char *prefix) const
    {
        return dlsym(library, (QByteArray(prefix) + "cmu_us_" + name).constData());
    }
    bool setUp()
    {
        if (!library)
            library = dlopen((QByteArray("libflite_cmu_us_") + name + ".so.1").constData(), RTLD_NOW | RTLD_LOCAL);
        void *const registerVoice = library ? entry("register_") : nullptr;
        voice = registerVoice ? reinterpret_cast<cst_voice *(*)(const char *)>(registerVoice)(nullptr) : nullptr;
        return voice != nullptr;
    }
    void letGo()
    {
        if (void *const unregisterVoice = entry("unregister_"))
            reinterpret_cast<void (*)(cst_voice *)>(unregisterVoice)(voice);
        voice = nullptr;
    }
};

std::mutex g_fliteMutex;
Voice g_voices[] = {{VoiceNames[0]}, {VoiceNames[1]}};
static_assert(std::size(g_voices) == VoiceNames.size(), "a flite voice for each name");

Voice *findVoice(const QString &name)
{
    for (Voice &voice : g_voices) {
        if (name == QLatin1String(voice.name))
            return &voice;
    }
    return nullptr;
}

// The voices begin each text with up to 0.18 s of silence; samples up to this size (-60 dBFS)
// before the first louder one are not passed on, so that a name is heard that much sooner.
constexpr int SilentSample = 33;

} // namespace

struct Speech::Worker
{
    Voice *voice = nullptr; // set up on the worker thread, let go once it has stopped
    int sampleRate = 0;
    bool beforeFirstSound = true; // of the text being spoken
    SpeechWorker thread;

    Worker(Sink sink, const QString &voiceName)
        : thread(std::move(sink), [this, voiceName] { return setUpVoice(voiceName); },
                 [this](const QByteArray &utf8) { say(utf8); })
    {
    }
    ~Worker()
    {
        thread.stop();
        std::lock_guard<std::mutex> lock(g_fliteMutex);
        if (voice && --voice->users == 0)
            voice->letGo();
    }
    static int streamChunk(const cst_wave *wave, int start, int size, int, cst_audio_streaming_info *info);
    int setUpVoice(const QString &voiceName);
    void say(const QByteArray &utf8);
};

// flite's audio stream callback: each stretch of samples as the vocoder makes it.
int Speech::Worker::streamChunk(const cst_wave *wave, int start, int size, int, cst_audio_streaming_info *info)
{
    auto *worker = static_cast<Worker *>(info->userdata);
    const short *samples = wave->samples + start;
    if (worker->beforeFirstSound) {
        while (size > 0 && std::abs(*samples) <= SilentSample) {
            ++samples;
            --size;
        }
        worker->beforeFirstSound = size == 0;
    }
    if (size > 0)
        worker->thread.sink()(reinterpret_cast<const std::int16_t *>(samples), static_cast<std::size_t>(size),
                              worker->sampleRate, false);
    return worker->thread.quitting() ? CST_AUDIO_STREAM_STOP : CST_AUDIO_STREAM_CONT;
}

int Speech::Worker::setUpVoice(const QString &voiceName)
{
    Voice *found = findVoice(voiceName);
    if (!found) {
        qWarning("Zubiko: speech is off: there is no voice \"%s\" (the voices: %s)", qUtf8Printable(voiceName),
                 qUtf8Printable(voiceNames().join(QStringLiteral(", "))));
        return 0;
    }
    std::lock_guard<std::mutex> lock(g_fliteMutex);
    static std::once_flag initialised;
    std::call_once(initialised, [] { flite_init(); });
    if (found->users == 0 && !found->setUp()) {
        const char *why = dlerror();
        qWarning("Zubiko: speech is off: flite cannot set up the voice \"%s\" (%s)", found->name,
                 why ? why : "no voice in its library");
        return 0;
    }
    ++found->users;
    voice = found;
    sampleRate = flite_get_param_int(found->voice->features, "sample_rate", 16000);
    return sampleRate;
}

void Speech::Worker::say(const QByteArray &utf8)
{
    std::lock_guard<std::mutex> lock(g_fliteMutex);
    // The stream callback belongs to this utterance alone; the voice itself is left as it is.
    cst_audio_streaming_info *info = new_audio_streaming_info();
    info->asc = streamChunk;
    info->userdata = this;
    beforeFirstSound = true;
    cst_utterance *utterance = new_utterance();
    utt_set_input_text(utterance, utf8.constData());
    flite_feat_set(utterance->features, "streaming_info", audio_streaming_info_val(info));
    utterance = flite_do_synth(utterance, voice->voice, utt_synth); // deletes it when stopped
    if (utterance)
        delete_utterance(utterance); // and the streaming info with it
}

Speech::Speech(Sink sink, const QString &voice) : m_worker(std::make_unique<Worker>(std::move(sink), voice))
{
}

Speech::~Speech() = default;

void Speech::speak(const QString &text)
{
    m_worker->thread.speak(text);
}

bool Speech::busy() const
{
    return m_worker->thread.busy();
}

bool Speech::waitUntilReady()
{
    return m_worker->thread.waitUntilReady();
}

QString Speech::prepared(const QString &text)
{
    // Spaces as trimmed() knows them (a no-break space too), not only ASCII ones.
    static const QRegularExpression commaRuns(QStringLiteral(",(\\s*,)+"),
                                              QRegularExpression::UseUnicodePropertiesOption);
    QString result = text;
    result.replace(commaRuns, QStringLiteral(","));
    result = result.trimmed();
    if (result.startsWith(QLatin1Char(',')))
        result = QStringLiteral(", ") + result.mid(1).trimmed();
    return result;
}
