#pragma once
// What a read, a write or a whole sequence on the command channel reports: whether every report
// went out and every answer arrived whole, and when not, the first part that failed.

#include <cstddef>
#include <string>

namespace talvex {

// The parts of the keyboard's state that one command or one apply step moves.
enum class DevicePart {
    Lighting,
    Palette,
    GameMode,
    ReportRate,
    ResponseTime,
    KeyTable,
    KeyFlags,
    MacroSlot,
    CustomLayout,
    DeviceInfo,
    Reset,
};

// English name of a part, e.g. "macro slot 17".
std::string describeDevicePart(DevicePart part, std::size_t index);

struct [[nodiscard]] DeviceResult {
    bool ok = true;
    DevicePart failedPart = DevicePart::Lighting; // meaningful when !ok
    std::size_t failedIndex = 0;                  // slot or layout number of the failed part

    static DeviceResult failure(DevicePart part, std::size_t index = 0) {
        return {false, part, index};
    }
    std::string describeFailure() const { return describeDevicePart(failedPart, failedIndex); }
};

} // namespace talvex
