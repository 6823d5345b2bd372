#include "platform/event_pump.h"

#include <QCoreApplication>

void EventPump::pass()
{
    const auto start = std::chrono::steady_clock::now();
    do {
        QCoreApplication::processEvents();
    } while (std::chrono::steady_clock::now() - start < kMinimumPass);
}
