#include "keys/factory_configuration.h"

#include "keys/default_key_table.h"
#include "keys/key_assignment.h"
#include "keys/keymap_file.h"

#include <algorithm>
#include <memory>

namespace talvex {

namespace {

constexpr std::uint8_t kAllKeysEnabled = 0x3F; // bits 0..5, one per cell of the column

} // namespace

DeviceSettings factorySettings() {
    DeviceSettings s = zeroSettings();
    s.reportInterval = 1;
    fillDefaultKeyTable(s.keyTable);
    s.responseTime = 1;
    s.lightEffect = 1;
    s.lightSpeed = 5;
    s.lightBrightness = 50;
    s.lightColour = 1;
    s.lightDirection = 1;
    const std::uint8_t palette[kPaletteSlotCount * 3] = {0xFF, 0x00, 0x00, 0xFF, 0x80, 0x00, 0xFF,
                                                         0xFF, 0x00, 0x00, 0xFF, 0x00, 0x00, 0xFF,
                                                         0xFF, 0x00, 0x00, 0xFF, 0x80, 0x00, 0xFF};
    std::copy(std::begin(palette), std::end(palette), s.palette.begin());
    s.gameMode = 0;
    s.keyFlags.fill(kAllKeysEnabled);
    return s;
}

std::vector<std::uint8_t> factoryConfigurationBytes() {
    auto assignments = std::make_unique<KeyAssignments>(); // 196 KB: not on the stack
    resetAssignments(*assignments);
    return keymapFileBytes(factorySettings(), *assignments);
}

} // namespace talvex
