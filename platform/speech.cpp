#include "platform/speech.h"

#include <QFile>
#include <QRegularExpression>

#include <espeak-ng/espeak_ng.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace {

// espeak-ng's English voice with a gentle female variant; plain English when the variant is missing.
const char *const kVoice = "en+f2";
const char *const kFallbackVoice = "en";
// A little higher than espeak-ng's default pitch (50).
constexpr int kPitch = 58;

// espeak-ng is one engine per process, and it cannot be started a second time: its
// espeak_ng_Terminate() leaves the command queue's "a command is running" flag set when its queue
// thread ends, the next espeak_ng_Initialize() starts a new queue thread without clearing it, and
// the next espeak_ng_Terminate() then waits forever for that thread to acknowledge a stop it never
// sees. So the engine is started by the first Speech that needs it and kept for the life of the
// process; later Speech objects use it as it is. Its mutex is held while a worker sets the engine
// up or synthesises, so that two Speech objects alive at once take turns.
struct Engine
{
    std::mutex mutex;
    bool up = false;
    QByteArray dataPath; // the data folder it was started with
    int sampleRate = 0;
};

Engine &engine()
{
    static Engine instance;
    return instance;
}

} // namespace

struct Speech::Impl
{
    Sink sink;
    QByteArray dataPath;

    std::mutex mutex;
    std::condition_variable wake;
    std::deque<QString> queue;
    bool quitting = false;
    bool started = false; // the engine has started or failed
    bool failed = false;
    int sampleRate = 0;

    std::thread worker;

    void run();
    bool startEngine();
};

namespace {

int synthCallback(short *wav, int count, espeak_EVENT *events)
{
    if (!events || !events->user_data)
        return 0;
    auto *impl = static_cast<Speech::Impl *>(events->user_data);
    if (wav && count > 0)
        impl->sink(reinterpret_cast<const std::int16_t *>(wav), static_cast<std::size_t>(count),
                   impl->sampleRate, false);
    std::lock_guard<std::mutex> lock(impl->mutex);
    return impl->quitting ? 1 : 0; // 1 stops the synthesis
}

} // namespace

bool Speech::Impl::startEngine()
{
    Engine &shared = engine();
    std::lock_guard<std::mutex> lock(shared.mutex);
    if (!shared.up) {
        espeak_ng_InitializePath(dataPath.isEmpty() ? nullptr : dataPath.constData());
        espeak_ng_ERROR_CONTEXT context = nullptr;
        espeak_ng_STATUS status = espeak_ng_Initialize(&context);
        espeak_ng_ClearErrorContext(&context);
        if (status == ENS_OK)
            status = espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, 0, nullptr);
        if (status != ENS_OK) {
            char message[512] = {};
            espeak_ng_GetStatusCodeMessage(status, message, sizeof message);
            qWarning("Zubiko: speech is off: espeak-ng cannot start (%s)", message);
            return false;
        }
        shared.up = true;
        shared.dataPath = dataPath;
        shared.sampleRate = espeak_ng_GetSampleRate();
    } else if (shared.dataPath != dataPath) {
        qWarning("Zubiko: speech goes on with the espeak-ng data it started with (%s), not %s",
                 shared.dataPath.isEmpty() ? "the system's" : shared.dataPath.constData(),
                 dataPath.isEmpty() ? "the system's" : dataPath.constData());
    }
    espeak_SetSynthCallback(synthCallback);
    if (espeak_ng_SetVoiceByName(kVoice) != ENS_OK && espeak_ng_SetVoiceByName(kFallbackVoice) != ENS_OK) {
        qWarning("Zubiko: speech is off: espeak-ng has no English voice");
        return false;
    }
    espeak_ng_SetParameter(espeakRATE, kWordsPerMinute, 0);
    espeak_ng_SetParameter(espeakPITCH, kPitch, 0);
    sampleRate = shared.sampleRate;
    return true;
}

void Speech::Impl::run()
{
    const bool ok = startEngine();
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
        }
        const QByteArray utf8 = prepared(text).toUtf8();
        if (!utf8.isEmpty()) {
            std::lock_guard<std::mutex> engineLock(engine().mutex);
            espeak_ng_Synthesize(utf8.constData(), static_cast<std::size_t>(utf8.size()) + 1, 0, POS_CHARACTER, 0,
                                 espeakCHARS_UTF8, nullptr, this);
        }
        sink(nullptr, 0, sampleRate, true);
    }
    // The engine stays up for the next Speech (see Engine).
}

Speech::Speech(Sink sink, const QString &dataPath) : d(std::make_unique<Impl>())
{
    d->sink = std::move(sink);
    d->dataPath = QFile::encodeName(dataPath);
    d->worker = std::thread([this] { d->run(); });
}

Speech::~Speech()
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        d->quitting = true;
    }
    d->wake.notify_all();
    d->worker.join();
}

void Speech::speak(const QString &text)
{
    {
        std::lock_guard<std::mutex> lock(d->mutex);
        if (d->failed)
            return;
        d->queue.push_back(text);
    }
    d->wake.notify_all();
}

bool Speech::waitUntilReady()
{
    std::unique_lock<std::mutex> lock(d->mutex);
    d->wake.wait(lock, [this] { return d->started; });
    return !d->failed;
}

QString Speech::prepared(const QString &text)
{
    static const QRegularExpression leading(QStringLiteral("^[\\s,]+"));
    static const QRegularExpression commaRuns(QStringLiteral(",(\\s*,)+"));
    QString result = text;
    result.remove(leading);
    result.replace(commaRuns, QStringLiteral(","));
    return result.trimmed();
}
