#include "platform/hid_read_lengths.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace talvex {
namespace {

TEST(HidReadLengths, OnlyAWholeFeatureReportCounts) {
    for (int length : {-1, 0, 1, 8})
        EXPECT_FALSE(isWholeFeatureReport(length)) << length;
    EXPECT_TRUE(isWholeFeatureReport(9));
}

TEST(HidReadLengths, ADataReportNeedsItsSixtyFourPayloadBytesWithOrWithoutItsIdentifier) {
    std::vector<std::uint8_t> read(kDataReportSize);
    std::iota(read.begin(), read.end(), 1);
    for (std::size_t length : {0u, 1u, 32u, 63u, 64u, 65u}) {
        DataReport report;
        report.fill(0xEE);
        const bool whole = takeDataReport(std::span(read.data(), length), report);
        EXPECT_EQ(whole, length >= 64) << length;
        if (!whole) {
            EXPECT_EQ(report[1], 0xEE) << "a short read must leave the report alone";
            continue;
        }
        // hidraw leaves out the identifier of an unnumbered report: the payload starts at once.
        EXPECT_EQ(report[0], length == 65 ? 1 : 0);
        EXPECT_EQ(report[1], length == 65 ? 2 : 1);
        EXPECT_EQ(report[64], length == 65 ? 65 : 64);
    }
}

} // namespace
} // namespace talvex
