// Every pause of the real sequences against a clock that records instead of sleeping: each ends
// at the later of its report's moment and the previous pause's end, plus its length, however
// long the reports take on the bus and however late each wake-up comes.
#include "device/event_reader.h"
#include "device/sequences.h"
#include "simulator/simulated_keyboard.h"
#include "simulator/simulator_backend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace talvex {
namespace {

using Time = PauseClock::Time;
using std::chrono::microseconds;
using std::chrono::milliseconds;

// Wakes up late by a varying amount, as a loaded machine does.
class LateClock final : public PauseClock {
public:
    Time now() override { return t; }
    void sleepUntil(Time deadline) override {
        deadlines.push_back(deadline);
        t = std::max(t, deadline) + microseconds(37 * (deadlines.size() % 7));
    }
    Time t{milliseconds(1000)};
    std::vector<Time> deadlines;
};

// The bus: every report takes 300 us, and its moment is noted here, apart from the pauser.
class SlowBus final : public HidChannel {
public:
    SlowBus(HidChannel& inner, LateClock& clock) : inner(inner), clock(clock) {}
    bool setFeature(std::span<const std::uint8_t, kFeatureReportSize> r) override {
        return done(inner.setFeature(r));
    }
    bool getFeature(std::span<std::uint8_t, kFeatureReportSize> r) override {
        return done(inner.getFeature(r));
    }
    bool writeData(std::span<const std::uint8_t, kDataReportSize> r) override {
        return done(inner.writeData(r));
    }
    bool readData(std::span<std::uint8_t, kDataReportSize> r) override {
        return done(inner.readData(r));
    }
    InputResult readInput(std::span<std::uint8_t, kInputReportSize> r, int ms) override {
        return inner.readInput(r, ms);
    }
    bool done(bool ok) {
        clock.t += microseconds(300);
        lastReport = clock.t;
        return ok;
    }
    HidChannel& inner;
    LateClock& clock;
    Time lastReport{};
};

// Notes each pause with the moment of the report before it, and reads the events while an
// acknowledgement wait polls.
class NotingPauser final : public Pauser {
public:
    NotingPauser(SleepingPauser& inner, SlowBus& bus, DeviceLink& link)
        : inner(inner), bus(bus), link(link) {}
    void reportSent() override { inner.reportSent(); }
    void pause(int ms) override {
        inner.pause(ms);
        if (ms > 0)
            pauses.push_back({bus.lastReport, ms, bus.clock.deadlines.back()});
    }
    void poll(int ms) override {
        while (readOneEvent(*link.eventHandle, link.ackCount, {}, 0) == InputResult::Report) {
        }
        inner.poll(ms);
    }
    struct Noted {
        Time report;
        int ms;
        Time deadline;
    };
    std::vector<Noted> pauses;
    SleepingPauser& inner;
    SlowBus& bus;
    DeviceLink& link;
};

TEST(PauseDeadlines, EveryPauseOfTheSequencesCountsFromItsReportOrThePauseBefore) {
    auto keyboard = std::make_shared<SimulatedKeyboard>();
    SimulatorBackend backend(keyboard);
    DeviceLink link;
    ASSERT_EQ(openKeyboard(backend, link), KeyboardPresence::Open);
    LateClock clock;
    SlowBus bus(*link.commandHandle, clock);
    SleepingPauser sleeper(clock);
    NotingPauser pauser(sleeper, bus, link);
    DeviceIo io{bus, pauser, link.ackCount};

    DeviceSettings working = zeroSettings(), snapshot = zeroSettings();
    ASSERT_TRUE(readAllSettings(io, snapshot).ok);
    working = snapshot;
    working.lightBrightness = 7; // stage 1 of the lighting: 10 ms twice after one report
    working.palette[0] ^= 1;
    working.keyTable[40] ^= 1;
    ASSERT_TRUE(applyChanges(io, working, snapshot).completed);
    ASSERT_TRUE(resetDevice(io).ok); // 20 ms and 300 ms after one report

    Time previous{};
    std::size_t followingAnotherPause = 0;
    for (const auto& pause : pauser.pauses) {
        EXPECT_EQ(pause.deadline, std::max(pause.report, previous) + milliseconds(pause.ms));
        followingAnotherPause += previous > pause.report ? 1 : 0;
        previous = pause.deadline;
    }
    // The lighting's stage 1 (10 + 10) and the reset's confirmations (20 + 300, twice).
    EXPECT_GE(followingAnotherPause, 3u);
    EXPECT_GT(pauser.pauses.size(), 40u);
}

} // namespace
} // namespace talvex
