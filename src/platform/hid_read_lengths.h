#pragma once
// How many bytes a read from the operating system must hold to count as a whole report. The
// answers come from the keyboard and are untrusted: a short one is a failed read, never a report
// padded with zeros.

#include "platform/hid.h"

#include <cstddef>
#include <span>

namespace talvex {

// A feature report is whole when its 8 bytes after the identifier arrived.
bool isWholeFeatureReport(int length);

// Copies a data report of `length` bytes, as read, into `report` (identifier in byte 0, payload
// in 1..64). hidraw leaves out the identifier of an unnumbered report, so 64 bytes are a whole
// report as well as 65. False, and `report` untouched, when fewer payload bytes arrived.
bool takeDataReport(std::span<const std::uint8_t> read,
                    std::span<std::uint8_t, kDataReportSize> report);

} // namespace talvex
