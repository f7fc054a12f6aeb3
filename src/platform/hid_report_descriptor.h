#pragma once
// Reads the input reports a HID report descriptor declares. Linux names hidraw nodes by number
// only, so the descriptor is how a node is recognised as the keyboard's event channel.

#include <cstdint>
#include <map>
#include <span>

namespace talvex {

// Input report sizes in bits, by report identifier (0 when the descriptor uses none), without
// the identifier byte. A malformed or truncated descriptor yields what was declared before the
// fault.
std::map<std::uint8_t, std::uint32_t> inputReportBits(std::span<const std::uint8_t> descriptor);

// True when the descriptor declares input report `reportId` as `totalBytes` bytes on the wire,
// the identifier byte included.
bool declaresInputReport(std::span<const std::uint8_t> descriptor, std::uint8_t reportId,
                         std::size_t totalBytes);

} // namespace talvex
