#include "platform/speech_worker.h"

#include <sys/resource.h>
#include <unistd.h>

#include <vector>

namespace {
// How many steps of niceness the voice's thread runs below the rest of the program.
constexpr int BelowTheWindow = 5;
} // namespace

SpeechWorker::SpeechWorker(Speech::Sink sink, SetUp setUp, Say say, Play play)
    : m_sink(std::move(sink)), m_setUp(std::move(setUp)), m_say(std::move(say)), m_play(std::move(play)),
      m_thread([this] { run(); })
{
}

void SpeechWorker::stop()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_quitting = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

void SpeechWorker::push(Item item)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_queue.push_back(std::move(item));
    }
    m_wake.notify_all();
}

bool SpeechWorker::busy() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_playing || !m_queue.empty();
}

bool SpeechWorker::waitUntilReady()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_wake.wait(lock, [this] { return m_sampleRate >= 0; });
    return m_sampleRate > 0;
}

void SpeechWorker::run()
{
    // A voice is made many times faster than it is heard, so where the cores are busy the window
    // goes first: its first frame is drawn while the welcome is being made, and a click is taken
    // while a name is.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), getpriority(PRIO_PROCESS, 0) + BelowTheWindow);
    const int sampleRate = m_setUp();
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_sampleRate = sampleRate;
    }
    m_wake.notify_all();
    for (;;) {
        Item item;
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_wake.wait(lock, [this] { return m_quitting || !m_queue.empty(); });
            if (m_quitting)
                return;
            item = std::move(m_queue.front());
            m_queue.pop_front();
            m_playing = true;
        }
        if (const auto *clip = std::get_if<AudioDecoding::Clip>(&item))
            m_play(*clip);
        else if (sampleRate > 0) // a voice that cannot speak drops the texts
            sayText(std::get<QString>(item));
        std::lock_guard<std::mutex> lock(m_mutex);
        m_playing = false;
    }
}

void SpeechWorker::sayText(const QString &text)
{
    QString ready = Speech::prepared(text);
    if (ready.startsWith(QLatin1Char(','))) {
        const std::vector<std::int16_t> breath(static_cast<std::size_t>(m_sampleRate * BreathMilliseconds / 1000));
        m_sink(breath.data(), breath.size(), m_sampleRate, false);
        ready.remove(0, 1);
    }
    const QByteArray utf8 = ready.trimmed().toUtf8();
    if (!utf8.isEmpty())
        m_say(utf8);
    m_sink(nullptr, 0, m_sampleRate, true);
}
