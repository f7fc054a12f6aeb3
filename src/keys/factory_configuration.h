#pragma once
// The configuration of a keyboard fresh from the factory: the default key table with every key
// enabled, and lighting and performance values the settings panel can show. The simulated
// keyboard starts from it, and so does every configuration the program makes up itself (a new
// profile, a first keymap.bin), so none of them can leave a key dead.

#include "device/device_settings.h"

#include <cstdint>
#include <vector>

namespace talvex {

DeviceSettings factorySettings();

// The factory settings followed by empty assignment entries carrying their position VKs, as a
// whole 206920-byte configuration file.
std::vector<std::uint8_t> factoryConfigurationBytes();

} // namespace talvex
