#pragma once
// The keyboard's pauses as a test steps through a request: once held, the device thread stops at
// each protocol pause until the test lets one more pass, so the test sees the window at a step
// of its choosing, never by timing. The sleeps of an acknowledgement wait stay real.

#include "platform/pauser.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace talvex::testing {

class SteppingPauser final : public Pauser {
public:
    void pause(int) override {
        std::unique_lock lock(mutex_);
        if (!holding_)
            return;
        held_ = true;
        changed_.notify_all();
        changed_.wait(lock, [this] { return passes_ > 0 || !holding_; });
        passes_ -= passes_ > 0;
        held_ = false;
    }
    void poll(int ms) override { sleeper_.poll(ms); }

    void hold(bool holding = true) {
        std::lock_guard lock(mutex_);
        holding_ = holding;
        changed_.notify_all();
    }
    // Lets the device thread on, one pause at a time, until `seen` holds; `deliver` first runs
    // what it posted before it stopped (the test's event loop). False when it stops no more.
    template <typename Deliver, typename Seen> bool stepUntil(Deliver deliver, Seen seen) {
        for (std::unique_lock lock(mutex_);; ++passes_, held_ = false, changed_.notify_all()) {
            if (!changed_.wait_for(lock, std::chrono::seconds(5), [this] { return held_; }))
                return false;
            lock.unlock();
            deliver();
            if (seen())
                return true;
            lock.lock();
        }
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool holding_ = false, held_ = false;
    int passes_ = 0;
    SleepingPauser sleeper_;
};

} // namespace talvex::testing
