#include "device/block_transfers.h"
#include "device/wire_trace.h"
#include "fake_channel.h"

#include <gtest/gtest.h>

namespace talvex {
namespace {

struct Harness : testing::ChannelHarness {
    void queueReports(std::size_t count, std::uint8_t firstByteValue) {
        for (std::size_t k = 0; k < count; ++k) {
            DataReport r;
            r[0] = 0xEE; // whatever the keyboard puts in byte 0 is ignored
            for (std::size_t i = 1; i < r.size(); ++i)
                r[i] = static_cast<std::uint8_t>(firstByteValue + k);
            channel.dataReports.push_back(r);
        }
    }
};

TEST(BlockTransfers, RequestsCarryCommandParametersAndChecksum) {
    Harness h;
    (void)readKeyTable(h.io, h.s);
    (void)writeKeyTable(h.io, h.s);
    (void)readKeyFlags(h.io, h.s);
    (void)writeKeyFlags(h.io, h.s);
    (void)readMacroSlot(h.io, h.s, 5);
    (void)writeMacroSlot(h.io, h.s, 5);
    (void)readCustomLayout(h.io, h.s, 2);
    (void)writeCustomLayout(h.io, h.s, 2);
    const std::vector<std::string> expected = {
        "00 8d 00 00 00 00 00 00 72", "00 0d 00 00 08 00 00 00 ea", "00 8e 00 00 15 00 00 00 5c",
        "00 0e 00 00 15 00 00 00 dc", "00 91 00 05 00 00 00 00 69", "00 11 00 05 03 00 00 00 e6",
        "00 92 00 02 08 00 00 00 63", "00 12 00 02 08 00 00 00 e3",
    };
    ASSERT_EQ(h.channel.sets.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(hexBytes(h.channel.sets[i]), expected[i]);
}

TEST(BlockTransfers, KeyTableReadTakesBytesOneToSixtyFourOfEightReports) {
    Harness h;
    h.queueReports(8, 1);
    (void)readKeyTable(h.io, h.s);
    EXPECT_EQ(h.channel.gets, 1);
    EXPECT_TRUE(h.pauser.pauses.empty());
    EXPECT_EQ(h.s.keyTable[0], 1);
    EXPECT_EQ(h.s.keyTable[63], 1);
    EXPECT_EQ(h.s.keyTable[64], 2);
    EXPECT_EQ(h.s.keyTable[511], 8);
}

TEST(BlockTransfers, AMissingDataReportFailsTheReadAndLeavesTheWholeArea) {
    Harness h;
    h.s.keyTable.fill(0x55);
    h.queueReports(3, 1);
    const DeviceResult r = readKeyTable(h.io, h.s);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.failedPart, DevicePart::KeyTable);
    EXPECT_TRUE(std::all_of(h.s.keyTable.begin(), h.s.keyTable.end(),
                            [](std::uint8_t b) { return b == 0x55; }));
}

TEST(BlockTransfers, KeyTableWritePausesAroundEightReports) {
    Harness h;
    for (std::size_t i = 0; i < h.s.keyTable.size(); ++i)
        h.s.keyTable[i] = static_cast<std::uint8_t>(i / 64 + 1);
    (void)writeKeyTable(h.io, h.s);
    ASSERT_EQ(h.channel.writes.size(), 8u);
    for (std::size_t k = 0; k < 8; ++k) {
        EXPECT_EQ(h.channel.writes[k][0], 0);
        EXPECT_EQ(h.channel.writes[k][1], k + 1);
        EXPECT_EQ(h.channel.writes[k][64], k + 1);
    }
    EXPECT_EQ(h.pauser.pauses, (std::vector<int>{50, 60}));
}

TEST(BlockTransfers, KeyFlagsWritePadsWithFortyThreeZeros) {
    Harness h;
    h.s.keyFlags.fill(0x3F);
    (void)writeKeyFlags(h.io, h.s);
    ASSERT_EQ(h.channel.writes.size(), 1u);
    const auto& report = h.channel.writes[0];
    EXPECT_EQ(report[1], 0x3F);
    EXPECT_EQ(report[21], 0x3F);
    for (std::size_t i = 22; i < report.size(); ++i)
        EXPECT_EQ(report[i], 0) << i;
    EXPECT_EQ(h.pauser.pauses, std::vector<int>{10});
}

TEST(BlockTransfers, KeyFlagsReadTakesTwentyOneBytesAndUnfoldsTheLock) {
    Harness h;
    DataReport r{};
    for (std::size_t i = 1; i < r.size(); ++i)
        r[i] = 0x3F;
    r[2] = 0x3E; // flags byte 1: left Windows key disabled
    h.channel.dataReports.push_back(r);
    h.s.reserved3 = 0;
    (void)readKeyFlags(h.io, h.s);
    EXPECT_EQ(h.s.keyFlags[1], 0x3E);
    EXPECT_EQ(h.s.keyFlags[20], 0x3F);
    EXPECT_EQ(h.s.winLock, 1);
}

TEST(BlockTransfers, MacroSlotWriteYieldsBetweenItsThreeReports) {
    Harness h;
    h.s.macroSlot(31)[191] = 0x42;
    (void)writeMacroSlot(h.io, h.s, 31);
    ASSERT_EQ(h.channel.writes.size(), 3u);
    EXPECT_EQ(h.channel.writes[2][64], 0x42);
    EXPECT_EQ(h.pauser.pauses, (std::vector<int>{1, 0, 0}));
}

TEST(BlockTransfers, MacroSlotReadFillsOnlyItsSlot) {
    Harness h;
    h.queueReports(3, 7);
    (void)readMacroSlot(h.io, h.s, 1);
    EXPECT_EQ(h.s.macroSlot(0)[191], 0);
    EXPECT_EQ(h.s.macroSlot(1)[0], 7);
    EXPECT_EQ(h.s.macroSlot(1)[191], 9);
    EXPECT_EQ(h.s.macroSlot(2)[0], 0);
}

TEST(BlockTransfers, CustomLayoutTransfersPauseFiveAroundEveryReport) {
    Harness h;
    h.queueReports(8, 1);
    (void)readCustomLayout(h.io, h.s, 4);
    EXPECT_EQ(h.pauser.pauses, std::vector<int>(10, 5));
    EXPECT_EQ(h.s.customLayout(4)[511], 8);
    h.pauser.pauses.clear();
    (void)writeCustomLayout(h.io, h.s, 4);
    EXPECT_EQ(h.pauser.pauses, std::vector<int>(9, 5));
    EXPECT_EQ(h.channel.writes.size(), 8u);
}

TEST(BlockTransfers, OutOfRangeSlotOrLayoutSendsNothing) {
    Harness h;
    (void)readMacroSlot(h.io, h.s, 32);
    (void)writeMacroSlot(h.io, h.s, 32);
    (void)readCustomLayout(h.io, h.s, 5);
    (void)writeCustomLayout(h.io, h.s, 5);
    EXPECT_TRUE(h.channel.sets.empty());
}

} // namespace
} // namespace talvex
