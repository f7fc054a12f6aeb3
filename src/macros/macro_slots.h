#pragma once
// The keyboard's copy of the macros: one 192-byte slot per macro number, the loop count
// big-endian followed by the device-code event sequence.

#include "device/device_settings.h"
#include "macros/macro_record.h"

namespace talvex {

// Fills slot i from record i for the records in use, up to the 32 slots; slots from the first
// unused record onward keep what they held.
void buildMacroSlots(const MacroStore& savedMacros, DeviceSettings& settings);

} // namespace talvex
