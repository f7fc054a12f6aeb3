#include "platform/hid_report_descriptor.h"

#include <vector>

namespace talvex {

namespace {

struct GlobalState {
    std::uint32_t reportSize = 0;
    std::uint32_t reportCount = 0;
    std::uint8_t reportId = 0;
};

// Item prefixes: bits 0-1 size code, bits 2-3 type, bits 4-7 tag.
constexpr std::uint8_t kTypeMain = 0;
constexpr std::uint8_t kTypeGlobal = 1;
constexpr std::uint8_t kTagInput = 8;
constexpr std::uint8_t kTagReportSize = 7;
constexpr std::uint8_t kTagReportId = 8;
constexpr std::uint8_t kTagReportCount = 9;
constexpr std::uint8_t kTagPush = 10;
constexpr std::uint8_t kTagPop = 11;
constexpr std::uint8_t kLongItemPrefix = 0xFE;
// Real descriptors nest a few levels at most; the bound keeps a hostile one from growing memory.
constexpr std::size_t kMaxPushDepth = 16;

} // namespace

std::map<std::uint8_t, std::uint32_t> inputReportBits(std::span<const std::uint8_t> descriptor) {
    std::map<std::uint8_t, std::uint32_t> bits;
    GlobalState state;
    std::vector<GlobalState> stack;
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
            if (tag == kTagReportSize)
                state.reportSize = value;
            else if (tag == kTagReportCount)
                state.reportCount = value;
            else if (tag == kTagReportId)
                state.reportId = static_cast<std::uint8_t>(value);
            else if (tag == kTagPush && stack.size() < kMaxPushDepth)
                stack.push_back(state);
            else if (tag == kTagPop && !stack.empty()) {
                state = stack.back();
                stack.pop_back();
            }
        } else if (type == kTypeMain && tag == kTagInput) {
            const std::uint64_t added =
                static_cast<std::uint64_t>(state.reportSize) * state.reportCount;
            const std::uint64_t total = bits[state.reportId] + added;
            bits[state.reportId] =
                total > UINT32_MAX ? UINT32_MAX : static_cast<std::uint32_t>(total);
        }
        i += 1 + size;
    }
    return bits;
}

bool declaresInputReport(std::span<const std::uint8_t> descriptor, std::uint8_t reportId,
                         std::size_t totalBytes) {
    const auto bits = inputReportBits(descriptor);
    const auto it = bits.find(reportId);
    if (it == bits.end())
        return false;
    const std::size_t idBytes = reportId == 0 ? 0 : 1;
    return (it->second + 7) / 8 + idBytes == totalBytes;
}

} // namespace talvex
