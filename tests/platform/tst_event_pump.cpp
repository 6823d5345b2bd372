#include "platform/event_pump.h"

#include <QtTest>

#include <functional>
#include <map>

using namespace std::chrono_literals;
using Clock = EventPump::Clock;

// A clock that moves only while the pump waits or a handler works, and events due at set times:
// a wait ends at the first event due within it.
class FakeLoop : public EventPump::Loop
{
public:
    Clock::time_point t{1h};
    int waits = 0;
    Clock::duration blocked{};
    std::multimap<Clock::time_point, std::function<void()>> events;

    Clock::time_point now() override { return t; }
    // Runs the events due by now.
    void handlePending() override
    {
        while (!events.empty() && events.begin()->first <= t) {
            const auto event = events.begin()->second;
            events.erase(events.begin());
            event();
        }
    }
    Clock::duration waitForEvents(std::chrono::milliseconds longest) override
    {
        ++waits;
        const Clock::duration before = blocked;
        const Clock::time_point until = events.empty() ? t + longest : std::clamp(events.begin()->first, t, t + longest);
        blocked += until - t;
        t = until;
        handlePending();
        return blocked - before;
    }
};

class EventPumpTest : public QObject
{
    Q_OBJECT

private slots:
    // Each pause starts after a second of idle, with a click pending: the first pass handles it
    // without waiting. `clickAt`: a click that comes in the middle of a wait; its handler takes
    // `handlerMs` of its own and runs a pause of `nested` passes.
    void pausesTakeTheirTime_data()
    {
        QTest::addColumn<int>("passes");
        QTest::addColumn<double>("clickAt");
        QTest::addColumn<int>("handlerMs");
        QTest::addColumn<int>("nested");
        QTest::addColumn<double>("expectedMs");
        QTest::newRow("long pause") << 400000 << -1.0 << 0 << 0 << 1200.0;
        QTest::newRow("a click whose handler takes 30 ms") << 400000 << 500.3 << 30 << 0 << 1230.0;
        QTest::newRow("a short pause inside a long one") << 400000 << 500.3 << 0 << 30000 << 1290.0;
    }
    void pausesTakeTheirTime()
    {
        QFETCH(int, passes);
        QFETCH(double, clickAt);
        QFETCH(int, handlerMs);
        QFETCH(int, nested);
        QFETCH(double, expectedMs);
        FakeLoop loop;
        EventPump pump(loop);
        for (int i = 0; i < 1000; ++i)
            pump.pass();
        const Clock::time_point start = loop.t += 1s;
        const auto clickDue = start + std::chrono::duration_cast<Clock::duration>(clickAt * 1ms);
        Clock::time_point pendingHandled{}, clickHandled{};
        loop.events.emplace(start, [&] { pendingHandled = loop.t; });
        loop.events.emplace(clickAt < 0 ? Clock::time_point::max() : clickDue, [&] {
            clickHandled = loop.t;
            loop.t += handlerMs * 1ms;
            for (int i = 0; i < nested; ++i)
                pump.pass();
        });
        const int waitsBefore = loop.waits;
        pump.pass();
        QVERIFY(pendingHandled == start && loop.t == start);
        for (int i = 1; i < passes; ++i)
            pump.pass();

        const double took = std::chrono::duration<double, std::milli>(loop.t - start).count();
        QVERIFY2(std::abs(took - expectedMs) <= expectedMs / 100, qPrintable(QString::number(took)));
        // It waits in steps of about 2 ms, not in a busy loop.
        const int waits = loop.waits - waitsBefore;
        QVERIFY2(waits <= expectedMs / 2 + 1, qPrintable(QString::number(waits)));
        QVERIFY(clickAt < 0 || (clickHandled >= clickDue && clickHandled - clickDue <= 2ms));
    }
};

QTEST_GUILESS_MAIN(EventPumpTest)
#include "tst_event_pump.moc"
