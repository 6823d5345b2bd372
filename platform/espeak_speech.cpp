#include "platform/espeak_speech.h"
#include "platform/speech_worker.h"

#include <espeak-ng/espeak_ng.h>
#include <espeak-ng/speak_lib.h>

#include <mutex>
#include <vector>

namespace {

// espeak-ng's state is the process's: set up once, used by one thread at a time.
std::mutex g_espeakMutex;
int g_sampleRate = 0; // 0 until set up, -1 when espeak-ng cannot be set up

// A little slower than espeak-ng's 175 words a minute: the listener is a small child.
constexpr int WordsPerMinute = 150;

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
    QByteArray language; // as espeak-ng writes it: "fr", "pt-br"
    QString voice; // set on the worker thread before it is ready
    // Set before the first recording is queued: the queue's lock hands it to the worker thread.
    std::function<void()> recordingHandedOver;
    SpeechWorker thread;

    Worker(Speech::Sink sink, const QString &code)
        : language(code.toLower().replace(QLatin1Char('_'), QLatin1Char('-')).toLatin1()),
          thread(std::move(sink), [this] { return setUp(); }, [this](const QByteArray &utf8) { say(utf8); },
                 [this](const AudioDecoding::Clip &clip) { playClip(clip); })
    {
    }
    int setUp();
    void say(const QByteArray &utf8);
    void playClip(const AudioDecoding::Clip &clip);
    // espeak-ng's synthesis callback: each stretch of samples as it is made.
    static int synthChunk(short *samples, int count, espeak_EVENT *events);
};

int EspeakSpeech::Worker::synthChunk(short *samples, int count, espeak_EVENT *events)
{
    auto *worker = static_cast<Worker *>(events ? events->user_data : nullptr);
    if (!worker)
        return 0;
    if (samples && count > 0)
        worker->thread.sink()(reinterpret_cast<const std::int16_t *>(samples), static_cast<std::size_t>(count),
                              g_sampleRate, false);
    return worker->thread.quitting() ? 1 : 0;
}

// Finds the voice for the language and keeps its own name ("fr-fr"): espeak-ng's sample rate, or 0
// when there is none for the language.
int EspeakSpeech::Worker::setUp()
{
    std::lock_guard<std::mutex> lock(g_espeakMutex);
    if (!setUpEspeak()) {
        qWarning("Zubiko: speech is off: espeak-ng cannot be set up (is espeak-ng-data installed?)");
        return 0;
    }
    espeak_VOICE wanted{};
    wanted.languages = language.constData();
    if (espeak_SetVoiceByProperties(&wanted) != EE_OK || !espeak_GetCurrentVoice()
        || !QByteArray(espeak_GetCurrentVoice()->languages + 1).startsWith(language.left(2))) {
        qWarning("Zubiko: speech is off: espeak-ng has no voice for the language \"%s\"", language.constData());
        return 0;
    }
    voice = QString::fromUtf8(espeak_GetCurrentVoice()->languages + 1); // after the priority byte
    return g_sampleRate;
}

void EspeakSpeech::Worker::say(const QByteArray &utf8)
{
    std::lock_guard<std::mutex> lock(g_espeakMutex);
    espeak_VOICE wanted{};
    wanted.languages = language.constData();
    espeak_SetVoiceByProperties(&wanted);
    espeak_SetParameter(espeakRATE, WordsPerMinute, 0);
    espeak_SetSynthCallback(synthChunk);
    espeak_Synth(utf8.constData(), static_cast<size_t>(utf8.size()) + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr,
                 this);
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
            thread.sink()(mono.data(), mono.size(), AudioDecoding::SampleRate, false);
            mono.clear();
        }
    }
    thread.sink()(mono.data(), mono.size(), AudioDecoding::SampleRate, true);
    if (recordingHandedOver)
        recordingHandedOver();
}

EspeakSpeech::EspeakSpeech(Speech::Sink sink, const QString &language)
    : m_worker(std::make_unique<Worker>(std::move(sink), language))
{
}

EspeakSpeech::~EspeakSpeech() = default;

void EspeakSpeech::speak(const QString &text)
{
    m_worker->thread.speak(text);
}

void EspeakSpeech::play(const AudioDecoding::Clip &clip)
{
    m_worker->thread.play(clip);
}

void EspeakSpeech::setRecordingHandedOver(std::function<void()> handedOver)
{
    m_worker->recordingHandedOver = std::move(handedOver);
}

bool EspeakSpeech::busy() const
{
    return m_worker->thread.busy();
}

bool EspeakSpeech::waitUntilReady()
{
    return m_worker->thread.waitUntilReady();
}

QString EspeakSpeech::voiceName() const
{
    // The worker thread writes it while it sets up: read it once that is over.
    return m_worker->thread.waitUntilReady() ? m_worker->voice : QString();
}
