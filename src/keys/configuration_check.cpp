#include "keys/configuration_check.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>

#include "keys/key_positions.h"
#include "keys/key_slot.h"

namespace talvex {

namespace {

using Problems = std::vector<ConfigurationProblem>;

constexpr std::uint8_t kKnownSlotKinds[] = {kSlotKeys, kSlotFn, kSlotConsumer, kSlotMacro,
                                            kSlotHostAction};

constexpr std::uint8_t kLastStoredType = static_cast<std::uint8_t>(AssignmentType::OpenFolder);

// VK codes of the two Windows keys; the keyboard has only the left one.
constexpr std::uint8_t kLeftWindowsVk = 0x5B;
constexpr std::uint8_t kRightWindowsVk = 0x5C;

struct SettingRange {
    const char* name;
    std::uint8_t DeviceSettings::*field;
    std::uint8_t low;
    std::uint8_t high;
};

// Every low end is 0, because a blank new profile holds zeros and sends them.
constexpr SettingRange kSettingRanges[] = {
    {"reportInterval", &DeviceSettings::reportInterval, 0, 3},
    {"responseTime", &DeviceSettings::responseTime, 0, 10},
    // 7, 9 and 14..50 are not in the effect list but the firmware has them.
    {"lightEffect", &DeviceSettings::lightEffect, 0, 55},
    // 10 is how a keyboard answer of 0 reads back.
    {"lightSpeed", &DeviceSettings::lightSpeed, 0, 10},
    {"lightBrightness", &DeviceSettings::lightBrightness, 0, 50},
    // Both the panel and the command line turn 0 into 1 and 9+ into 8 before using it.
    {"lightColour", &DeviceSettings::lightColour, 0, 255},
    {"lightDirection", &DeviceSettings::lightDirection, 0, 4},
    {"gameMode", &DeviceSettings::gameMode, 0, 1},
    {"winLock", &DeviceSettings::winLock, 0, 1},
};

// The key slot has room for three keys, and a single key uses one of them.
std::size_t maxKeyCount(std::uint8_t type) {
    return type == static_cast<std::uint8_t>(AssignmentType::SingleKey) ? 1 : 3;
}

bool hasCapturedKeys(std::uint8_t type) {
    return type == static_cast<std::uint8_t>(AssignmentType::SingleKey) ||
           type == static_cast<std::uint8_t>(AssignmentType::Combination);
}

std::string range(unsigned low, unsigned high) {
    return std::to_string(low) + "-" + std::to_string(high);
}

std::string entryField(std::size_t position, const char* member) {
    return "assignments[" + std::to_string(position) + "]." + member;
}

void judgeKeySlots(const DeviceSettings& candidate, const DeviceSettings* held, Problems& out) {
    for (std::size_t p = 0; p < kKeyPositionCount; ++p) {
        const std::size_t cell = keyPositions()[p].matrixCell;
        const KeySlot slot = readSlot(candidate, cell);
        if (held && readSlot(*held, cell) == slot)
            continue;
        const std::string field = "keyTable[" + std::to_string(cell) + "]";
        const std::string where =
            "key slot of position " + std::to_string(p) + " (cell " + std::to_string(cell) + ")";
        if (std::ranges::find(kKnownSlotKinds, slot.kind()) == std::end(kKnownSlotKinds))
            out.push_back({field, where + " has kind " + std::to_string(slot.kind()), false});
        else if (slot.kind() == kSlotMacro && slot.bytes[2] >= kMacroSlotCount)
            out.push_back({field,
                           where + " plays macro " + std::to_string(slot.bytes[2]) + ", outside " +
                               range(0, kMacroSlotCount - 1),
                           false});
    }
}

void judgeAssignmentTypes(const KeyAssignments& assignments, Problems& out) {
    for (std::size_t p = 0; p < kKeyPositionCount; ++p) {
        const std::uint8_t type = assignments[p].type;
        if (type > kLastStoredType)
            out.push_back({entryField(p, "type"),
                           "assignment of position " + std::to_string(p) + " has type " +
                               std::to_string(type) + ", outside " + range(0, kLastStoredType),
                           false});
    }
}

void judgeSettings(const DeviceSettings& candidate, const DeviceSettings* held, Problems& out) {
    for (const SettingRange& rule : kSettingRanges) {
        const std::uint8_t value = candidate.*rule.field;
        if (held && (*held).*rule.field == value)
            continue;
        if (value < rule.low || value > rule.high)
            out.push_back({rule.name,
                           std::string(rule.name) + " " + std::to_string(value) + " is outside " +
                               range(rule.low, rule.high),
                           true});
    }
}

void judgeKeyCounts(const KeyAssignments& assignments, Problems& out) {
    for (std::size_t p = 0; p < kKeyPositionCount; ++p) {
        const KeyAssignment& entry = assignments[p];
        if (hasCapturedKeys(entry.type) && entry.keyCount > maxKeyCount(entry.type))
            out.push_back({entryField(p, "keyCount"),
                           "assignment of position " + std::to_string(p) + " holds " +
                               std::to_string(entry.keyCount) + " keys, outside " +
                               range(0, static_cast<unsigned>(maxKeyCount(entry.type))),
                           true});
    }
}

} // namespace

std::optional<ConfigurationProblem> firstProblem(const DeviceSettings& candidate,
                                                 const KeyAssignments* assignments,
                                                 const DeviceSettings* held, CheckScope scope) {
    Problems all = listProblems(candidate, assignments, held, scope);
    if (all.empty())
        return std::nullopt;
    return std::move(all.front());
}

std::vector<ConfigurationProblem> listProblems(const DeviceSettings& candidate,
                                               const KeyAssignments* assignments,
                                               const DeviceSettings* held, CheckScope scope) {
    Problems out;
    // Refusals that cannot be overridden first; see firstProblem.
    judgeKeySlots(candidate, held, out);
    if (assignments)
        judgeAssignmentTypes(*assignments, out);
    if (scope == CheckScope::Send) {
        judgeSettings(candidate, held, out);
        if (assignments)
            judgeKeyCounts(*assignments, out);
    }
    return out;
}

bool hasWorkingKey(const DeviceSettings& settings) {
    for (std::size_t p = 0; p < kKeyPositionCount; ++p) {
        const KeyPosition& position = keyPositions()[p];
        if (p == kFnPosition || position.vk == kLeftWindowsVk || position.vk == kRightWindowsVk)
            continue;
        const std::size_t cell = position.matrixCell;
        const bool enabled = (settings.keyFlags[flagByteOfCell(cell)] & flagMaskOfCell(cell)) != 0;
        if (enabled && readSlot(settings, cell) != KeySlot{})
            return true;
    }
    return false;
}

} // namespace talvex
