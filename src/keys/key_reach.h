#pragma once
// The host captures keys the keyboard has no code for (F13-F24, the ISO extra key, browser and
// launch keys, ...). Stored on a key they would write an empty slot and leave it dead, so every
// way of assigning a key asks this first.

#include "keys/key_name_table.h"

#include <cstdint>
#include <string_view>

namespace talvex {

enum class KeyReach {
    Sendable,
    AsFunction, // the keyboard sends it only as a function of the function page
    Unsendable,
};

KeyReach keyReach(const KeyNameTable& names, std::uint8_t vk);

// The function page's name for a key the keyboard sends only as a function; empty otherwise.
std::u16string_view functionForHostKey(std::uint8_t vk);

} // namespace talvex
