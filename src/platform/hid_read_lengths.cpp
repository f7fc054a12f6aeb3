#include "platform/hid_read_lengths.h"

#include <algorithm>

namespace talvex {

bool isWholeFeatureReport(int length) {
    return length >= static_cast<int>(kFeatureReportSize);
}

bool takeDataReport(std::span<const std::uint8_t> read,
                    std::span<std::uint8_t, kDataReportSize> report) {
    if (read.size() >= kDataReportSize) {
        std::copy_n(read.begin(), kDataReportSize, report.begin());
        return true;
    }
    if (read.size() == kDataReportSize - 1) {
        report[0] = 0;
        std::copy(read.begin(), read.end(), report.begin() + 1);
        return true;
    }
    return false;
}

} // namespace talvex
