#pragma once
// Reads the input reports a HID report descriptor declares. Linux names hidraw nodes by number
// only, so the descriptor is how a node is recognised as the keyboard's event channel.

#include <cstdint>
#include <map>
#include <optional>
#include <span>

namespace talvex {

struct DeclaredInputReport {
    std::uint32_t bits = 0; // without the identifier byte
    // Some of its items lie in a top-level collection of a vendor-defined usage page
    // (0xFF00-0xFFFF): a generic keyboard, mouse or consumer collection is never that.
    bool vendorDefined = false;
};

// Input reports by identifier (0 when the descriptor uses none). Empty when the descriptor uses
// identifier 0 or one above 255: the Linux kernel refuses the whole descriptor then, and cutting
// the identifier to a byte would make up a report the device never sends. A truncated
// descriptor yields what was declared before the fault.
std::map<std::uint8_t, DeclaredInputReport>
declaredInputReports(std::span<const std::uint8_t> descriptor);

// Only the sizes of declaredInputReports, in bits.
std::map<std::uint8_t, std::uint32_t> inputReportBits(std::span<const std::uint8_t> descriptor);

// Input report `reportId` when the descriptor declares it as `totalBytes` bytes on the wire, the
// identifier byte included.
std::optional<DeclaredInputReport> declaredInputReport(std::span<const std::uint8_t> descriptor,
                                                       std::uint8_t reportId,
                                                       std::size_t totalBytes);

} // namespace talvex
