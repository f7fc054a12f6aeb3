#include "platform/hid_report_descriptor.h"

#include <vector>

namespace talvex {

namespace {

struct GlobalState {
    std::uint32_t usagePage = 0;
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint8_t reportId = 0;
};

// Item prefixes: bits 0-1 size code, bits 2-3 type, bits 4-7 tag.
constexpr std::uint8_t kTypeMain = 0;
constexpr std::uint8_t kTypeGlobal = 1;
constexpr std::uint8_t kTypeLocal = 2;
constexpr std::uint8_t kTagInput = 8;
constexpr std::uint8_t kTagCollection = 10;
constexpr std::uint8_t kTagEndCollection = 12;
constexpr std::uint8_t kTagUsagePage = 0;
constexpr std::uint8_t kTagReportSize = 7;
constexpr std::uint8_t kTagReportId = 8;
constexpr std::uint8_t kTagReportCount = 9;
constexpr std::uint8_t kTagPush = 10;
constexpr std::uint8_t kTagPop = 11;
constexpr std::uint8_t kTagUsage = 0;
constexpr std::uint8_t kLongItemPrefix = 0xFE;
constexpr std::uint32_t kVendorPageFirst = 0xFF00;
constexpr std::uint32_t kVendorPageLast = 0xFFFF;
// Real descriptors nest a few levels at most; the bound keeps a hostile one from growing memory.
constexpr std::size_t kMaxPushDepth = 16;

// A usage of four data bytes carries its own page in the upper half.
std::uint32_t usagePageOf(std::uint32_t usage, std::size_t dataBytes, std::uint32_t usagePage) {
    return dataBytes == 4 ? usage >> 16 : usagePage;
}

} // namespace

std::map<std::uint8_t, DeclaredInputReport>
declaredInputReports(std::span<const std::uint8_t> descriptor) {
    std::map<std::uint8_t, DeclaredInputReport> reports;
    GlobalState state;
    std::vector<GlobalState> stack;
    // Page of the first usage since the last main item: what a collection opened next is about.
    std::optional<std::uint32_t> firstUsagePage;
    std::size_t depth = 0;
    bool topLevelVendor = false;
    std::size_t i = 0;
    while (i < descriptor.size()) {
        const std::uint8_t prefix = descriptor[i];
        if (prefix == kLongItemPrefix) {
            if (i + 1 >= descriptor.size())
                break;
            i += 3 + descriptor[i + 1];
            continue;
        }
        static constexpr std::size_t kDataSizes[4] = {0, 1, 2, 4};
        const std::size_t size = kDataSizes[prefix & 3];
        if (i + 1 + size > descriptor.size())
            break;
        std::uint32_t value = 0;
        for (std::size_t k = 0; k < size; ++k)
            value |= static_cast<std::uint32_t>(descriptor[i + 1 + k]) << (8 * k);
        const std::uint8_t type = (prefix >> 2) & 3;
        const std::uint8_t tag = prefix >> 4;
        if (type == kTypeGlobal) {
            if (tag == kTagUsagePage)
                state.usagePage = value;
            else if (tag == kTagReportSize)
                state.reportSize = value;
            else if (tag == kTagReportCount)
                state.reportCount = value;
            else if (tag == kTagReportId) {
                if (value == 0 || value > 0xFF)
                    return {};
                state.reportId = static_cast<std::uint8_t>(value);
            } else if (tag == kTagPush && stack.size() < kMaxPushDepth)
                stack.push_back(state);
            else if (tag == kTagPop && !stack.empty()) {
                state = stack.back();
                stack.pop_back();
            }
        } else if (type == kTypeLocal) {
            if (tag == kTagUsage && !firstUsagePage)
                firstUsagePage = usagePageOf(value, size, state.usagePage);
        } else if (type == kTypeMain) {
            if (tag == kTagCollection) {
                if (depth == 0) {
                    const std::uint32_t page = firstUsagePage.value_or(state.usagePage);
                    topLevelVendor = page >= kVendorPageFirst && page <= kVendorPageLast;
                }
                ++depth;
            } else if (tag == kTagEndCollection && depth > 0) {
                --depth;
            } else if (tag == kTagInput) {
                DeclaredInputReport& report = reports[state.reportId];
                const std::uint64_t total =
                    report.bits + static_cast<std::uint64_t>(state.reportSize) * state.reportCount;
                report.bits = total > UINT32_MAX ? UINT32_MAX : static_cast<std::uint32_t>(total);
                report.vendorDefined = report.vendorDefined || (depth > 0 && topLevelVendor);
            }
            firstUsagePage.reset();
        }
        i += 1 + size;
    }
    return reports;
}

std::map<std::uint8_t, std::uint32_t> inputReportBits(std::span<const std::uint8_t> descriptor) {
    std::map<std::uint8_t, std::uint32_t> bits;
    for (const auto& [id, report] : declaredInputReports(descriptor))
        bits[id] = report.bits;
    return bits;
}

std::optional<DeclaredInputReport> declaredInputReport(std::span<const std::uint8_t> descriptor,
                                                       std::uint8_t reportId,
                                                       std::size_t totalBytes) {
    const auto reports = declaredInputReports(descriptor);
    const auto it = reports.find(reportId);
    if (it == reports.end())
        return std::nullopt;
    const std::size_t idBytes = reportId == 0 ? 0 : 1;
    if ((static_cast<std::size_t>(it->second.bits) + 7) / 8 + idBytes != totalBytes)
        return std::nullopt;
    return it->second;
}

} // namespace talvex
