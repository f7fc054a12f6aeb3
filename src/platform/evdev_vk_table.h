#pragma once
// Linux input (evdev) key codes to Windows virtual-key codes. Key capture works from the key's
// position, not from what the layout types, so left and right modifiers, keypad keys and media
// keys each keep their own code whatever layout the desktop has.

#include <cstdint>
#include <span>

namespace talvex {

struct EvdevVk {
    std::uint16_t evdev;
    std::uint8_t vk;
};

// Every mapped key, one row each, in evdev order.
std::span<const EvdevVk> evdevVkTable();

// 0 when the key has no virtual-key code.
std::uint8_t vkFromEvdev(std::uint32_t evdevCode);

// X11 and Wayland report a key's native scan code as its evdev code + 8.
std::uint8_t vkFromNativeScanCode(std::uint32_t nativeScanCode);

} // namespace talvex
