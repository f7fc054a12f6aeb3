#include "device/block_transfers.h"

#include "device/commands.h"
#include "device/hid_transport.h"

#include <algorithm>
#include <span>

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

// Request, an ignored get, then the area's chunks read from bytes 1..64 of each report.
void readBlock(DeviceIo& io, const FeatureReport& request, const ReadPhase& phase,
               std::span<std::uint8_t> area) {
    io.channel.setFeature(request);
    pauseIf(io, phase.afterRequest);
    FeatureReport ignored{};
    io.channel.getFeature(ignored);
    pauseIf(io, phase.afterGet);
    for (std::size_t k = 0; k < chunkCount(area.size()); ++k) {
        DataReport report{};
        if (io.channel.readData(report)) {
            const std::size_t begin = k * kDataPayloadSize;
            const std::size_t n = std::min(kDataPayloadSize, area.size() - begin);
            std::copy_n(report.begin() + 1, n, area.begin() + begin);
        }
        pauseIf(io, phase.afterEachReport);
    }
}

// Request, then the area's chunks in bytes 1..64 of zeroed reports.
void writeBlock(DeviceIo& io, const FeatureReport& request, const WritePhase& phase,
                std::span<const std::uint8_t> area) {
    io.channel.setFeature(request);
    pauseIf(io, phase.afterRequest);
    const std::size_t chunks = chunkCount(area.size());
    for (std::size_t k = 0; k < chunks; ++k) {
        if (k > 0)
            pauseIf(io, phase.betweenReports);
        DataReport report{};
        const std::size_t begin = k * kDataPayloadSize;
        const std::size_t n = std::min(kDataPayloadSize, area.size() - begin);
        std::copy_n(area.begin() + begin, n, report.begin() + 1);
        io.channel.writeData(report);
        pauseIf(io, phase.afterEachReport);
    }
    pauseIf(io, phase.afterLastReport);
}

} // namespace

void readKeyTable(DeviceIo& io, DeviceSettings& s) {
    readBlock(io, makeRequest(command::readOf(command::kKeyTable)), kKeyTableRead, s.keyTable);
}

void writeKeyTable(DeviceIo& io, const DeviceSettings& s) {
    const auto count = static_cast<std::uint8_t>(chunkCount(kKeyTableSize));
    writeBlock(io, makeRequest(command::kKeyTable, {0, 0, count}), kKeyTableWrite, s.keyTable);
}

void readKeyFlags(DeviceIo& io, DeviceSettings& s) {
    readBlock(io, makeRequest(command::readOf(command::kKeyFlags), {0, 0, kKeyFlagsSize}),
              kKeyFlagsRead, s.keyFlags);
    unfoldWinLock(s);
}

void writeKeyFlags(DeviceIo& io, const DeviceSettings& s) {
    writeBlock(io, makeRequest(command::kKeyFlags, {0, 0, kKeyFlagsSize}), kKeyFlagsWrite,
               s.keyFlags);
}

void readMacroSlot(DeviceIo& io, DeviceSettings& s, std::size_t slot) {
    if (slot >= kMacroSlotCount)
        return;
    readBlock(
        io, makeRequest(command::readOf(command::kMacroSlot), {0, static_cast<std::uint8_t>(slot)}),
        kMacroSlotRead, s.macroSlot(slot));
}

void writeMacroSlot(DeviceIo& io, const DeviceSettings& s, std::size_t slot) {
    if (slot >= kMacroSlotCount)
        return;
    const auto count = static_cast<std::uint8_t>(chunkCount(kMacroSlotSize));
    writeBlock(io, makeRequest(command::kMacroSlot, {0, static_cast<std::uint8_t>(slot), count}),
               kMacroSlotWrite, s.macroSlot(slot));
}

void readCustomLayout(DeviceIo& io, DeviceSettings& s, std::size_t layout) {
    if (layout >= kCustomLayoutCount)
        return;
    const auto count = static_cast<std::uint8_t>(chunkCount(kCustomLayoutSize));
    readBlock(io,
              makeRequest(command::readOf(command::kCustomLayout),
                          {0, static_cast<std::uint8_t>(layout), count}),
              kCustomLayoutRead, s.customLayout(layout));
}

void writeCustomLayout(DeviceIo& io, const DeviceSettings& s, std::size_t layout) {
    if (layout >= kCustomLayoutCount)
        return;
    const auto count = static_cast<std::uint8_t>(chunkCount(kCustomLayoutSize));
    writeBlock(io,
               makeRequest(command::kCustomLayout, {0, static_cast<std::uint8_t>(layout), count}),
               kCustomLayoutWrite, s.customLayout(layout));
}

} // namespace talvex
