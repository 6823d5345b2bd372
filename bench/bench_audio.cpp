// zubiko_bench_audio [Google Benchmark flags] NAMES_FILE
//
// 1. Speaks each animal's display name through Speech (flite, the program's default voice)
//    into a buffer and writes one line per name to NAMES_FILE:
//        NAME  TOTAL_MS  AUDIBLE_START_MS  AUDIBLE_END_MS
// 2. Over a RealPlatform whose audio goes to SDL's disk driver, measures how long it takes from
//    playSound and from speak to the first sample of that sound or text in the driver's file,
//    which the driver writes right after the mixer filled each buffer: while the device is open,
//    and after BENCH_SILENCE_SECONDS (60) of silence, when the device has gone to sleep.
#include "bench_common.h"

#include "catalogue/animal_catalogue.h"
#include "platform/platform.h"
#include "platform/real_platform.h"
#include "platform/speech.h"
#include "testsupport/made_files.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <QDir>
#include <QHash>
#include <QTemporaryDir>
#include <QtEndian>

#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace {

// Speech of one text at the voice's rate, and where it can be heard.
struct Spoken
{
    int rate = 0;
    std::vector<std::int16_t> pcm;
    // |sample| above this reaches 1e-3 in the float mix: what counts as heard.
    static constexpr int Audible = 33;

    std::size_t audibleStart() const
    {
        for (std::size_t i = 0; i < pcm.size(); ++i) {
            if (std::abs(pcm[i]) > Audible)
                return i;
        }
        return pcm.size();
    }
    std::size_t audibleEnd() const
    {
        for (std::size_t i = pcm.size(); i > 0; --i) {
            if (std::abs(pcm[i - 1]) > Audible)
                return i;
        }
        return 0;
    }
    double ms(std::size_t samples) const { return 1000.0 * static_cast<double>(samples) / rate; }
};

QHash<QString, Spoken> speakAll(const QStringList &texts)
{
    std::mutex mutex;
    std::condition_variable done;
    Spoken current;
    QHash<QString, Spoken> result;
    int finished = 0;
    Speech speech([&](const std::int16_t *samples, std::size_t count, int rate, bool endOfText) {
        std::lock_guard<std::mutex> lock(mutex);
        current.rate = rate;
        if (samples)
            current.pcm.insert(current.pcm.end(), samples, samples + count);
        if (endOfText) {
            result.insert(texts.at(finished), current);
            current = Spoken();
            ++finished;
            done.notify_all();
        }
    });
    if (!speech.waitUntilReady())
        return {};
    for (const QString &text : texts)
        speech.speak(text);
    std::unique_lock<std::mutex> lock(mutex);
    done.wait_for(lock, std::chrono::seconds(60), [&] { return finished == texts.size(); });
    return result;
}

constexpr std::int16_t ToneValue = 8000;

// Each figure's samples, one per repetition.
constexpr int RepetitionCount = 30;

struct Setup
{
    RealPlatform *platform = nullptr;
    bench::DiskOutput *output = nullptr;
    const QHash<QString, Spoken> *names = nullptr;
    QStringList order;
};
Setup g;

// Sleeps `ms` and a little more, a different amount each time, up to two device periods (the
// driver writes every other period): calls made right after a write, or at whole multiples of the
// period, would all land at the same place in the device's buffer cycle.
void unaligned(int ms)
{
    static int step = 0;
    const auto extra = std::chrono::microseconds((step++ * 3700) % 21300);
    std::this_thread::sleep_for(std::chrono::milliseconds(ms) + extra);
}

// Silence with the event loop running, so that the audio device goes to sleep as in the program;
// then the device's file is read afresh.
void silence(int seconds)
{
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    g.output->markFresh();
}

// The start of an iteration: after `silentSeconds` of silence (the device asleep), or none (the
// device's output marked), at a moment off the device's beat.
bench::Clock::time_point startAfter(int silentSeconds)
{
    if (silentSeconds > 0)
        silence(silentSeconds);
    else
        g.output->mark();
    unaligned(0);
    return bench::Clock::now();
}

// Records one iteration's time from `start` to `reached`; false, with the benchmark stopped and
// `what` said, when nothing reached the device in time.
bool timeIteration(benchmark::State &state, bench::Clock::time_point start, bench::Clock::time_point reached,
                   const char *what)
{
    if (reached == bench::Clock::time_point()) {
        state.SkipWithError(what);
        return false;
    }
    state.SetIterationTime(std::chrono::duration<double>(reached - start).count());
    return true;
}

