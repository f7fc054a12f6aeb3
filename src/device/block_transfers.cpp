#include "device/block_transfers.h"

#include "device/commands.h"
#include "device/hid_transport.h"

#include <algorithm>
#include <span>
#include <vector>

namespace talvex {

namespace {

constexpr int kNoPause = -1;

// The pauses of one transfer's data phase; kNoPause where the transfer has none.
struct ReadPhase {
    int afterRequest;
    int afterGet;
    int afterEachReport;
};

struct WritePhase {
    int afterRequest;
    int afterEachReport;
    int betweenReports;
    int afterLastReport;
};

constexpr ReadPhase kKeyTableRead{kNoPause, kNoPause, kNoPause};
constexpr ReadPhase kKeyFlagsRead{kNoPause, kNoPause, kNoPause};
constexpr ReadPhase kMacroSlotRead{kNoPause, kNoPause, kNoPause};
constexpr ReadPhase kCustomLayoutRead{5, 5, 5};
constexpr WritePhase kKeyTableWrite{50, kNoPause, kNoPause, 60};
constexpr WritePhase kKeyFlagsWrite{10, kNoPause, kNoPause, kNoPause};
constexpr WritePhase kMacroSlotWrite{1, kNoPause, 0, kNoPause};
constexpr WritePhase kCustomLayoutWrite{5, 5, kNoPause, kNoPause};

void pauseIf(DeviceIo& io, int ms) {
    if (ms != kNoPause)
        io.pauser.pause(ms);
}

std::size_t chunkCount(std::size_t areaSize) {
    return (areaSize + kDataPayloadSize - 1) / kDataPayloadSize;
}

// Request, an ignored get, then the area's chunks read from bytes 1..64 of each report. The area
// changes only when every chunk arrived.
bool readBlock(DeviceIo& io, const FeatureReport& request, const ReadPhase& phase,
               std::span<std::uint8_t> area) {
    const bool sent = setFeature(io, request);
    pauseIf(io, phase.afterRequest);
    FeatureReport ignored{};
    (void)getFeature(io, ignored);
    pauseIf(io, phase.afterGet);
    std::vector<std::uint8_t> received(area.size());
    for (std::size_t k = 0; k < chunkCount(area.size()); ++k) {
        DataReport report{};
        if (!readData(io, report))
            return false; // the rest would only wait out their timeouts
        const std::size_t begin = k * kDataPayloadSize;
        const std::size_t n = std::min(kDataPayloadSize, area.size() - begin);
        std::copy_n(report.begin() + 1, n, received.begin() + begin);
        pauseIf(io, phase.afterEachReport);
    }
    if (!sent)
        return false;
    std::copy(received.begin(), received.end(), area.begin());
    return true;
}

// Request, then the area's chunks in bytes 1..64 of zeroed reports.
bool writeBlock(DeviceIo& io, const FeatureReport& request, const WritePhase& phase,
                std::span<const std::uint8_t> area) {
    if (!setFeature(io, request))
        return false;
    pauseIf(io, phase.afterRequest);
    const std::size_t chunks = chunkCount(area.size());
    for (std::size_t k = 0; k < chunks; ++k) {
        if (k > 0)
            pauseIf(io, phase.betweenReports);
        DataReport report{};
        const std::size_t begin = k * kDataPayloadSize;
        const std::size_t n = std::min(kDataPayloadSize, area.size() - begin);
        std::copy_n(area.begin() + begin, n, report.begin() + 1);
        if (!writeData(io, report))
            return false;
        pauseIf(io, phase.afterEachReport);
    }
    pauseIf(io, phase.afterLastReport);
    return true;
}

DeviceResult resultOf(bool ok, DevicePart part, std::size_t index = 0) {
    return ok ? DeviceResult{} : DeviceResult::failure(part, index);
}

} // namespace

DeviceResult readKeyTable(DeviceIo& io, DeviceSettings& s) {
    return resultOf(
        readBlock(io, makeRequest(command::readOf(command::kKeyTable)), kKeyTableRead, s.keyTable),
        DevicePart::KeyTable);
}

DeviceResult writeKeyTable(DeviceIo& io, const DeviceSettings& s) {
    const auto count = static_cast<std::uint8_t>(chunkCount(kKeyTableSize));
    return resultOf(
        writeBlock(io, makeRequest(command::kKeyTable, {0, 0, count}), kKeyTableWrite, s.keyTable),
        DevicePart::KeyTable);
}

DeviceResult readKeyFlags(DeviceIo& io, DeviceSettings& s) {
    if (!readBlock(io, makeRequest(command::readOf(command::kKeyFlags), {0, 0, kKeyFlagsSize}),
                   kKeyFlagsRead, s.keyFlags))
        return DeviceResult::failure(DevicePart::KeyFlags);
    unfoldWinLock(s);
    return {};
}

DeviceResult writeKeyFlags(DeviceIo& io, const DeviceSettings& s) {
    return resultOf(writeBlock(io, makeRequest(command::kKeyFlags, {0, 0, kKeyFlagsSize}),
                               kKeyFlagsWrite, s.keyFlags),
                    DevicePart::KeyFlags);
}

DeviceResult readMacroSlot(DeviceIo& io, DeviceSettings& s, std::size_t slot) {
    if (slot >= kMacroSlotCount)
        return DeviceResult::failure(DevicePart::MacroSlot, slot);
    const auto n = static_cast<std::uint8_t>(slot);
    return resultOf(readBlock(io, makeRequest(command::readOf(command::kMacroSlot), {0, n}),
                              kMacroSlotRead, s.macroSlot(slot)),
                    DevicePart::MacroSlot, slot);
}

DeviceResult writeMacroSlot(DeviceIo& io, const DeviceSettings& s, std::size_t slot) {
    if (slot >= kMacroSlotCount)
        return DeviceResult::failure(DevicePart::MacroSlot, slot);
    const auto count = static_cast<std::uint8_t>(chunkCount(kMacroSlotSize));
    const auto n = static_cast<std::uint8_t>(slot);
    return resultOf(writeBlock(io, makeRequest(command::kMacroSlot, {0, n, count}), kMacroSlotWrite,
                               s.macroSlot(slot)),
                    DevicePart::MacroSlot, slot);
}

DeviceResult readCustomLayout(DeviceIo& io, DeviceSettings& s, std::size_t layout) {
    if (layout >= kCustomLayoutCount)
        return DeviceResult::failure(DevicePart::CustomLayout, layout);
    const auto count = static_cast<std::uint8_t>(chunkCount(kCustomLayoutSize));
    const auto n = static_cast<std::uint8_t>(layout);
    return resultOf(readBlock(io,
                              makeRequest(command::readOf(command::kCustomLayout), {0, n, count}),
                              kCustomLayoutRead, s.customLayout(layout)),
                    DevicePart::CustomLayout, layout);
}

DeviceResult writeCustomLayout(DeviceIo& io, const DeviceSettings& s, std::size_t layout) {
    if (layout >= kCustomLayoutCount)
        return DeviceResult::failure(DevicePart::CustomLayout, layout);
    const auto count = static_cast<std::uint8_t>(chunkCount(kCustomLayoutSize));
    const auto n = static_cast<std::uint8_t>(layout);
    return resultOf(writeBlock(io, makeRequest(command::kCustomLayout, {0, n, count}),
                               kCustomLayoutWrite, s.customLayout(layout)),
                    DevicePart::CustomLayout, layout);
}

} // namespace talvex
