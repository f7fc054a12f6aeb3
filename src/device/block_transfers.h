#pragma once
// The settings too large for one feature report: a command followed by a fixed number of
// 65-byte data reports, chunk k carrying bytes 64k..64k+63 of the moved area. A read changes the
// area only when every data report arrived whole; the response to its request is not judged, as
// the keyboard's answer there carries nothing. A write stops at the first report that fails.

#include "device/device_io.h"
#include "device/device_result.h"
#include "device/device_settings.h"

#include <cstddef>

namespace talvex {

inline constexpr std::size_t kDataPayloadSize = 64;

DeviceResult readKeyTable(DeviceIo& io, DeviceSettings& s);
DeviceResult writeKeyTable(DeviceIo& io, const DeviceSettings& s);
// Also unfolds the Windows-key lock from the flags just read.
DeviceResult readKeyFlags(DeviceIo& io, DeviceSettings& s);
DeviceResult writeKeyFlags(DeviceIo& io, const DeviceSettings& s);
DeviceResult readMacroSlot(DeviceIo& io, DeviceSettings& s, std::size_t slot);
DeviceResult writeMacroSlot(DeviceIo& io, const DeviceSettings& s, std::size_t slot);
DeviceResult readCustomLayout(DeviceIo& io, DeviceSettings& s, std::size_t layout);
DeviceResult writeCustomLayout(DeviceIo& io, const DeviceSettings& s, std::size_t layout);

} // namespace talvex
