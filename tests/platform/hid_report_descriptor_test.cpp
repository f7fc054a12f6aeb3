#include "platform/hid_report_descriptor.h"

#include <gtest/gtest.h>

#include <vector>

namespace talvex {
namespace {

TEST(HidReportDescriptor, SumsInputBitsPerReportId) {
    const std::vector<std::uint8_t> d = {
        0x05, 0x01, 0x09, 0x06, 0xA1, 0x01,             // keyboard collection
        0x85, 0x01, 0x75, 0x01, 0x95, 0x08, 0x81, 0x02, // ID 1: 8 modifier bits
        0x75, 0x08, 0x95, 0x06, 0x81, 0x00,             // ID 1: 6 key bytes
        0x91, 0x02,                                     // output item: not counted
        0x85, 0x04, 0x75, 0x08, 0x95, 0x03, 0x81, 0x02, // ID 4: 3 bytes
        0xC0};
    const auto bits = inputReportBits(d);
    EXPECT_EQ(bits.at(1), 56u);
    EXPECT_EQ(bits.at(4), 24u);
    EXPECT_TRUE(declaresInputReport(d, 4, 4));
    EXPECT_FALSE(declaresInputReport(d, 1, 4));
    EXPECT_FALSE(declaresInputReport(d, 2, 4));
}

TEST(HidReportDescriptor, PushAndPopRestoreSizes) {
    const std::vector<std::uint8_t> d = {0x85, 0x04, 0x75, 0x08, 0x95, 0x01, 0xA4, // push
                                         0x95, 0x10, 0xB4,                         // pop
                                         0x81, 0x02, 0x81, 0x02, 0x81, 0x02};
    EXPECT_TRUE(declaresInputReport(d, 4, 4));
}

TEST(HidReportDescriptor, TruncatedOrHostileBytesNeverReadPastTheEnd) {
    const std::vector<std::uint8_t> truncated = {0x85, 0x04, 0x75, 0x08, 0x97, 0x03};
    EXPECT_TRUE(inputReportBits(truncated).empty());
    const std::vector<std::uint8_t> longItem = {0xFE, 0xFF, 0x00};
    EXPECT_TRUE(inputReportBits(longItem).empty());
    // Built as one list: appending to the 1000 pops makes g++ 12 at -O2 warn about a copy past
    // the end that cannot happen (-Warray-bounds in vector::insert).
    std::vector<std::uint8_t> pops = {0x75, 0x08, 0x95, 0x03, 0x81, 0x02};
    pops.insert(pops.begin(), 1000, 0xB4);
    EXPECT_EQ(inputReportBits(pops).at(0), 24u);
    std::vector<std::uint8_t> pushes(1000, 0xA4);
    EXPECT_TRUE(inputReportBits(pushes).empty());
    const std::vector<std::uint8_t> huge = {0x77, 0xFF, 0xFF, 0xFF, 0xFF, 0x97, 0xFF,
                                            0xFF, 0xFF, 0xFF, 0x81, 0x02, 0x81, 0x02};
    EXPECT_EQ(inputReportBits(huge).at(0), UINT32_MAX);
}

} // namespace
} // namespace talvex
