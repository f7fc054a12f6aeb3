#include "cli/event_pump.h"

#include <chrono>

namespace talvex {

bool EventPumpingPauser::readWaiting() {
    for (;;) {
        const InputResult result = readOneEvent(events, ackCount, {}, 0);
        if (result != InputResult::Report)
            return result != InputResult::Error;
    }
}

void EventPumpingPauser::poll(int ms) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    const std::uint32_t before = ackCount.load();
    if (!readWaiting()) {
        inner.poll(ms);
        return;
    }
    while (ackCount.load() == before) {
        // Rounded up: a wait loop counts its polls as whole milliseconds, so a poll that ended
        // early would shorten the acknowledgement bound.
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0)
            return;
        const InputResult result = readOneEvent(events, ackCount, {}, static_cast<int>(left));
        if (result == InputResult::Error) {
            inner.poll(static_cast<int>(left));
            return;
        }
        if (result == InputResult::Timeout)
            return;
    }
}

} // namespace talvex
