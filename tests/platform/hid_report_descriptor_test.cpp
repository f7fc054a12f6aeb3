#include "platform/hid_report_descriptor.h"
#include "report_descriptor_samples.h"

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
    EXPECT_TRUE(declaredInputReport(d, 4, 4));
    EXPECT_FALSE(declaredInputReport(d, 1, 4));
    EXPECT_FALSE(declaredInputReport(d, 2, 4));
}

TEST(HidReportDescriptor, PushAndPopRestoreSizes) {
    const std::vector<std::uint8_t> d = {0x85, 0x04, 0x75, 0x08, 0x95, 0x01, 0xA4, // push
                                         0x95, 0x10, 0xB4,                         // pop
                                         0x81, 0x02, 0x81, 0x02, 0x81, 0x02};
    EXPECT_TRUE(declaredInputReport(d, 4, 4));
}

TEST(HidReportDescriptor, ReportIdsOutsideOneByteInvalidateTheWholeDescriptor) {
    const std::vector<std::uint8_t> threeBytes = {0x75, 0x08, 0x95, 0x03, 0x81, 0x02};
    const std::vector<std::vector<std::uint8_t>> ids = {
        {0x86, 0x04, 0x01},             // 0x104
        {0x87, 0x04, 0x02, 0x00, 0x00}, // 0x204
        {0x85, 0x00},
        {0x85, 0x04, 0x75, 0x08, 0x95, 0x03, 0x81, 0x02, 0x86, 0x00, 0x01}, // after a valid one
    };
    for (auto d : ids) {
        d.insert(d.end(), threeBytes.begin(), threeBytes.end());
        EXPECT_TRUE(declaredInputReports(d).empty()) << ::testing::PrintToString(d);
    }
    std::vector<std::uint8_t> wideFour = {0x86, 0x04, 0x00}; // 4 in two bytes is still 4
    wideFour.insert(wideFour.end(), threeBytes.begin(), threeBytes.end());
    EXPECT_TRUE(declaredInputReport(wideFour, 4, 4));
}

TEST(HidReportDescriptor, Report4OfRealShapesBySizeAndTopLevelPage) {
    using namespace testing;
    struct Row {
        const std::vector<std::uint8_t>& descriptor;
        std::size_t wireBytes;
        bool vendorDefined;
    };
    const Row rows[] = {
        {kVendorEvent, 4, true},
        {kVendorEventExtendedUsage, 4, true},
        {kKeyboardWithConsumerKeys, 3, false},
        {kMouse, 4, false},
        {kGenericKeysOnReport4, 4, false},
    };
    for (const Row& row : rows) {
        const auto report = declaredInputReport(row.descriptor, 4, row.wireBytes);
        ASSERT_TRUE(report) << ::testing::PrintToString(row.descriptor);
        EXPECT_EQ(report->vendorDefined, row.vendorDefined)
            << ::testing::PrintToString(row.descriptor);
    }
    // The page's bounds, and a vendor collection that closed before report 4 began.
    auto page = kVendorEvent;
    page[1] = 0xFF;
    page[2] = 0xFE;
    EXPECT_FALSE(declaredInputReport(page, 4, 4)->vendorDefined);
    page[2] = 0xFF;
    EXPECT_TRUE(declaredInputReport(page, 4, 4)->vendorDefined);
    std::vector<std::uint8_t> closed = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0xC0};
    closed.insert(closed.end(), kGenericKeysOnReport4.begin(), kGenericKeysOnReport4.end());
    EXPECT_FALSE(declaredInputReport(closed, 4, 4)->vendorDefined);
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
