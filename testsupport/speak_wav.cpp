// zubiko_speak_wav VOICE OUT.wav TEXT [TEXT...]
//
// Speaks the TEXTs one after another through the program's own Speech (as the window queues
// them: each speak() right after the last) and writes everything the sink received to OUT.wav,
// 16-bit mono at the voice's rate. Prints
//     seconds S first_audible_ms F audible_start_ms A audible_end_ms E
// and then for each text
//     text N audible_start_ms A audible_end_ms E
// F: from the first speak() to the sink receiving the first heard sample; A and E: where the
// first and last heard samples lie in the file (of everything, or of text N). Exit status 1 when
// the voice does not speak.
#include "platform/speech.h"
#include "testsupport/made_files.h"

#include <QCoreApplication>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <utility>
#include <vector>

namespace {

// |sample| above this reaches 1e-3 in the float mix: what counts as heard (as in bench_audio).
constexpr int Audible = 33;

// The heard stretch of pcm[from, to): its first and one past its last heard sample.
std::pair<std::size_t, std::size_t> heard(const std::vector<std::int16_t> &pcm, std::size_t from, std::size_t to)
{
    std::size_t first = from;
    while (first < to && std::abs(pcm[first]) <= Audible)
        ++first;
    std::size_t last = to;
    while (last > first && std::abs(pcm[last - 1]) <= Audible)
        --last;
    return {first, last};
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 4) {
        std::fputs("usage: zubiko_speak_wav VOICE OUT.wav TEXT [TEXT...]\n", stderr);
        return 2;
    }
    const int texts = argc - 3;
    std::mutex mutex;
    std::condition_variable done;
    std::vector<std::int16_t> pcm;
    std::vector<std::size_t> ends; // where each text ends in pcm
    int rate = 0;
    int ended = 0;
    auto start = std::chrono::steady_clock::now();
    double firstAudibleMs = -1;
    Speech speech(
        [&](const std::int16_t *samples, std::size_t count, int sampleRate, bool endOfText) {
            std::lock_guard<std::mutex> lock(mutex);
            rate = sampleRate;
            for (std::size_t i = 0; i < count && firstAudibleMs < 0; ++i) {
                if (std::abs(samples[i]) > Audible)
                    firstAudibleMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            }
            if (count > 0)
                pcm.insert(pcm.end(), samples, samples + count);
            if (endOfText)
                ends.push_back(pcm.size());
            if (endOfText && ++ended == texts)
                done.notify_all();
        },
        QString::fromLocal8Bit(argv[1]));
    if (!speech.waitUntilReady())
        return 1;
    start = std::chrono::steady_clock::now();
    for (int i = 3; i < argc; ++i)
        speech.speak(QString::fromLocal8Bit(argv[i]));
    std::unique_lock<std::mutex> lock(mutex);
    done.wait(lock, [&] { return ended == texts; });
    const auto [first, last] = heard(pcm, 0, pcm.size());
    if (rate <= 0 || first == pcm.size() || !made::write(QString::fromLocal8Bit(argv[2]), made::pcmWav(rate, 1, pcm)))
        return 1;
    const auto ms = [rate](std::size_t samples) { return 1000.0 * static_cast<double>(samples) / rate; };
    std::printf("seconds %.3f first_audible_ms %.1f audible_start_ms %.0f audible_end_ms %.0f\n", ms(pcm.size()) / 1000,
                firstAudibleMs, ms(first), ms(last));
    for (std::size_t i = 0; i < ends.size(); ++i) {
        const auto [from, to] = heard(pcm, i == 0 ? 0 : ends[i - 1], ends[i]);
        std::printf("text %zu audible_start_ms %.0f audible_end_ms %.0f\n", i + 1, ms(from), ms(to));
    }
    return 0;
}