void soundToFirstSample(benchmark::State &state, int silentSeconds)
{
    const float tone = static_cast<float>(ToneValue) / 32768.0f;
    for (auto _ : state) {
        g.platform->playSound(QString());
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        const auto start = startAfter(silentSeconds);
        g.platform->playSound(QStringLiteral("sounds\\bench_tone.wav"));
        const auto heard = g.output->waitFor(
            [tone](const std::vector<float> &s) {
                for (std::size_t i = 0; i < s.size(); ++i) {
                    if (std::abs(s[i] - tone) < 1e-4f)
                        return static_cast<long>(i);
                }
                return -1L;
            },
            2000);
        if (!timeIteration(state, start, heard, "the sound never reached the device"))
            break;
    }
    g.platform->playSound(QString());
}

// A voice often begins a text with silence, so the first sample of a text is found back from its
// first heard sample: less the silence before it in the voice's own output, rounded to the start
// of a device buffer (a text that finds the speech channel idle starts at the start of a buffer;
// the rounding absorbs how the resampler moves the first heard sample by a few frames).
void speakToFirstSample(benchmark::State &state, int silentSeconds)
{
    static int next = 0;
    for (auto _ : state) {
        const QString name = g.order.at(next++ % g.order.size());
        const Spoken &spoken = g.names->value(name);
        const long leadFrames = std::lround(static_cast<double>(spoken.audibleStart()) * 48000.0 / spoken.rate);
        const auto start = startAfter(silentSeconds);
        g.platform->speak(name);
        const auto first = g.output->waitFor(
            [leadFrames](const std::vector<float> &s) {
                for (std::size_t i = 0; i < s.size(); ++i) {
                    if (std::abs(s[i]) > 1e-3f) {
                        const long buffer = 2 * 512;
                        const long estimate = static_cast<long>(i) - 2 * leadFrames;
                        return std::max(0L, (estimate + buffer / 2) / buffer * buffer);
                    }
                }
                return -1L;
            },
            3000);
        if (!timeIteration(state, start, first, "the speech never reached the device"))
            break;
        // Let the name end before the next one.
        unaligned(static_cast<int>(spoken.ms(spoken.pcm.size())) + 150);
    }
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (argc != 2) {
        std::fputs("usage: zubiko_bench_audio [benchmark flags] NAMES_FILE\n", stderr);
        return 2;
    }
    QTemporaryDir dir;
    const QString device = dir.filePath(QStringLiteral("device.raw"));
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(device));
    QCoreApplication app(argc, argv);

    QStringList names;
    for (const AnimalRow &row : AnimalCatalogue)
        names << QLatin1String(row.displayName);
    const QHash<QString, Spoken> spoken = speakAll(names);
    if (spoken.size() != names.size()) {
        std::fputs("zubiko_bench_audio: the voice did not speak every name\n", stderr);
        return 1;
    }
    QFile table(QString::fromLocal8Bit(argv[1]));
    if (!table.open(QIODevice::WriteOnly | QIODevice::Text))
        return 1;
    for (const QString &name : names) {
        const Spoken &s = spoken[name];
        table.write(QStringLiteral("%1 %2 %3 %4\n")
                        .arg(name)
                        .arg(s.ms(s.pcm.size()), 0, 'f', 1)
                        .arg(s.ms(s.audibleStart()), 0, 'f', 1)
                        .arg(s.ms(s.audibleEnd()), 0, 'f', 1)
                        .toUtf8());
    }
    table.close();

    // A tone of one known sample value, in the first sounds folder so that it is preloaded as the
    // program's own sounds are; pictures and the rest from the working directory.
    QDir(dir.path()).mkpath(QStringLiteral("sounds"));
    made::write(dir.filePath(QStringLiteral("sounds/bench_tone.wav")), made::wav(48000, 24000, {ToneValue, ToneValue}));
    RealPlatform platform({dir.path(), QStringLiteral(".")});
    platform.processEventsOnce(); // as the window's first pause: the voice is loaded, the sounds decoded
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    bench::DiskOutput output(device, 512 * 2, 512 * 1000.0 / 48000);
    g = {&platform, &output, &spoken, names};

    bench::withMinMax(benchmark::RegisterBenchmark("sound_call_to_first_sample", soundToFirstSample, 0))
        ->UseManualTime()->Iterations(1)->Repetitions(RepetitionCount)->Unit(benchmark::kMillisecond);
    bench::withMinMax(benchmark::RegisterBenchmark("speak_call_to_first_sample", speakToFirstSample, 0))
        ->UseManualTime()->Iterations(1)->Repetitions(RepetitionCount)->Unit(benchmark::kMillisecond);
    const int silent = qEnvironmentVariableIsSet("BENCH_SILENCE_SECONDS") ? qEnvironmentVariableIntValue("BENCH_SILENCE_SECONDS") : 60;
    bench::withMinMax(benchmark::RegisterBenchmark("sound_after_silence_to_first_sample", soundToFirstSample, silent))
        ->UseManualTime()->Iterations(1)->Repetitions(1)->Unit(benchmark::kMillisecond);
    bench::withMinMax(benchmark::RegisterBenchmark("speak_after_silence_to_first_sample", speakToFirstSample, silent))
        ->UseManualTime()->Iterations(1)->Repetitions(1)->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
