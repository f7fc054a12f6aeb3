#pragma once
// The keyboard's single-report commands. Reads fill fields of the settings image from the
// response; writes send fields of it. A read whose response does not arrive leaves its fields
// as they were, so a keyboard that stops answering cannot blank the settings.

#include "device/device_io.h"
#include "device/device_link.h"
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

void readDeviceInfo(DeviceIo& io, DeviceInfo& deviceInfo);
// Major and minor are response bytes 2 and 3 of the device information command.
FirmwareVersion firmwareVersionOf(const DeviceInfo& deviceInfo);

void readReportInterval(DeviceIo& io, DeviceSettings& s);
void readResponseTime(DeviceIo& io, DeviceSettings& s);
void readLighting(DeviceIo& io, DeviceSettings& s);
void readGameMode(DeviceIo& io, DeviceSettings& s);
void readPaletteColour(DeviceIo& io, DeviceSettings& s, std::size_t slot);

void writeReportInterval(DeviceIo& io, const DeviceSettings& s);
void writeResponseTime(DeviceIo& io, const DeviceSettings& s);
// Stage Open starts an apply and carries brightness 0; stage Close ends it with every value.
void writeLighting(DeviceIo& io, const DeviceSettings& s, LightingStage stage);
// Also folds `winLock` into `keyFlags`, so key flags sent afterwards carry the lock.
void writeGameMode(DeviceIo& io, DeviceSettings& s);
void writePaletteColour(DeviceIo& io, const DeviceSettings& s, std::size_t slot);
void sendResetRequest(DeviceIo& io);
void sendGameModeOn(DeviceIo& io);

// The Windows-key lock is bit 0 of key flags byte 1 (the left Windows key's cell), clear while
// locked.
void foldWinLock(DeviceSettings& s);
void unfoldWinLock(DeviceSettings& s);

} // namespace talvex
