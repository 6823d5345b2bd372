#include "platform/espeak_speech.h"

#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// espeak-ng's state is the process's: set up once, used by one thread at a time.
std::mutex g_espeakMutex;
int g_sampleRate = 0; // 0 until set up, -1 when espeak-ng cannot be set up

// A little slower than espeak-ng's 175 words a minute: the listener is a small child.
constexpr int WordsPerMinute = 150;
// The breath a run of commas in front of a text stands for, as with flite.
constexpr int BreathMilliseconds = 250;

bool setUpEspeak()
{
    if (g_sampleRate == 0) {
        espeak_ng_InitializePath(nullptr);
        espeak_ng_ERROR_CONTEXT context = nullptr;
        if (espeak_ng_Initialize(&context) == ENS_OK
            && espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, 0, nullptr) == ENS_OK) {
            g_sampleRate = espeak_ng_GetSampleRate();
        } else {
            g_sampleRate = -1;
        }
        if (context)
            espeak_ng_ClearErrorContext(&context);
    }
    return g_sampleRate > 0;
}

} // namespace

struct EspeakSpeech::Worker
{
    Speech::Sink sink;
    std::function<void()> recordingHandedOver;
    QByteArray language; // as espeak-ng writes it: "fr", "pt-br"
    QString voice;

    // A text, or a recording when clip is set.
    struct Item
    {
        QString text;
        AudioDecoding::Clip clip;
    };

    mutable std::mutex mutex;
    std::condition_variable wake;
    std::deque<Item> queue;
    bool quitting = false;
    bool playing = false;
    bool started = false;
    bool canSpeak = false;
    std::thread worker;

    void run();
    QString setUp();
    void say(const QString &text);
    void playClip(const AudioDecoding::Clip &clip);
    bool isQuitting()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return quitting;
    }
    // espeak-ng's synthesis callback: each stretch of samples as it is made.
    static int synthChunk(short *samples, int count, espeak_EVENT *events);
};

int EspeakSpeech::Worker::synthChunk(short *samples, int count, espeak_EVENT *events)
{
    auto *worker = static_cast<Worker *>(events ? events->user_data : nullptr);
    if (!worker)
        return 0;
    if (samples && count > 0)
        worker->sink(reinterpret_cast<const std::int16_t *>(samples), static_cast<std::size_t>(count), g_sampleRate, false);
    return worker->isQuitting() ? 1 : 0;
}

// The voice's own language ("fr-fr"), or an empty string when there is none for the language.
QString EspeakSpeech::Worker::setUp()
{
    std::lock_guard<std::mutex> lock(g_espeakMutex);
    if (!setUpEspeak()) {
        qWarning("Zubiko: speech is off: espeak-ng cannot be set up (is espeak-ng-data installed?)");
        return {};
    }
    espeak_VOICE wanted{};
    wanted.languages = language.constData();
    if (espeak_SetVoiceByProperties(&wanted) != EE_OK || !espeak_GetCurrentVoice()
        || !QByteArray(espeak_GetCurrentVoice()->languages + 1).startsWith(language.left(2))) {
        qWarning("Zubiko: speech is off: espeak-ng has no voice for the language \"%s\"", language.constData());
        return {};
    }
    return QString::fromUtf8(espeak_GetCurrentVoice()->languages + 1); // after the priority byte
}

void EspeakSpeech::Worker::say(const QString &text)
{
    QString ready = Speech::prepared(text);
    if (ready.startsWith(QLatin1Char(','))) {
        const std::vector<std::int16_t> breath(static_cast<std::size_t>(g_sampleRate * BreathMilliseconds / 1000));
        sink(breath.data(), breath.size(), g_sampleRate, false);
        ready.remove(0, 1);
    }
    const QByteArray utf8 = ready.trimmed().toUtf8();
    if (!utf8.isEmpty()) {
        std::lock_guard<std::mutex> lock(g_espeakMutex);
        espeak_VOICE wanted{};
        wanted.languages = language.constData();
        espeak_SetVoiceByProperties(&wanted);
        espeak_SetParameter(espeakRATE, WordsPerMinute, 0);
        espeak_SetSynthCallback(synthChunk);
        espeak_Synth(utf8.constData(), static_cast<size_t>(utf8.size()) + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8,
                     nullptr, this);
    }
    sink(nullptr, 0, g_sampleRate, true);
}

