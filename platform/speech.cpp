#include "platform/speech.h"

#include <QRegularExpression>

extern "C" {
#include <flite/flite.h>
}

#include <dlfcn.h>

#include <condition_variable>
#include <iterator>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

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

// The breath a run of commas before a text stands for (see prepared()).
constexpr int BreathMilliseconds = 250;
// The voices begin each text with up to 0.18 s of silence; samples up to this size (-60 dBFS)
// before the first louder one are not passed on, so that a name is heard that much sooner.
constexpr int SilentSample = 33;

} // namespace

struct Speech::Worker
{
    Sink sink;
    QString voiceName;
    Voice *voice = nullptr; // set up by the worker, let go by it when it ends
    int sampleRate = 0;
    bool beforeFirstSound = true; // of the text being spoken

    std::mutex mutex;
    std::condition_variable wake;
    std::deque<QString> queue;
    bool quitting = false;
    bool speaking = false; // a text taken from the queue is being spoken
    bool started = false; // the voice has been set up or refused
    bool failed = false;

    std::thread thread;

    static int streamChunk(const cst_wave *wave, int start, int size, int, cst_audio_streaming_info *info);
    void run();
    bool setUpVoice();
    void say(const QByteArray &utf8);
    bool isQuitting()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return quitting;
    }
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
        worker->sink(reinterpret_cast<const std::int16_t *>(samples), static_cast<std::size_t>(size), worker->sampleRate,
                   false);
    return worker->isQuitting() ? CST_AUDIO_STREAM_STOP : CST_AUDIO_STREAM_CONT;
}

bool Speech::Worker::setUpVoice()
{
    Voice *found = findVoice(voiceName);
    if (!found) {
        qWarning("Zubiko: speech is off: there is no voice \"%s\" (the voices: %s)", qUtf8Printable(voiceName),
                 qUtf8Printable(voiceNames().join(QStringLiteral(", "))));
        return false;
    }
    std::lock_guard<std::mutex> lock(g_fliteMutex);
    static std::once_flag initialised;
    std::call_once(initialised, [] { flite_init(); });
    if (found->users == 0 && !found->setUp()) {
        const char *why = dlerror();
        qWarning("Zubiko: speech is off: flite cannot set up the voice \"%s\" (%s)", found->name,
                 why ? why : "no voice in its library");
        return false;
    }
    ++found->users;
    voice = found;
    sampleRate = flite_get_param_int(found->voice->features, "sample_rate", 16000);
    return true;
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

void Speech::Worker::run()
{
    const bool ok = setUpVoice();
    {
        std::lock_guard<std::mutex> lock(mutex);
        started = true;
        failed = !ok;
        if (!ok)
            queue.clear();
    }
    wake.notify_all();
    if (!ok)
        return;
    for (;;) {
        QString text;
        {
            std::unique_lock<std::mutex> lock(mutex);
            wake.wait(lock, [this] { return quitting || !queue.empty(); });
            if (quitting)
                break;
            text = queue.front();
            queue.pop_front();
            speaking = true;
        }
        QString ready = prepared(text);
        if (ready.startsWith(QLatin1Char(','))) {
            const std::vector<std::int16_t> breath(static_cast<std::size_t>(sampleRate * BreathMilliseconds / 1000));
            sink(breath.data(), breath.size(), sampleRate, false);
            ready.remove(0, 1);
        }
        const QByteArray utf8 = ready.trimmed().toUtf8();
        if (!utf8.isEmpty())
            say(utf8);
        sink(nullptr, 0, sampleRate, true);
        std::lock_guard<std::mutex> lock(mutex);
        speaking = false;
    }
    std::lock_guard<std::mutex> lock(g_fliteMutex);
    if (--voice->users == 0)
        voice->letGo();
}

Speech::Speech(Sink sink, const QString &voice) : m_worker(std::make_unique<Worker>())
{
    m_worker->sink = std::move(sink);
    m_worker->voiceName = voice;
    m_worker->thread = std::thread([this] { m_worker->run(); });
}

Speech::~Speech()
{
    {
        std::lock_guard<std::mutex> lock(m_worker->mutex);
        m_worker->quitting = true;
    }
    m_worker->wake.notify_all();
    m_worker->thread.join();
}

void Speech::speak(const QString &text)
{
    {
        std::lock_guard<std::mutex> lock(m_worker->mutex);
        if (m_worker->failed)
            return;
        m_worker->queue.push_back(text);
    }
    m_worker->wake.notify_all();
}

bool Speech::busy() const
{
    std::lock_guard<std::mutex> lock(m_worker->mutex);
    return m_worker->speaking || !m_worker->queue.empty();
}

bool Speech::waitUntilReady()
{
    std::unique_lock<std::mutex> lock(m_worker->mutex);
    m_worker->wake.wait(lock, [this] { return m_worker->started; });
    return !m_worker->failed;
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
