// A misbehaving keyboard at every point of the two long sequences: unplugged after each report
// of the initial read and of an apply of every part, an acknowledgement lost at each step, and
// nonsense in every response. Each run must end within the acknowledgement bound, and the
// snapshot must change exactly when the apply completed, so the next save resends what the
// keyboard may not hold.

#include "device/sequences.h"
#include "simulated_link.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace talvex {
namespace {

using testing::SimulatedLink;

struct Session {
    SimulatedLink sim;
    DeviceSettings working = zeroSettings();
    DeviceSettings snapshot = zeroSettings();
    DeviceInfo info{};
    FirmwareVersion version{};

    DeviceResult read() { return initialRead(sim.io, working, snapshot, info, version); }
    // Every byte the keyboard holds changed, so every step of an apply is sent.
    void changeEveryPart() {
        for (auto& byte : working.bytes())
            byte ^= 1;
    }
    void fault(const SimulatorFaults& faults) {
        sim.forget();
        sim.pauses.polledMs = 0;
        sim.keyboard->setFaults(faults);
    }
};

// Reports sent and received by one fault-free run of `run` on a fresh session.
template <typename Run> int reportsOf(Run run) {
    Session s;
    EXPECT_TRUE(s.read().ok);
    s.fault({});
    run(s);
    return static_cast<int>(std::count_if(s.sim.lines.begin(), s.sim.lines.end(), [](auto& l) {
        return l.rfind("PAUSE", 0) != 0 && l.rfind("ACK", 0) != 0;
    }));
}

TEST(FaultInjection, UnpluggedAtAnyPointOfTheInitialReadEndsAtOnce) {
    const int reports = reportsOf([](Session& s) { ASSERT_TRUE(s.read().ok); });
    ASSERT_GT(reports, 50);
    for (int after = 0; after <= reports; after += 7) {
        Session s;
        SimulatorFaults faults;
        faults.unplugAfterReports = after;
        s.fault(faults);
        const DeviceResult r = s.read();
        EXPECT_EQ(s.sim.pauses.polledMs, 0) << "unplugged after " << after;
        // Only a read that got every answer becomes the snapshot.
        EXPECT_EQ(r.ok, after == reports) << "unplugged after " << after;
        EXPECT_EQ(s.snapshot, r.ok ? s.working : zeroSettings());
        EXPECT_EQ(s.version[2], 0);
        EXPECT_EQ(s.version[3], 0);
    }
}

TEST(FaultInjection, UnpluggedAtAnyPointOfAnApplyKeepsTheSnapshot) {
    const int reports = reportsOf([](Session& s) {
        s.changeEveryPart();
        ASSERT_TRUE(applyChanges(s.sim.io, s.working, s.snapshot).completed);
    });
    ASSERT_GT(reports, 100);
    for (int after = 0; after < reports; after += 5) {
        Session s;
        ASSERT_TRUE(s.read().ok);
        s.changeEveryPart();
        const DeviceSettings before = s.snapshot;
        SimulatorFaults faults;
        faults.unplugAfterReports = after;
        s.fault(faults);
        const ApplyResult r = applyChanges(s.sim.io, s.working, s.snapshot);
        // The last report closes the lighting without an acknowledgement to miss.
        if (r.completed)
            continue;
        EXPECT_EQ(s.snapshot, before) << "unplugged after " << after;
        // At most one bound, for a step whose acknowledgement went with the keyboard; a report
        // that could not be sent ends the apply at once.
        EXPECT_LE(s.sim.pauses.polledMs, kAckWaitLimitMs + 64 * kAckPollMs);
    }
}

TEST(FaultInjection, EachLostAcknowledgementStopsThatStepAndTheNextApplyFinishes) {
    // Lighting, palette, game mode, rate, response, keys, flags, then the first and last macro
    // slot and the first and last custom layout.
    for (int step : {0, 1, 2, 3, 4, 5, 6, 7, 38, 39, 43}) {
        Session s;
        ASSERT_TRUE(s.read().ok);
        s.changeEveryPart();
        const DeviceSettings before = s.snapshot;
        SimulatorFaults faults;
        faults.dropAckForStep = s.sim.keyboard->writeSteps() + 1 + step;
        s.fault(faults);
        const ApplyResult r = applyChanges(s.sim.io, s.working, s.snapshot);
        ASSERT_FALSE(r.completed) << "step " << step;
        EXPECT_EQ(s.snapshot, before);
        EXPECT_EQ(s.sim.pauses.polledMs, step * kAckPollMs + kAckWaitLimitMs);

        s.fault({});
        ASSERT_TRUE(applyChanges(s.sim.io, s.working, s.snapshot).completed);
        EXPECT_FALSE(computeChanges(s.working, s.sim.keyboard->image()).any()) << "step " << step;
    }
}

TEST(FaultInjection, AnAcknowledgementThatCameTooLateConfirmsNoLaterStep) {
    Session s;
    ASSERT_TRUE(s.read().ok);
    s.working.lightBrightness = 9;
    SimulatorFaults faults;
    faults.lateAckForStep = s.sim.keyboard->writeSteps() + 1;
    // Well past the 2000 polls of the wait, which do not sleep here but each read the events:
    // under sanitizers on a loaded machine they have taken over 300 ms.
    faults.lateAckDelayMs = 1500;
    s.fault(faults);
    ASSERT_FALSE(applyChanges(s.sim.io, s.working, s.snapshot).completed);
    std::this_thread::sleep_for(std::chrono::milliseconds(1600)); // the stray is on its way now

    faults.dropAllAcks = true;
    faults.lateAckForStep = 0;
    s.sim.keyboard->setFaults(faults);
    const ApplyResult r = applyChanges(s.sim.io, s.working, s.snapshot);
    EXPECT_FALSE(r.completed);
    EXPECT_EQ(r.failedStep, ApplyStep::Lighting);
}

TEST(FaultInjection, GarbageResponsesNeverHangAndKeepTheSnapshotRule) {
    Session s;
    SimulatorFaults faults;
    faults.garbageResponses = true;
    s.fault(faults);
    ASSERT_TRUE(s.read().ok); // nonsense, but whole answers: nothing on the wire tells it apart
    EXPECT_EQ(s.snapshot, s.working);
    s.changeEveryPart();
    const DeviceSettings before = s.snapshot;
    const ApplyResult r = applyChanges(s.sim.io, s.working, s.snapshot);
    EXPECT_EQ(s.snapshot == s.working, r.completed);
    EXPECT_EQ(s.snapshot == before, !r.completed);
    EXPECT_LE(s.sim.pauses.polledMs, 44 * (kAckWaitLimitMs + kAckPollMs));
}

} // namespace
} // namespace talvex
