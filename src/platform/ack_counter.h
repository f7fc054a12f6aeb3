#pragma once
// The acknowledgements the keyboard's event channel has delivered. The event reader counts them
// on its own thread and wakes the sequence that waits for one, so a step goes on as soon as the
// keyboard confirms it rather than at the next turn of a polling loop.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace talvex {

class AckCounter {
public:
    std::uint32_t load() const { return count_.load(); }

    // One more acknowledgement; wakes whoever waits for it.
    AckCounter& operator++() {
        {
            // Taken so that a waiter between its check and its sleep cannot miss the wake-up.
            std::lock_guard<std::mutex> lock(mutex_);
            ++count_;
        }
        changed_.notify_all();
        return *this;
    }

    // Waits until the count is no longer `seen` or `timeout` has passed; true when it changed.
    bool waitForChange(std::uint32_t seen, std::chrono::milliseconds timeout) {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return count_.load() != seen; });
    }

private:
    std::atomic<std::uint32_t> count_{0};
    std::mutex mutex_;
    std::condition_variable changed_;
};

} // namespace talvex
