#pragma once
// The keyboard's single-report commands. Reads fill fields of the settings image from the
// response; writes send fields of it. A read succeeds only when its request went out and a whole
// response came back; otherwise its fields stay as they were, so a keyboard that stops answering
// cannot blank the settings. A write succeeds when its request went out.

#include "device/device_io.h"
#include "device/device_link.h"
#include "device/device_result.h"
#include "device/device_settings.h"

#include <cstddef>
#include <cstdint>

namespace talvex {

namespace command {
inline constexpr std::uint8_t kDeviceInfo = 0x80;
inline constexpr std::uint8_t kReportInterval = 0x01;
inline constexpr std::uint8_t kResponseTime = 0x04;
inline constexpr std::uint8_t kLighting = 0x08;
inline constexpr std::uint8_t kGameMode = 0x09;
inline constexpr std::uint8_t kKeyTable = 0x0D;
inline constexpr std::uint8_t kKeyFlags = 0x0E;
inline constexpr std::uint8_t kMacroSlot = 0x11;
inline constexpr std::uint8_t kCustomLayout = 0x12;
inline constexpr std::uint8_t kReset = 0x13;
inline constexpr std::uint8_t kPaletteColour = 0x14;
// A read command is its write command with bit 7 set.
inline constexpr std::uint8_t kReadBit = 0x80;
constexpr std::uint8_t readOf(std::uint8_t writeCommand) {
    return writeCommand | kReadBit;
}
} // namespace command

enum class LightingStage : std::uint8_t { Open = 1, Close = 2 };

DeviceResult readDeviceInfo(DeviceIo& io, DeviceInfo& deviceInfo);
// Major and minor are response bytes 2 and 3 of the device information command.
FirmwareVersion firmwareVersionOf(const DeviceInfo& deviceInfo);

DeviceResult readReportInterval(DeviceIo& io, DeviceSettings& s);
DeviceResult readResponseTime(DeviceIo& io, DeviceSettings& s);
DeviceResult readLighting(DeviceIo& io, DeviceSettings& s);
DeviceResult readGameMode(DeviceIo& io, DeviceSettings& s);
DeviceResult readPaletteColour(DeviceIo& io, DeviceSettings& s, std::size_t slot);

DeviceResult writeReportInterval(DeviceIo& io, const DeviceSettings& s);
DeviceResult writeResponseTime(DeviceIo& io, const DeviceSettings& s);
// Stage Open starts an apply and carries brightness 0; stage Close ends it with every value.
DeviceResult writeLighting(DeviceIo& io, const DeviceSettings& s, LightingStage stage);
// Also folds `winLock` into `keyFlags`, so key flags sent afterwards carry the lock.
DeviceResult writeGameMode(DeviceIo& io, DeviceSettings& s);
DeviceResult writePaletteColour(DeviceIo& io, const DeviceSettings& s, std::size_t slot);
DeviceResult sendResetRequest(DeviceIo& io);
DeviceResult sendGameModeOn(DeviceIo& io);

// The Windows-key lock is bit 0 of key flags byte 1 (the left Windows key's cell), clear while
// locked.
void foldWinLock(DeviceSettings& s);
void unfoldWinLock(DeviceSettings& s);

} // namespace talvex
