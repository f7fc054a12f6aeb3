#include "macros/macro_slots.h"

#include <algorithm>

namespace talvex {

static_assert(kMacroSlotSize == 2 + kMacroEventBytes);

void buildMacroSlots(const MacroStore& savedMacros, DeviceSettings& settings) {
    for (std::size_t i = 0; i < kMacroSlotCount && savedMacros.records[i].inUse(); ++i) {
        const MacroRecord& record = savedMacros.records[i];
        auto slot = settings.macroSlot(i);
        std::uint16_t loops = record.loopCountValue();
        slot[0] = static_cast<std::uint8_t>(loops >> 8);
        slot[1] = static_cast<std::uint8_t>(loops & 0xFF);
        std::copy(record.deviceEvents.begin(), record.deviceEvents.end(), slot.begin() + 2);
    }
}

} // namespace talvex