// The recording, in the mixing format, handed on as mono at the mixing rate.
void EspeakSpeech::Worker::playClip(const AudioDecoding::Clip &clip)
{
    constexpr std::size_t Block = 4096;
    std::vector<std::int16_t> mono;
    mono.reserve(Block);
    const std::vector<std::int16_t> &frames = *clip;
    for (std::size_t i = 0; i + 1 < frames.size(); i += AudioDecoding::Channels) {
        mono.push_back(static_cast<std::int16_t>((frames[i] + frames[i + 1]) / 2));
        if (mono.size() == Block) {
            sink(mono.data(), mono.size(), AudioDecoding::SampleRate, false);
            mono.clear();
        }
    }
    sink(mono.data(), mono.size(), AudioDecoding::SampleRate, true);
}

void EspeakSpeech::Worker::run()
{
    const QString found = setUp();
    const bool ok = !found.isEmpty();
    {
        std::lock_guard<std::mutex> lock(mutex);
        started = true;
        canSpeak = ok;
        voice = found;
    }
    wake.notify_all();
    for (;;) {
        Item item;
        {
            std::unique_lock<std::mutex> lock(mutex);
            wake.wait(lock, [this] { return quitting || !queue.empty(); });
            if (quitting)
                break;
            item = queue.front();
            queue.pop_front();
            playing = true;
        }
        if (item.clip) {
            playClip(item.clip);
            if (recordingHandedOver)
                recordingHandedOver();
        }
        else if (ok)
            say(item.text);
        std::lock_guard<std::mutex> lock(mutex);
        playing = false;
    }
}

EspeakSpeech::EspeakSpeech(Speech::Sink sink, const QString &language) : m_worker(std::make_unique<Worker>())
{
    m_worker->sink = std::move(sink);
    m_worker->language = language.toLower().replace(QLatin1Char('_'), QLatin1Char('-')).toLatin1();
    m_worker->worker = std::thread([this] { m_worker->run(); });
}

EspeakSpeech::~EspeakSpeech()
{
    {
        std::lock_guard<std::mutex> lock(m_worker->mutex);
        m_worker->quitting = true;
    }
    m_worker->wake.notify_all();
    m_worker->worker.join();
}

void EspeakSpeech::speak(const QString &text)
{
    {
        std::lock_guard<std::mutex> lock(m_worker->mutex);
        m_worker->queue.push_back({text, {}});
    }
    m_worker->wake.notify_all();
}

void EspeakSpeech::play(const AudioDecoding::Clip &clip)
{
    if (!clip)
        return;
    {
        std::lock_guard<std::mutex> lock(m_worker->mutex);
        m_worker->queue.push_back({QString(), clip});
    }
    m_worker->wake.notify_all();
}

void EspeakSpeech::setRecordingHandedOver(std::function<void()> handedOver)
{
    std::lock_guard<std::mutex> lock(m_worker->mutex);
    m_worker->recordingHandedOver = std::move(handedOver);
}

bool EspeakSpeech::busy() const
{
    std::lock_guard<std::mutex> lock(m_worker->mutex);
    return m_worker->playing || !m_worker->queue.empty();
}

bool EspeakSpeech::waitUntilReady()
{
    std::unique_lock<std::mutex> lock(m_worker->mutex);
    m_worker->wake.wait(lock, [this] { return m_worker->started; });
    return m_worker->canSpeak;
}

QString EspeakSpeech::voiceName() const
{
    std::lock_guard<std::mutex> lock(m_worker->mutex);
    return m_worker->voice;
}
