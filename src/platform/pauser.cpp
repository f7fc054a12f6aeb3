#include "platform/pauser.h"

#include <chrono>
#include <thread>

namespace talvex {

void SleepingPauser::pause(int ms) {
    if (ms <= 0)
        std::this_thread::yield();
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void SleepingPauser::poll(int ms) {
    pause(ms);
}

} // namespace talvex
