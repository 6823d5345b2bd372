// Measures the platform's timings (not a test: the figures depend on the machine).
//   platform_figures            DoEvents pauses of 600000, 400000 and 30000 passes, idle window
//   platform_figures latency    sound and speech latency through SDL's disk driver
#include "platform/real_platform.h"

#include "wav_files.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>

#include <cstdio>

namespace {

void pauses(RealPlatform &platform)
{
    QWidget window;
    window.resize(640, 480);
    window.show();
    for (int i = 0; i < 1000; ++i)
        platform.processEventsOnce();
    for (const int passes : {600000, 400000, 30000}) {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < passes; ++i)
            platform.processEventsOnce();
        std::printf("%7d passes: %8.3f s\n", passes, static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
}

// Milliseconds until the device file holds a sample for which `heard` is true, past `from`.
template <typename Heard>
double until(const QString &output, qint64 from, const QElapsedTimer &timer, Heard heard)
{
    while (timer.elapsed() < 5000) {
        const auto samples = wav::readFloats(output);
        for (std::size_t i = static_cast<std::size_t>(from); i < samples.size(); ++i) {
            if (heard(samples[i]))
                return static_cast<double>(timer.nsecsElapsed()) / 1e6;
        }
        QThread::usleep(200);
    }
    return -1;
}

void latency(const QString &dir)
{
    const QString output = dir + QStringLiteral("/device.raw");
    QDir(dir).mkpath(QStringLiteral("sounds"));
    wav::writeConstant(dir + QStringLiteral("/sounds/tone.wav"), 48000, 2, 48000, 8000);
    RealPlatform platform({dir});
    QThread::msleep(500);
    for (int round = 0; round < 5; ++round) {
        qint64 from = static_cast<qint64>(wav::readFloats(output).size());
        QElapsedTimer timer;
        timer.start();
        platform.playSound(QStringLiteral("sounds\\tone.wav"));
        const double sound = until(output, from, timer, [](float s) { return std::abs(s - wav::asFloat(8000)) < 1e-4f; });
        platform.playSound(QString());
        QThread::msleep(100);
        from = static_cast<qint64>(wav::readFloats(output).size());
        timer.restart();
        platform.speak(QStringLiteral("Duck"));
        const double speech = until(output, from, timer, [](float s) { return std::abs(s) > 1e-3f; });
        std::printf("sound %6.1f ms   speech %6.1f ms  (to the device file, one 10.7 ms buffer of resolution)\n", sound, speech);
        QThread::msleep(700);
    }
}

} // namespace

int main(int argc, char **argv)
{
    const bool measureLatency = argc > 1 && QByteArray(argv[1]) == "latency";
    QTemporaryDir dir;
    if (measureLatency) {
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(dir.filePath(QStringLiteral("device.raw"))));
    }
    QApplication app(argc, argv);
    if (measureLatency) {
        latency(dir.path());
    } else {
        RealPlatform platform;
        pauses(platform);
    }
    return 0;
}
