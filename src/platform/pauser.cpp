#include "platform/pauser.h"

#include <cerrno>
#include <ctime>
#include <sys/prctl.h>
#include <thread>

namespace talvex {

namespace {

class MonotonicPauseClock final : public PauseClock {
public:
    Time now() override {
        timespec ts{};
        ::clock_gettime(CLOCK_MONOTONIC, &ts);
        return std::chrono::seconds(ts.tv_sec) + std::chrono::nanoseconds(ts.tv_nsec);
    }

    void sleepUntil(Time deadline) override {
        // The default slack of 50 us would be added to every one of a save's pauses.
        thread_local const bool leastSlack = ::prctl(PR_SET_TIMERSLACK, 1UL) == 0;
        (void)leastSlack;
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(deadline);
        timespec ts{};
        ts.tv_sec = static_cast<time_t>(seconds.count());
        ts.tv_nsec = static_cast<long>((deadline - seconds).count());
        while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
        }
    }
};

} // namespace

PauseClock& monotonicPauseClock() {
    static MonotonicPauseClock clock;
    return clock;
}

void SleepingPauser::pause(int ms) {
    if (ms <= 0) {
        std::this_thread::yield();
        return;
    }
    PauseClock::Time start = sentAt_ ? *sentAt_ : clock_.now();
    if (lastDeadline_ && *lastDeadline_ > start)
        start = *lastDeadline_;
    const PauseClock::Time deadline = start + std::chrono::milliseconds(ms);
    clock_.sleepUntil(deadline);
    lastDeadline_ = deadline;
}

void SleepingPauser::poll(int ms) {
    if (ms <= 0)
        std::this_thread::yield();
    else
        clock_.sleepUntil(clock_.now() + std::chrono::milliseconds(ms));
}

} // namespace talvex
