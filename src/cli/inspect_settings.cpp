#include "cli/inspect_sections.h"
#include "device/wire_trace.h"
#include "keys/default_key_table.h"
#include "keys/key_name_table.h"
#include "keys/key_positions.h"
#include "keys/key_slot.h"
#include "mainwindow/lighting_effects.h"
#include "platform/utf16.h"

#include <algorithm>
#include <cstdio>

namespace talvex {

namespace {

std::string rgbText(const std::uint8_t* rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", rgb[0], rgb[1], rgb[2]);
    return text;
}

// The key at a matrix cell as the keyboard picture names it, or empty for a cell without key.
class CellNames {
public:
    CellNames() : names(buildKeyNameTable()) {}

    std::string operator()(std::size_t cell) const {
        for (const auto& position : keyPositions()) {
            if (position.matrixCell != cell)
                continue;
            std::string name = utf16ToUtf8(names.name(position.vk));
            while (!name.empty() && name.back() == ' ')
                name.pop_back();
            return name;
        }
        return {};
    }

private:
    KeyNameTable names;
};

void addCell(ReportNode& item, const CellNames& cellName, std::size_t cell) {
    item.number("cell", static_cast<long long>(cell));
    const std::string name = cellName(cell);
    if (!name.empty())
        item.text("key", name);
}

std::string onOff(std::uint8_t value) {
    return value == 1 ? "on" : value == 0 ? "off" : "?";
}

std::string directionName(std::uint8_t direction) {
    static const char* const names[] = {"left", "right", "top", "bottom"};
    return direction >= 1 && direction <= 4 ? names[direction - 1] : "unknown";
}

std::string colourName(std::uint8_t colour) {
    if (colour == kAllColours)
        return "all colours";
    if (colour >= 1 && colour <= kPaletteSlotCount)
        return "palette colour " + std::to_string(colour);
    return "unknown";
}

void addKeys(const DeviceSettings& s, ReportNode& section, const CellNames& cellName) {
    const auto& factory = defaultKeyTable();
    section.emptyList("changedKeySlots");
    section.emptyList("disabledKeys");
    for (std::size_t cell = 0; cell < kKeyCellCount; ++cell) {
        const KeySlot slot = readSlot(s, cell);
        if (slot != factory[cell]) {
            ReportNode& item = section.item("changedKeySlots");
            addCell(item, cellName, cell);
            item.text("slot", hexBytes(slot.bytes));
            item.text("factory", hexBytes(factory[cell].bytes));
        }
        const bool keyExists = factory[cell] != KeySlot{};
        const bool enabled = (s.keyFlags[flagByteOfCell(cell)] & flagMaskOfCell(cell)) != 0;
        if (keyExists && !enabled)
            addCell(section.item("disabledKeys"), cellName, cell);
    }
}

void addMacroSlots(const DeviceSettings& s, ReportNode& section) {
    section.emptyList("macroSlotsInUse");
    for (std::size_t n = 0; n < kMacroSlotCount; ++n) {
        const auto slot = s.macroSlot(n);
        if (std::any_of(slot.begin(), slot.end(), [](std::uint8_t b) { return b != 0; }))
            section.item("macroSlotsInUse").number("slot", static_cast<long long>(n));
    }
}

void addCustomLayouts(const DeviceSettings& s, ReportNode& section, const CellNames& cellName) {
    section.emptyList("customLayoutColours");
    for (std::size_t n = 0; n < kCustomLayoutCount; ++n) {
        const auto layout = s.customLayout(n);
        for (std::size_t cell = 0; cell < kKeyCellCount; ++cell) {
            const std::uint8_t* rgb = &layout[4 * cell + 1];
            if (rgb[0] == 0 && rgb[1] == 0 && rgb[2] == 0)
                continue;
            ReportNode& item = section.item("customLayoutColours");
            item.number("layout", static_cast<long long>(n + 1), "DIY" + std::to_string(n + 1));
            addCell(item, cellName, cell);
            item.text("colour", rgbText(rgb));
        }
    }
}

} // namespace

void inspectSettings(const InspectInput& input, ReportNode& section) {
    DeviceSettings s = zeroSettings();
    settingsFromBytes(input.bytes, s);
    const CellNames cellName;

    section.number("reportInterval", s.reportInterval, "report-rate slider position 0-3");
    section.number("responseTime", s.responseTime, std::to_string(2 * s.responseTime) + " ms");
    const auto caption = lightingEffectCaption(s.lightEffect);
    section.number("lightEffect", s.lightEffect,
                   caption ? std::string(*caption) : std::string("not offered"));
    section.number("lightSpeed", s.lightSpeed, "0 slow to 9 fast");
    section.number("lightBrightness", s.lightBrightness, "0 to 50");
    section.number("lightColour", s.lightColour, colourName(s.lightColour));
    section.number("lightDirection", s.lightDirection, directionName(s.lightDirection));
    section.number("gameMode", s.gameMode, onOff(s.gameMode));
    section.number("winLock", s.winLock,
                   s.winLock == 1 ? "Windows key locked" : "Windows key free");
    for (std::size_t n = 0; n < kPaletteSlotCount; ++n) {
        ReportNode& item = section.item("palette");
        item.number("slot", static_cast<long long>(n + 1));
        item.text("colour", rgbText(&s.palette[3 * n]));
    }
    addKeys(s, section, cellName);
    addMacroSlots(s, section);
    addCustomLayouts(s, section, cellName);
}

} // namespace talvex
