#include "device/commands.h"
#include "device/sequences.h"
#include "simulated_link.h"

#include <gtest/gtest.h>

namespace talvex {
namespace {

using testing::SimulatedLink;

// Settings as the simulated keyboard holds them, read the way the window would.
struct Saved {
    SimulatedLink sim;
    DeviceSettings working = zeroSettings();
    DeviceSettings snapshot = zeroSettings();

    Saved() {
        DeviceInfo info;
        FirmwareVersion version;
        EXPECT_TRUE(initialRead(sim.io, working, snapshot, info, version).ok);
        sim.forget();
    }
    ApplyResult apply() { return applyChanges(sim.io, working, snapshot); }
};

std::size_t countStartingWith(const std::vector<std::string>& lines, const std::string& prefix) {
    std::size_t n = 0;
    for (const auto& l : lines)
        n += l.rfind(prefix, 0) == 0;
    return n;
}

TEST(Sequences, InitialReadMirrorsTheKeyboardAndFillsTheSnapshot) {
    SimulatedLink sim;
    DeviceSettings working = zeroSettings(), snapshot = zeroSettings();
    working.reserved1[0] = 0x77; // fields the keyboard does not hold survive
    DeviceInfo info{};
    FirmwareVersion version{};
    ASSERT_TRUE(initialRead(sim.io, working, snapshot, info, version).ok);
    DeviceSettings expected = factorySettings();
    expected.reserved1[0] = 0x77;
    expected.gameMode = 1; // the read starts by switching game mode on
    EXPECT_EQ(working, expected);
    EXPECT_EQ(snapshot, working);
    EXPECT_EQ(version, (FirmwareVersion{1, 3, 0, 0}));
    EXPECT_EQ(sim.lines.front(), "SET 00 09 01 00 00 00 00 00 f5");
    EXPECT_EQ(sim.lines[2], "SET 00 80 00 00 00 00 00 00 7f");
    // A yield after each of the 32 macro slots, besides the zero pauses of two reads.
    EXPECT_EQ(std::count(sim.pauses.pauses.begin(), sim.pauses.pauses.end(), 0), 32 + 2);
}

TEST(Sequences, ReadAllSettingsReadsEverySectionInOrder) {
    SimulatedLink sim;
    DeviceSettings s = zeroSettings();
    ASSERT_TRUE(readAllSettings(sim.io, s).ok);
    EXPECT_EQ(sim.lines[0], "SET 00 09 01 00 00 00 00 00 f5");
    EXPECT_EQ(sim.lines[1], "PAUSE 20");
    EXPECT_EQ(sim.lines[2], "PAUSE 10");
    EXPECT_EQ(sim.lines[3], "SET 00 88 00 00 00 00 00 00 77");
    EXPECT_EQ(countStartingWith(sim.lines, "SET 00 80"), 0u);
    EXPECT_EQ(countStartingWith(sim.lines, "SET 00 94"), 7u);
    EXPECT_EQ(countStartingWith(sim.lines, "SET 00 91"), 32u);
    EXPECT_EQ(countStartingWith(sim.lines, "SET 00 92"), 5u);
    EXPECT_EQ(countStartingWith(sim.lines, "READ "), 8u + 1u + 32u * 3u + 5u * 8u);
    EXPECT_EQ(s.keyTable, factorySettings().keyTable);
}

TEST(Sequences, ResetSendsTheRequestThenGameModeTwice) {
    SimulatedLink sim;
    ASSERT_TRUE(resetDevice(sim.io).ok);
    const std::vector<std::string> expected = {"SET 00 13 ff 00 00 00 00 00 ed",
                                               "PAUSE 300",
                                               "SET 00 09 01 00 00 00 00 00 f5",
                                               "PAUSE 20",
                                               "PAUSE 300",
                                               "SET 00 09 01 00 00 00 00 00 f5",
                                               "PAUSE 20",
                                               "PAUSE 300"};
    EXPECT_EQ(sim.lines, expected);
}

TEST(Apply, NoChangeSendsNothing) {
    Saved saved;
    const DeviceSettings before = saved.snapshot;
    const ApplyResult r = saved.apply();
    EXPECT_TRUE(r.completed);
    EXPECT_FALSE(r.sentAnything);
    EXPECT_TRUE(saved.sim.lines.empty());
    EXPECT_EQ(saved.snapshot, before);
}

TEST(Apply, BrightnessOnlySendsStageOneWithZeroThenStageTwo) {
    Saved saved;
    saved.working.lightBrightness = 20;
    // factory: effect 1, speed 5 (5 on the wire), colour 1, direction 1
    const std::vector<std::string> expected = {
        "SET 00 08 01 01 05 00 01 01 ee", "PAUSE 10", "PAUSE 10", "ACK",
        "SET 00 08 02 01 05 14 01 01 d9", "PAUSE 10"};
    EXPECT_TRUE(saved.apply().completed);
    EXPECT_EQ(saved.sim.lines, expected);
    EXPECT_EQ(saved.snapshot, saved.working);
    EXPECT_EQ(saved.sim.keyboard->image().lightBrightness, 20);
}

TEST(Apply, OneKeyColourInLayoutTwoSendsOnlyThatLayout) {
    Saved saved;
    saved.working.customLayout(2)[4 * 42 + 1] = 0xFF;
    ASSERT_TRUE(saved.apply().completed);
    const auto& l = saved.sim.lines;
    EXPECT_EQ(countStartingWith(l, "SET "), 3u);
    EXPECT_EQ(countStartingWith(l, "SET 00 08 01"), 1u);
    EXPECT_EQ(countStartingWith(l, "SET 00 12 00 02 08 00 00 00 e3"), 1u);
    EXPECT_EQ(countStartingWith(l, "WRITE "), 8u);
    EXPECT_EQ(countStartingWith(l, "ACK"), 2u);
    EXPECT_EQ(l[l.size() - 2], "SET 00 08 02 01 05 32 01 01 bb");
    EXPECT_EQ(saved.sim.keyboard->image().customLayout(2)[4 * 42 + 1], 0xFF);
}

TEST(Apply, WindowsKeyLockSendsTheKeyFlags) {
    Saved saved;
    saved.working.winLock = 1;
    ASSERT_TRUE(saved.apply().completed);
    const auto& l = saved.sim.lines;
    EXPECT_EQ(countStartingWith(l, "SET 00 0e 00 00 15 00 00 00 dc"), 1u);
    EXPECT_EQ(countStartingWith(l, "WRITE "), 1u);
    EXPECT_EQ(countStartingWith(l, "SET "), 3u);
    EXPECT_EQ(saved.sim.keyboard->image().keyFlags[1], 0x3E);
}

TEST(Apply, MacroSlotsGoInOrderEachWithItsOwnAcknowledgement) {
    Saved saved;
    saved.working.gameMode = 0;
    saved.working.macroSlot(17)[0] = 0x81;
    saved.working.macroSlot(3)[0] = 0x82;
    ASSERT_TRUE(saved.apply().completed);
    std::vector<std::string> steps;
    for (const auto& line : saved.sim.lines)
        if (line.rfind("SET ", 0) == 0 || line == "ACK")
            steps.push_back(line.substr(0, 12));
    const std::vector<std::string> expected = {"SET 00 08 01", "ACK",          "SET 00 09 00",
                                               "ACK",          "SET 00 11 00", "ACK",
                                               "SET 00 11 00", "ACK",          "SET 00 08 02"};
    EXPECT_EQ(steps, expected);
    EXPECT_EQ(countStartingWith(saved.sim.lines, "SET 00 11 00 03 03"), 1u);
    const auto first = std::find_if(saved.sim.lines.begin(), saved.sim.lines.end(),
                                    [](auto& l) { return l.rfind("SET 00 11", 0) == 0; });
    EXPECT_EQ(first->substr(0, 18), "SET 00 11 00 03 03");
}

TEST(Apply, MissingAcknowledgementStopsWithinTheBoundAndKeepsTheSnapshot) {
    Saved saved;
    saved.working.lightBrightness = 10;
    saved.working.keyTable[0] = 9;
    saved.working.macroSlot(0)[0] = 1;
    const DeviceSettings snapshotBefore = saved.snapshot;
    SimulatorFaults faults;
    faults.dropAckForStep = saved.sim.keyboard->writeSteps() + 2; // the key table's
    saved.sim.keyboard->setFaults(faults);

    const ApplyResult r = saved.apply();
    EXPECT_FALSE(r.completed);
    EXPECT_EQ(r.failedStep, ApplyStep::KeyTable);
    EXPECT_EQ(r.describeFailure(), "key table");
    EXPECT_EQ(saved.sim.lines.back(), "ACK-TIMEOUT");
    // One poll for the acknowledged lighting step, then the whole bound.
    EXPECT_EQ(saved.sim.pauses.polledMs, kAckPollMs + kAckWaitLimitMs);
    EXPECT_EQ(saved.snapshot, snapshotBefore);

    // The next save sends the same parts again.
    saved.sim.forget();
    saved.sim.keyboard->setFaults({});
    EXPECT_TRUE(saved.apply().completed);
    EXPECT_EQ(countStartingWith(saved.sim.lines, "SET 00 0d"), 1u);
    EXPECT_EQ(countStartingWith(saved.sim.lines, "SET 00 11"), 1u);
    EXPECT_EQ(saved.snapshot, saved.working);
}

TEST(Apply, UnpluggedMidApplyStopsAtTheReportThatFailed) {
    Saved saved;
    for (std::size_t n = 0; n < kMacroSlotCount; ++n)
        saved.working.macroSlot(n)[0] = static_cast<std::uint8_t>(n + 1);
    const DeviceSettings snapshotBefore = saved.snapshot;
    SimulatorFaults faults;
    faults.unplugAfterReports = 12;
    saved.sim.keyboard->setFaults(faults);
    const ApplyResult r = saved.apply();
    EXPECT_FALSE(r.completed);
    EXPECT_EQ(r.failedStep, ApplyStep::MacroSlot);
    EXPECT_EQ(r.failedIndex, 2u);
    // A report that cannot be sent fails its step at once: no acknowledgement to wait for.
    EXPECT_EQ(saved.sim.pauses.polledMs, 3 * kAckPollMs);
    EXPECT_EQ(saved.snapshot, snapshotBefore);
}

TEST(Apply, PaletteSendsSevenColoursForOneAcknowledgement) {
    Saved saved;
    saved.working.palette[0] = 0x10;
    ASSERT_TRUE(saved.apply().completed);
    EXPECT_EQ(countStartingWith(saved.sim.lines, "SET 00 14"), 7u);
    EXPECT_EQ(countStartingWith(saved.sim.lines, "ACK"), 2u);
    EXPECT_EQ(saved.sim.keyboard->image().palette, saved.working.palette);
}

TEST(Apply, EverySectionRoundTripsThroughTheKeyboard) {
    Saved saved;
    DeviceSettings& w = saved.working;
    w.reportInterval = 3;
    w.responseTime = 4;
    w.lightEffect = 52;
    w.lightSpeed = 9;
    w.lightBrightness = 7;
    w.lightColour = 8;
    w.lightDirection = 3;
    w.palette[20] = 0x99;
    w.gameMode = 0;
    w.keyTable[4 * 20 + 2] = 0x3A;
    w.keyFlags[5] = 0x1F;
    w.macroSlot(31)[100] = 0x44;
    w.customLayout(4)[511] = 0x55;
    ASSERT_TRUE(saved.apply().completed);

    DeviceSettings back = zeroSettings();
    ASSERT_TRUE(readAllSettings(saved.sim.io, back).ok);
    back.gameMode = 0; // the read switched it on again
    DeviceSettings expected = w;
    expected.reserved0 = back.reserved0; // fields the keyboard does not hold
    expected.reserved1 = back.reserved1;
    expected.reserved2 = back.reserved2;
    expected.reserved3 = back.reserved3;
    EXPECT_EQ(back, expected);
}

TEST(Apply, RereadAfterArrivalReadsLayoutsTwiceAndTheVersion) {
    SimulatedLink sim;
    DeviceSettings s = zeroSettings();
    DeviceInfo info{};
    FirmwareVersion version{};
    ASSERT_TRUE(rereadAfterArrival(sim.io, s, info, version).ok);
    EXPECT_EQ(countStartingWith(sim.lines, "SET 00 92"), 10u);
    EXPECT_EQ(countStartingWith(sim.lines, "SET 00 80"), 1u);
    EXPECT_EQ(version, (FirmwareVersion{1, 3, 0, 0}));
}

} // namespace
} // namespace talvex
