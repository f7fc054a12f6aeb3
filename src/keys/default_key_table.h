#pragma once
// The keyboard's factory key table: what every matrix cell sends before the user changes it.

#include <array>
#include <span>

#include "keys/key_slot.h"

namespace talvex {

// The factory slot of every cell 0..125.
const std::array<KeySlot, kKeyCellCount>& defaultKeyTable();

// Writes the factory slots into a 512-byte key table; the two slots past the last cell are zero.
void fillDefaultKeyTable(std::span<std::uint8_t, kKeyTableSize> keyTable);

} // namespace talvex
