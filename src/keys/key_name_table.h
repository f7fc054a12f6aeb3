#pragma once
// Host and keyboard name every key differently: the host by its Windows virtual-key code (VK,
// 0..255), the keyboard by a device code (a HID Keyboard/Keypad usage, the low byte of a
// Consumer usage for the four media keys, or 240..249 for mouse actions). This table maps the
// first to the second and to the text shown for the key.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace talvex {

inline constexpr std::size_t kKeyNameCount = 256;

struct KeyNameRecord {
    std::uint8_t vk = 0;
    std::uint8_t deviceCode = 0; // 0 = the keyboard has no code for this VK
    std::u16string name;         // empty for keys without a code
};

struct KeyNameTable {
    std::array<KeyNameRecord, kKeyNameCount> records;

    std::uint8_t deviceCode(std::uint8_t vk) const { return records[vk].deviceCode; }
    const std::u16string& name(std::uint8_t vk) const { return records[vk].name; }
};

// Built once at start-up and read-only afterwards. Most names end in one blank on purpose: the
// combination text relies on it.
KeyNameTable buildKeyNameTable();

// Text of up to three captured keys in capture order, "+ " between the names, e.g.
// "LCtrl + LAlt + Del ". Keys beyond the third are ignored.
std::u16string combinationText(const KeyNameTable& table, std::span<const std::uint8_t> keys);

} // namespace talvex
