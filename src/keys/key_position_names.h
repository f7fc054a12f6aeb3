#pragma once
// Stable ASCII names for the key positions and the keys the keyboard can send, for files people
// read and edit (the profile documents). They follow the key codes of web browsers' keyboard
// events ("KeyA", "Digit1", "ShiftLeft"), which name a key by where it sits rather than by what
// a layout prints on it, and they never change or get translated: stored documents rely on them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace talvex {

// The name of key position 0..107; every position has one, and no two share it.
std::string_view positionName(std::size_t position);
std::optional<std::size_t> positionOfName(std::string_view name);

// The name of a VK the keyboard has a code for: a position's key, the right Windows key and the
// mouse buttons and movements. Empty for other VKs, which files then give as numbers.
std::optional<std::string_view> vkName(std::uint8_t vk);
std::optional<std::uint8_t> vkOfName(std::string_view name);

} // namespace talvex
