#pragma once
// The protocol's fixed pauses. `pause` is a pause the keyboard needs (0 = give up the rest of the
// time slice); `poll` is a sleep inside a wait loop, which is not part of the protocol.

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

namespace talvex {

class Pauser {
public:
    virtual ~Pauser() = default;
    // A report has just gone out (or come in): the pause after it counts from now.
    virtual void reportSent() {}
    virtual void pause(int ms) = 0;
    virtual void poll(int ms) = 0;
};

// The clock pauses are measured and slept on: the monotonic one, or a test's.
class PauseClock {
public:
    using Time = std::chrono::nanoseconds; // since an arbitrary start
    virtual ~PauseClock() = default;
    virtual Time now() = 0;
    virtual void sleepUntil(Time deadline) = 0;
};

// CLOCK_MONOTONIC, slept on to an absolute time with the least timer slack the thread may have.
PauseClock& monotonicPauseClock();

// Each pause ends at its start plus its length, its start being the later of the moment its
// report went out and the end of the pause before it. So the time a report spends on the bus
// never eats into its pause, two pauses after one report add up exactly, and a late wake-up
// is never made up for by cutting the next pause short.
class SleepingPauser final : public Pauser {
public:
    explicit SleepingPauser(PauseClock& clock = monotonicPauseClock()) : clock_(clock) {}
    void reportSent() override { sentAt_ = clock_.now(); }
    void pause(int ms) override;
    void poll(int ms) override;

private:
    PauseClock& clock_;
    std::optional<PauseClock::Time> sentAt_;
    std::optional<PauseClock::Time> lastDeadline_;
};

// For the simulated keyboard, which needs no time between reports: protocol pauses are skipped,
// the sleeps of a wait loop are real.
class InstantPauser final : public Pauser {
public:
    void pause(int) override {}
    void poll(int ms) override { sleeper.poll(ms); }

private:
    SleepingPauser sleeper;
};

// Records every pause and sleeps for none. `onPoll`, when set, runs at each poll so a test can
// let the other side act while a wait loop spins.
class RecordingPauser final : public Pauser {
public:
    void pause(int ms) override { pauses.push_back(ms); }
    void poll(int ms) override {
        polledMs += ms;
        if (onPoll)
            onPoll();
    }

    std::vector<int> pauses;
    long long polledMs = 0;
    std::function<void()> onPoll;
};

} // namespace talvex
