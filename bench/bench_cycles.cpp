// zubiko_bench_cycles [CYCLES]
//
// Resident memory of the window over many bar cycles (a click that says the name and plays the
// sound, a click that brings the next animal). Speech, sounds and pictures are the real ones; only
// the passes of the pauses are instant (events are processed every few thousand passes), so that
// 1,000 cycles take seconds instead of twenty minutes; a few milliseconds after each click keep
// the speech from piling up. The audio goes to SDL's disk driver with no delay between buffers,
// so that the mixer too keeps up with the instant pauses. Growth is counted from the first pause
// on: the first pass starts the platform's background work (the voice, the sounds decoded), as in
// the program, and the start figure is taken once that work is done, so that what start-up
// loads is not counted as growth.
// Prints: cycles N seconds S rss_start_kb A rss_100_kb B rss_end_kb C
#include "bench_common.h"

#include "platform/real_platform.h"
#include "window/form1.h"
#include "window/widgets.h"

#include <QApplication>

#include <malloc.h>

namespace {

class InstantPasses : public Platform
{
public:
    explicit InstantPasses(RealPlatform &real) : m_real(real) {}

    void speak(const QString &text) override { m_real.speak(text); }
    void playSound(const QString &path) override { m_real.playSound(path); }
    QPixmap loadPicture(const QString &path) override { return m_real.loadPicture(path); }
    void openExternal(const QString &) override {}
    void processEventsOnce() override
    {
        if (m_passes == 0)
            m_real.processEventsOnce(); // the first pass starts the background work
        if (++m_passes % 4000 == 0)
            QCoreApplication::processEvents();
    }
    QDateTime now() override { return m_real.now(); }
    QString osVersion() override { return m_real.osVersion(); }
    void reseedRandom() override { m_real.reseedRandom(); }
    float nextRandom() override { return m_real.nextRandom(); }

private:
    RealPlatform &m_real;
    long m_passes = 0;
};

constexpr int PaceMs = 8;

void settle(int ms)
{
    const auto start = bench::Clock::now();
    while (bench::msSince(start) < ms) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", "/dev/null");
    qputenv("SDL_DISKAUDIODELAY", "0");
    QApplication app(argc, argv);
    const int cycles = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;

    RealPlatform real;
    InstantPasses platform(real);
    Form1 window(platform);
    window.show();
    real.waitForPreload();
    settle(3000);
    const long startKb = bench::residentKb();

    auto *bar = window.findChild<ColourButton *>(QStringLiteral("cmd123"));
    long at100Kb = -1;
    const auto start = bench::Clock::now();
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        // A few milliseconds after each click let speech and mixing keep pace, as they do when a
        // cycle lasts more than a second: without them the speech of hundreds of names piles up.
        bar->click(); // name, then the sound
        settle(PaceMs);
        bar->click(); // the next animal
        settle(PaceMs);
        if (cycle == 100)
            at100Kb = bench::residentKb();
    }
    const double seconds = bench::msSince(start) / 1000.0;
    for (int i = 0; i < 15 && qEnvironmentVariableIsSet("ZUBIKO_BENCH_DEBUG"); ++i) {
        settle(1000);
        std::fprintf(stderr, "after %d s: %ld kB\n", i + 1, bench::residentKb());
    }
    settle(5000); // what is still being spoken and played ends
    std::printf("cycles %d seconds %.1f rss_start_kb %ld rss_100_kb %ld rss_end_kb %ld\n", cycles, seconds, startKb,
                at100Kb, bench::residentKb());
    if (qEnvironmentVariableIsSet("ZUBIKO_BENCH_DEBUG")) {
        malloc_trim(0);
        std::fprintf(stderr, "after malloc_trim: %ld kB\n", bench::residentKb());
    }
    return 0;
}
