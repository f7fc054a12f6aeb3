#include "device/commands.h"
#include "device/hid_transport.h"
#include "device/wire_trace.h"
#include "fake_channel.h"

#include <gtest/gtest.h>

#include <functional>

namespace talvex {
namespace {

struct Harness : testing::ChannelHarness {
    std::string sent(std::size_t i = 0) const { return hexBytes(channel.sets.at(i)); }
};

FeatureReport response(std::initializer_list<std::pair<int, std::uint8_t>> bytes) {
    FeatureReport r{};
    for (auto [i, v] : bytes)
        r[static_cast<std::size_t>(i)] = v;
    return r;
}

TEST(Framing, ChecksumMakesBytesOneToEightSumToFF) {
    EXPECT_EQ(hexBytes(makeRequest(0x80)), "00 80 00 00 00 00 00 00 7f");
    EXPECT_EQ(hexBytes(makeRequest(0x01, {3})), "00 01 03 00 00 00 00 00 fb");
    EXPECT_EQ(makeRequest(0x13, {0xFF})[8], 0xED);
    const auto r = makeRequest(0x12, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    unsigned sum = 0;
    for (std::size_t i = 1; i < 9; ++i)
        sum += r[i];
    EXPECT_EQ(sum % 256, 0xFFu);
}

// Each single-report read: the request as sent, its pauses, and the field the response fills.
TEST(Commands, SingleReportReadsSendTheirRequestAndPauses) {
    struct Row {
        const char* name;
        std::function<void(Harness&)> run;
        const char* request;
        std::vector<int> pauses;
    };
    const std::vector<Row> rows = {
        {"deviceInfo",
         [](Harness& h) {
             DeviceInfo d;
             (void)readDeviceInfo(h.io, d);
         },
         "00 80 00 00 00 00 00 00 7f",
         {10, 10}},
        {"reportInterval",
         [](Harness& h) { (void)readReportInterval(h.io, h.s); },
         "00 81 00 00 00 00 00 00 7e",
         {10, 10}},
        {"responseTime",
         [](Harness& h) { (void)readResponseTime(h.io, h.s); },
         "00 84 00 00 00 00 00 00 7b",
         {10, 10}},
        {"lighting",
         [](Harness& h) { (void)readLighting(h.io, h.s); },
         "00 88 00 00 00 00 00 00 77",
         {10, 0}},
        {"gameMode",
         [](Harness& h) { (void)readGameMode(h.io, h.s); },
         "00 89 00 00 00 00 00 00 76",
         {5, 0}},
        {"palette0",
         [](Harness& h) { (void)readPaletteColour(h.io, h.s, 0); },
         "00 94 00 00 00 00 00 00 6b",
         {1, 1}},
        {"palette6",
         [](Harness& h) { (void)readPaletteColour(h.io, h.s, 6); },
         "00 94 00 06 00 00 00 00 65",
         {1, 1}},
    };
    for (const auto& row : rows) {
        Harness h;
        h.channel.responses.push_back({});
        row.run(h);
        EXPECT_EQ(h.sent(), row.request) << row.name;
        EXPECT_EQ(h.channel.gets, 1) << row.name;
        EXPECT_EQ(h.pauser.pauses, row.pauses) << row.name;
    }
}

TEST(Commands, ReadsTakeTheirResponseBytes) {
    Harness h;
    h.channel.responses = {
        response({{1, 0x80}, {2, 1}, {3, 3}, {8, 9}}),
        response({{2, 3}}),
        response({{2, 7}}),
        response({{3, 51}, {4, 1}, {5, 40}, {6, 8}, {7, 4}}),
        response({{2, 1}}),
        response({{4, 0x11}, {5, 0x22}, {6, 0x33}}),
    };
    DeviceInfo info{};
    (void)readDeviceInfo(h.io, info);
    (void)readReportInterval(h.io, h.s);
    (void)readResponseTime(h.io, h.s);
    (void)readLighting(h.io, h.s);
    (void)readGameMode(h.io, h.s);
    (void)readPaletteColour(h.io, h.s, 6);
    EXPECT_EQ(hexBytes(info), "80 01 03 00 00 00 00 09");
    EXPECT_EQ(firmwareVersionOf(info), (FirmwareVersion{1, 3, 0, 0}));
    EXPECT_EQ(h.s.reportInterval, 3);
    EXPECT_EQ(h.s.responseTime, 7);
    EXPECT_EQ(h.s.lightEffect, 51);
    EXPECT_EQ(h.s.lightSpeed, 9); // the keyboard holds 10 - speed
    EXPECT_EQ(h.s.lightBrightness, 40);
    EXPECT_EQ(h.s.lightColour, 8);
    EXPECT_EQ(h.s.lightDirection, 4);
    EXPECT_EQ(h.s.gameMode, 1);
    EXPECT_EQ(h.s.palette[18], 0x11);
    EXPECT_EQ(h.s.palette[20], 0x33);
}

TEST(Commands, SpeedTenOnTheKeyboardIsZeroOnScreen) {
    Harness h;
    h.channel.responses.push_back(response({{4, 10}}));
    (void)readLighting(h.io, h.s);
    EXPECT_EQ(h.s.lightSpeed, 0);
}

TEST(Commands, UnansweredReadLeavesTheFieldsAlone) {
    Harness h;
    h.channel.working = false;
    h.s.lightBrightness = 33;
    h.s.reportInterval = 2;
    DeviceInfo info{1, 2, 3, 4, 5, 6, 7, 8};
    (void)readLighting(h.io, h.s);
    (void)readReportInterval(h.io, h.s);
    (void)readDeviceInfo(h.io, info);
    EXPECT_EQ(h.s.lightBrightness, 33);
    EXPECT_EQ(h.s.reportInterval, 2);
    EXPECT_EQ(info, (DeviceInfo{1, 2, 3, 4, 5, 6, 7, 8}));
}

TEST(Commands, SingleReportWritesSendTheirRequestAndPause) {
    struct Row {
        const char* name;
        std::function<void(Harness&)> run;
        const char* request;
        int pause;
    };
    const std::vector<Row> rows = {
        {"reportInterval 3",
         [](Harness& h) {
             h.s.reportInterval = 3;
             (void)writeReportInterval(h.io, h.s);
         },
         "00 01 03 00 00 00 00 00 fb", 10},
        {"responseTime 5",
         [](Harness& h) {
             h.s.responseTime = 5;
             (void)writeResponseTime(h.io, h.s);
         },
         "00 04 05 00 00 00 00 00 f6", 10},
        {"gameMode 1",
         [](Harness& h) {
             h.s.gameMode = 1;
             (void)writeGameMode(h.io, h.s);
         },
         "00 09 01 00 00 00 00 00 f5", 20},
        {"palette 6 red",
         [](Harness& h) {
             h.s.palette[18] = 0xFF;
             (void)writePaletteColour(h.io, h.s, 6);
         },
         "00 14 00 06 ff 00 00 00 e6", 20},
        {"reset", [](Harness& h) { (void)sendResetRequest(h.io); }, "00 13 ff 00 00 00 00 00 ed",
         300},
        {"game mode on", [](Harness& h) { (void)sendGameModeOn(h.io); },
         "00 09 01 00 00 00 00 00 f5", 20},
    };
    for (const auto& row : rows) {
        Harness h;
        row.run(h);
        ASSERT_EQ(h.channel.sets.size(), 1u) << row.name;
        EXPECT_EQ(h.sent(), row.request) << row.name;
        EXPECT_EQ(h.channel.gets, 0) << row.name;
        EXPECT_EQ(h.pauser.pauses, std::vector<int>{row.pause}) << row.name;
    }
}

TEST(Commands, LightingStageOneCarriesBrightnessZeroAndItsOwnChecksum) {
    Harness h;
    h.s.lightEffect = 2;
    h.s.lightSpeed = 3;
    h.s.lightBrightness = 50;
    h.s.lightColour = 4;
    h.s.lightDirection = 1;
    (void)writeLighting(h.io, h.s, LightingStage::Open);
    (void)writeLighting(h.io, h.s, LightingStage::Close);
    // 0xFF - (8 + 1 + 2 + 7 + 0 + 4 + 1) = 0xE8; stage 2 with brightness 50 gives 0xB5
    EXPECT_EQ(h.sent(0), "00 08 01 02 07 00 04 01 e8");
    EXPECT_EQ(h.sent(1), "00 08 02 02 07 32 04 01 b5");
    EXPECT_EQ(h.pauser.pauses, (std::vector<int>{10, 10}));
}

TEST(Commands, GameModeWriteFoldsTheWindowsKeyLock) {
    Harness h;
    h.s.winLock = 1;
    h.s.keyFlags[1] = 0xFF;
    (void)writeGameMode(h.io, h.s);
    EXPECT_EQ(h.s.keyFlags[1], 0x3E);
    h.s.winLock = 0;
    (void)writeGameMode(h.io, h.s);
    EXPECT_EQ(h.s.keyFlags[1], 0x3F);
}

TEST(Commands, UnfoldReadsTheLockFromTheLeftWindowsKeyBit) {
    DeviceSettings s = zeroSettings();
    s.keyFlags[1] = 0x3E;
    unfoldWinLock(s);
    EXPECT_EQ(s.winLock, 1);
    s.keyFlags[1] = 0x3F;
    unfoldWinLock(s);
    EXPECT_EQ(s.winLock, 0);
}

TEST(Commands, OutOfRangePaletteSlotSendsNothing) {
    Harness h;
    (void)writePaletteColour(h.io, h.s, 7);
    (void)readPaletteColour(h.io, h.s, 200);
    EXPECT_TRUE(h.channel.sets.empty());
}

} // namespace
} // namespace talvex
