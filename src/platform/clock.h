#pragma once
// A steady clock behind an interface, so timing rules (macro delays, waits) test without sleeping.

#include <chrono>
#include <cstdint>

namespace talvex {

class SteadyClock {
public:
    virtual ~SteadyClock() = default;
    virtual std::chrono::steady_clock::time_point now() const = 0;
};

class SystemSteadyClock final : public SteadyClock {
public:
    std::chrono::steady_clock::time_point now() const override {
        return std::chrono::steady_clock::now();
    }
};

// A clock that moves only when told to.
class ManualClock final : public SteadyClock {
public:
    std::chrono::steady_clock::time_point now() const override { return current; }
    void advance(std::chrono::microseconds d) { current += d; }
    void advanceMs(std::int64_t ms) { current += std::chrono::milliseconds(ms); }

private:
    std::chrono::steady_clock::time_point current{};
};

} // namespace talvex
