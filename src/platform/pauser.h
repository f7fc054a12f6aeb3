#pragma once
// The protocol's fixed pauses. `pause` is a pause the keyboard needs (0 = give up the rest of the
// time slice); `poll` is a sleep inside a wait loop, which is not part of the protocol.

#include <functional>
#include <vector>

namespace talvex {

class Pauser {
public:
    virtual ~Pauser() = default;
    virtual void pause(int ms) = 0;
    virtual void poll(int ms) = 0;
};

class SleepingPauser final : public Pauser {
public:
    void pause(int ms) override;
    void poll(int ms) override;
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
