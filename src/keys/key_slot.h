#pragma once
// One 4-byte entry of the keyboard's key table. Byte 0 says how the firmware reads the other
// three bytes.

#include <array>
#include <cstddef>
#include <cstdint>

#include "device/device_settings.h"

namespace talvex {

inline constexpr std::size_t kKeySlotSize = 4;
inline constexpr std::size_t kKeySlotCount = kKeyTableSize / kKeySlotSize; // 128; cells 0..125

enum SlotKind : std::uint8_t {
    kSlotKeys = 0,        // up to three Keyboard/Keypad usages in bytes 1..3; plain key: 0,0,code,0
    kSlotFn = 2,          // the Fn key
    kSlotConsumer = 3,    // one Consumer usage, little-endian in bytes 2..3
    kSlotMacro = 4,       // 4, 1, macro number, 0
    kSlotHostAction = 10, // 10, 0, host key code, 0: the keyboard reports the code to the host
};

struct KeySlot {
    std::array<std::uint8_t, kKeySlotSize> bytes{};

    std::uint8_t kind() const { return bytes[0]; }
    bool operator==(const KeySlot&) const = default;
};
static_assert(sizeof(KeySlot) == kKeySlotSize);

// The slot of a matrix cell (0..127) inside a key table.
inline KeySlot readSlot(const DeviceSettings& settings, std::size_t cell) {
    KeySlot slot;
    for (std::size_t i = 0; i < kKeySlotSize; ++i)
        slot.bytes[i] = settings.keyTable[cell * kKeySlotSize + i];
    return slot;
}

inline void writeSlot(DeviceSettings& settings, std::size_t cell, const KeySlot& slot) {
    for (std::size_t i = 0; i < kKeySlotSize; ++i)
        settings.keyTable[cell * kKeySlotSize + i] = slot.bytes[i];
}

} // namespace talvex
