#include "platform/real_platform.h"
#include "platform/speech.h"

#include "wav_files.h"

#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace {

// Ends the process with a message when a step hangs (a destructor that never returns cannot be
// failed from inside the test); a step that returns disarms it.
class HangGuard
{
public:
    explicit HangGuard(const char *step) : m_step(step)
    {
        m_thread = std::thread([this] {
            std::unique_lock<std::mutex> lock(m_mutex);
            if (!m_done.wait_for(lock, std::chrono::seconds(60), [this] { return m_disarmed; })) {
                std::fprintf(stderr, "FAIL: hung: %s\n", m_step);
                std::_Exit(EXIT_FAILURE);
            }
        });
    }
    ~HangGuard()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_disarmed = true;
        }
        m_done.notify_all();
        m_thread.join();
    }
    HangGuard(const HangGuard &) = delete;
    HangGuard &operator=(const HangGuard &) = delete;

private:
    const char *m_step;
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_disarmed = false;
    std::thread m_thread;
};

// Counts the PCM a Speech hands over: audible samples and finished texts.
struct Heard
{
    std::atomic<int> audible{0};
    std::atomic<int> texts{0};

    Speech::Sink sink()
    {
        return [this](const std::int16_t *samples, std::size_t count, int, bool end) {
            for (std::size_t i = 0; i < count; ++i)
                audible += std::abs(samples[i]) > 300;
            if (end)
                ++texts;
        };
    }
};

} // namespace

// The platform made, used and destroyed more than once in one process (the tests do it; a program
// that re-creates its platform must be able to).
class TestLifecycle : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void initTestCase() { QVERIFY(dir.isValid()); }

    void speechStartsAgainAfterAnEarlierOneIsGone()
    {
        for (int round = 0; round < 3; ++round) {
            Heard heard;
            HangGuard guard("a Speech after an earlier one");
            {
                Speech speech(heard.sink());
                QVERIFY2(speech.waitUntilReady(), qPrintable(QStringLiteral("round %1").arg(round)));
                speech.speak(QStringLiteral("Duck"));
                QVERIFY(QTest::qWaitFor([&heard] { return heard.texts.load() == 1; }, 20000));
            }
            QVERIFY2(heard.audible.load() > 1000, qPrintable(QStringLiteral("round %1: %2").arg(round).arg(heard.audible.load())));
        }
    }

    void twoSpeechObjectsAliveTakeTurns()
    {
        Heard first;
        Heard second;
        HangGuard guard("two Speech objects alive at once");
        auto a = std::make_unique<Speech>(first.sink());
        auto b = std::make_unique<Speech>(second.sink());
        QVERIFY(a->waitUntilReady());
        QVERIFY(b->waitUntilReady());
        a->speak(QStringLiteral("Elephant"));
        b->speak(QStringLiteral("Owl"));
        a->speak(QStringLiteral("Cow"));
        QVERIFY(QTest::qWaitFor([&] { return first.texts.load() == 2 && second.texts.load() == 1; }, 20000));
        QVERIFY(first.audible.load() > 1000);
        QVERIFY(second.audible.load() > 1000);
        // Gone in the order they were made, the other one still speaks.
        a.reset();
        b->speak(QStringLiteral("Hippo"));
        QVERIFY(QTest::qWaitFor([&] { return second.texts.load() == 2; }, 20000));
        b.reset();
    }

    void aSecondPlatformAfterTheFirstIsDestroyed()
    {
        for (int round = 0; round < 3; ++round) {
            const QString output = dir.filePath(QStringLiteral("device%1.raw").arg(round));
            qputenv("SDL_AUDIODRIVER", "disk");
            qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(output));
            HangGuard guard("a second RealPlatform");
            {
                RealPlatform platform(QStringList{dir.path()});
                platform.speak(QStringLiteral("Duck"));
                // The spoken word reaches the device of this platform.
                QVERIFY2(QTest::qWaitFor(
                             [&output] {
                                 int audible = 0;
                                 for (float s : wav::readFloats(output))
                                     audible += std::abs(s) > 0.01f;
                                 return audible > 1000;
                             },
                             20000),
                         qPrintable(QStringLiteral("round %1").arg(round)));
            }
        }
    }
};

QTEST_MAIN(TestLifecycle)
#include "test_lifecycle.moc"
