#include "device/device_settings.h"

#include <gtest/gtest.h>

namespace talvex {
namespace {

TEST(DeviceSettings, BytesViewMapsFieldsToFileOffsets) {
    DeviceSettings s = zeroSettings();
    s.reportInterval = 1;
    s.keyTable[0] = 2;
    s.macroSlot(31)[191] = 3;
    s.lightBrightness = 4;
    s.palette[20] = 5;
    s.customLayout(4)[511] = 6;
    s.reserved3 = 7;
    auto b = s.bytes();
    EXPECT_EQ(b[11], 1);
    EXPECT_EQ(b[792], 2);
    EXPECT_EQ(b[1304 + 31 * 192 + 191], 3);
    EXPECT_EQ(b[7452], 4);
    EXPECT_EQ(b[7455 + 20], 5);
    EXPECT_EQ(b[7499 + 4 * 512 + 511], 6);
    EXPECT_EQ(b[10059], 7);
}

TEST(DeviceSettings, FromBytesRefusesShortBuffers) {
    std::vector<std::uint8_t> data(10059, 9);
    DeviceSettings s = zeroSettings();
    EXPECT_FALSE(settingsFromBytes(data, s));
    EXPECT_EQ(s, zeroSettings());
    data.push_back(8);
    data.push_back(7); // longer input: only the first 10060 bytes count
    ASSERT_TRUE(settingsFromBytes(data, s));
    EXPECT_EQ(s.reserved3, 8);
}

} // namespace
} // namespace talvex
