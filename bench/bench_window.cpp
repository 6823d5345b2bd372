// zubiko_bench_window [Google Benchmark flags]
//
// The window over the real platform, shown on the X display: how long one event-processing pass and one
// idle processEvents() take, and how long a click on an animal's button takes to the repainted
// frame (the top-level window's update request handled: painted and handed to the display).
// Run it from the folder holding animals/ and sounds/, with DISPLAY set.
#include "bench_common.h"

#include "catalogue/animal_catalogue.h"
#include "platform/real_platform.h"
#include "window/form1.h"
#include "window/widgets.h"

#include <QApplication>
#include <QMouseEvent>

namespace {

// Notes when a frame of the window has been painted and handed on.
class WatchingApplication : public QApplication
{
public:
    using QApplication::QApplication;

    bool notify(QObject *receiver, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        const bool result = QApplication::notify(receiver, event);
        if (type == QEvent::Paint && receiver->objectName() == QLatin1String("imgCenter"))
            pictureFramePainted = true;
        if (type == QEvent::UpdateRequest && pictureFramePainted && !frameDone) {
            frameDone = true;
            frameAt = bench::Clock::now();
        }
        return result;
    }

    bool pictureFramePainted = false;
    bool frameDone = false;
    bench::Clock::time_point frameAt;
};

WatchingApplication *g_app = nullptr;
RealPlatform *g_platform = nullptr;
Form1 *g_window = nullptr;

void settle(int ms)
{
    const auto start = bench::Clock::now();
    while (bench::msSince(start) < ms)
        QCoreApplication::processEvents();
}

void doEventsPass(benchmark::State &state)
{
    for (auto _ : state)
        g_platform->processEventsOnce();
}

void processEventsIdle(benchmark::State &state)
{
    for (auto _ : state)
        QCoreApplication::processEvents();
}

void click(QWidget *widget)
{
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    const QPointF global = widget->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

void clickAnimalToFrame(benchmark::State &state)
{
    static int next = 0;
    for (auto _ : state) {
        const AnimalRow &row = AnimalCatalogue.at(static_cast<std::size_t>(next++ % AnimalCount));
        auto *button = g_window->findChild<ColourButton *>(QLatin1String(row.button));
        settle(30);
        g_app->pictureFramePainted = false;
        g_app->frameDone = false;
        const auto start = bench::Clock::now();
        click(button);
        while (!g_app->frameDone && bench::msSince(start) < 2000)
            QCoreApplication::processEvents();
        if (!g_app->frameDone) {
            state.SkipWithError("no frame with the picture");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(g_app->frameAt - start).count());
    }
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    // The device stays open as in the program; what it plays is of no interest here.
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILE", "/dev/null");
    WatchingApplication app(argc, argv);
    RealPlatform platform;
    Form1 window(platform);
    window.show();
    g_app = &app;
    g_platform = &platform;
    g_window = &window;
    settle(1500);

    bench::withMinMax(benchmark::RegisterBenchmark("doevents_pass_idle", doEventsPass))
        ->Repetitions(5)->Unit(benchmark::kMicrosecond);
    bench::withMinMax(benchmark::RegisterBenchmark("processevents_idle", processEventsIdle))
        ->Repetitions(5)->Unit(benchmark::kMicrosecond);
    bench::withMinMax(benchmark::RegisterBenchmark("click_animal_to_frame", clickAnimalToFrame))
        ->UseManualTime()->Iterations(1)->Repetitions(30)->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
