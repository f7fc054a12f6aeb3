#pragma once
// The keyboard's settings image. Its bytes are also the first 10060 bytes of keymap.bin and of
// every profile file, so every offset below is a file layout and must never move.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace talvex {

inline constexpr std::size_t kKeyTableSize = 512;
inline constexpr std::size_t kKeyCellCount = 126;
inline constexpr std::size_t kMacroSlotCount = 32;
inline constexpr std::size_t kMacroSlotSize = 192;
inline constexpr std::size_t kPaletteSlotCount = 7;
inline constexpr std::size_t kKeyFlagsSize = 21;
inline constexpr std::size_t kCustomLayoutCount = 5;
inline constexpr std::size_t kCustomLayoutSize = 512;

struct DeviceSettings {
    std::array<std::uint8_t, 11> reserved0;
    std::uint8_t reportInterval;
    std::array<std::uint8_t, 780> reserved1;
    std::array<std::uint8_t, kKeyTableSize> keyTable;
    std::array<std::uint8_t, kMacroSlotCount * kMacroSlotSize> macroSlots;
    std::uint8_t reserved2;
    std::uint8_t responseTime;
    std::uint8_t lightEffect;
    std::uint8_t lightSpeed;
    std::uint8_t lightBrightness;
    std::uint8_t lightColour;
    std::uint8_t lightDirection;
    std::array<std::uint8_t, kPaletteSlotCount * 3> palette;
    std::uint8_t gameMode;
    std::array<std::uint8_t, kKeyFlagsSize> keyFlags;
    std::uint8_t winLock;
    std::array<std::uint8_t, kCustomLayoutCount * kCustomLayoutSize> customLayouts;
    std::uint8_t reserved3;

    std::span<std::uint8_t, kMacroSlotSize> macroSlot(std::size_t n) {
        return std::span<std::uint8_t, kMacroSlotSize>(macroSlots.data() + n * kMacroSlotSize,
                                                       kMacroSlotSize);
    }
    std::span<const std::uint8_t, kMacroSlotSize> macroSlot(std::size_t n) const {
        return std::span<const std::uint8_t, kMacroSlotSize>(
            macroSlots.data() + n * kMacroSlotSize, kMacroSlotSize);
    }
    std::span<std::uint8_t, kCustomLayoutSize> customLayout(std::size_t n) {
        return std::span<std::uint8_t, kCustomLayoutSize>(
            customLayouts.data() + n * kCustomLayoutSize, kCustomLayoutSize);
    }
    std::span<const std::uint8_t, kCustomLayoutSize> customLayout(std::size_t n) const {
        return std::span<const std::uint8_t, kCustomLayoutSize>(
            customLayouts.data() + n * kCustomLayoutSize, kCustomLayoutSize);
    }

    // The whole image as bytes, for files and comparisons.
    std::span<std::uint8_t, 10060> bytes() {
        return std::span<std::uint8_t, 10060>(reinterpret_cast<std::uint8_t*>(this), 10060);
    }
    std::span<const std::uint8_t, 10060> bytes() const {
        return std::span<const std::uint8_t, 10060>(reinterpret_cast<const std::uint8_t*>(this),
                                                    10060);
    }

    bool operator==(const DeviceSettings&) const = default;
};

inline constexpr std::size_t kDeviceSettingsSize = 10060;

static_assert(sizeof(DeviceSettings) == kDeviceSettingsSize);
static_assert(alignof(DeviceSettings) == 1);
static_assert(offsetof(DeviceSettings, reserved0) == 0);
static_assert(offsetof(DeviceSettings, reportInterval) == 11);
static_assert(offsetof(DeviceSettings, reserved1) == 12);
static_assert(offsetof(DeviceSettings, keyTable) == 792);
static_assert(offsetof(DeviceSettings, macroSlots) == 1304);
static_assert(offsetof(DeviceSettings, reserved2) == 7448);
static_assert(offsetof(DeviceSettings, responseTime) == 7449);
static_assert(offsetof(DeviceSettings, lightEffect) == 7450);
static_assert(offsetof(DeviceSettings, lightSpeed) == 7451);
static_assert(offsetof(DeviceSettings, lightBrightness) == 7452);
static_assert(offsetof(DeviceSettings, lightColour) == 7453);
static_assert(offsetof(DeviceSettings, lightDirection) == 7454);
static_assert(offsetof(DeviceSettings, palette) == 7455);
static_assert(offsetof(DeviceSettings, gameMode) == 7476);
static_assert(offsetof(DeviceSettings, keyFlags) == 7477);
static_assert(offsetof(DeviceSettings, winLock) == 7498);
static_assert(offsetof(DeviceSettings, customLayouts) == 7499);
static_assert(offsetof(DeviceSettings, reserved3) == 10059);

// A zeroed image (all fields 0), the value of a freshly created profile.
inline DeviceSettings zeroSettings() {
    DeviceSettings s;
    for (auto& b : s.bytes())
        b = 0;
    return s;
}

// Builds an image from the first 10060 bytes of a buffer; returns false when it is too short.
inline bool settingsFromBytes(std::span<const std::uint8_t> in, DeviceSettings& out) {
    if (in.size() < kDeviceSettingsSize)
        return false;
    auto dst = out.bytes();
    for (std::size_t i = 0; i < kDeviceSettingsSize; ++i)
        dst[i] = in[i];
    return true;
}

} // namespace talvex
