#include "cli/event_pump.h"

#include <chrono>

namespace talvex {

void EventPumpingPauser::poll(int ms) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        const InputResult result = readOneEvent(events, ackFlag, {}, left > 0 ? int(left) : 0);
        if (result == InputResult::Error) {
            inner.poll(left > 0 ? int(left) : 0);
            return;
        }
        if (result == InputResult::Timeout || ackFlag || left <= 0)
            return;
    }
}

} // namespace talvex
