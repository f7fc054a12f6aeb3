#pragma once
// The settings too large for one feature report: a command followed by a fixed number of
// 65-byte data reports, chunk k carrying bytes 64k..64k+63 of the moved area. A data report that
// does not arrive leaves its chunk as it was.

#include "device/device_io.h"
#include "device/device_settings.h"

#include <cstddef>

namespace talvex {

inline constexpr std::size_t kDataPayloadSize = 64;

void readKeyTable(DeviceIo& io, DeviceSettings& s);
void writeKeyTable(DeviceIo& io, const DeviceSettings& s);
// Also unfolds the Windows-key lock from the flags just read.
void readKeyFlags(DeviceIo& io, DeviceSettings& s);
void writeKeyFlags(DeviceIo& io, const DeviceSettings& s);
void readMacroSlot(DeviceIo& io, DeviceSettings& s, std::size_t slot);
void writeMacroSlot(DeviceIo& io, const DeviceSettings& s, std::size_t slot);
void readCustomLayout(DeviceIo& io, DeviceSettings& s, std::size_t layout);
void writeCustomLayout(DeviceIo& io, const DeviceSettings& s, std::size_t layout);

} // namespace talvex
