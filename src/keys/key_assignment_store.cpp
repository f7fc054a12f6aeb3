#include "keys/key_assignment_store.h"

#include <algorithm>

#include "keys/default_key_table.h"
#include "keys/function_catalogue.h"
#include "keys/key_positions.h"
#include "keys/key_slot.h"
#include "keys/keymap_file.h"

namespace talvex {

namespace {

// Consumer usages that a single captured key can stand for; their low byte is the device code.
constexpr std::uint8_t kMediaCode = 131; // high byte 1: usage 0x0183
constexpr std::uint8_t kPlayPauseCode = 205;
constexpr std::uint8_t kVolumeUpCode = 233;
constexpr std::uint8_t kVolumeDownCode = 234;

// What a host-action entry keeps in its data bytes; nothing reads them back.
constexpr std::uint8_t kHostActionData[] = {3, 0, 35, 2};

std::size_t cellOf(std::size_t position) {
    return keyPositions()[position].matrixCell;
}

void clearEntry(KeyAssignment& entry) {
    entry.type = static_cast<std::uint8_t>(AssignmentType::SingleKey);
    entry.keyCount = 0;
    entry.data.fill(0);
}

// The factory slot, not "the code of its own VK", is what keeps the media keys consumer keys, Fn
// the Fn key and backslash the usage the keyboard shipped with.
void writeFactorySlot(KeyAssignmentState& state, std::size_t position) {
    writeSlot(state.workingSettings, cellOf(position), defaultKeyTable()[cellOf(position)]);
}

void restoreKey(KeyAssignmentState& state, std::size_t position) {
    clearEntry(state.assignments[position]);
    writeFactorySlot(state, position);
    setKeyEnabledAt(state.workingSettings, position, true);
}

KeySlot singleKeySlot(std::uint8_t code) {
    KeySlot slot{{kSlotKeys, 0, code, 0}};
    if (code == kMediaCode)
        slot = KeySlot{{kSlotConsumer, 0, code, 1}};
    else if (code == kPlayPauseCode || code == kVolumeUpCode || code == kVolumeDownCode)
        slot = KeySlot{{kSlotConsumer, 0, code, 0}};
    return slot;
}

void storeCapturedKeys(KeyAssignment& entry, const PendingAssignment& p, AssignmentType type) {
    entry.type = static_cast<std::uint8_t>(type);
    entry.data = p.keys;
    entry.keyCount = static_cast<std::uint8_t>(std::clamp(p.keyCount, 0, 255));
}

void applySingleKey(KeyAssignmentState& state, const KeyNameTable& names, std::size_t position) {
    const PendingAssignment& p = state.pendingAssignment;
    KeyAssignment& entry = state.assignments[position];
    storeCapturedKeys(entry, p, AssignmentType::SingleKey);
    if (p.keyCount != 1)
        return;
    if (p.keys[0] == keyPositions()[position].vk) {
        clearEntry(entry);
        writeFactorySlot(state, position);
        state.keyModified[position] = 0;
        return;
    }
    state.keyModified[position] = 1;
    writeSlot(state.workingSettings, cellOf(position), singleKeySlot(names.deviceCode(p.keys[0])));
}

void applyCombination(KeyAssignmentState& state, const KeyNameTable& names, std::size_t position) {
    const PendingAssignment& p = state.pendingAssignment;
    storeCapturedKeys(state.assignments[position], p, AssignmentType::Combination);
    // Only the keys actually captured count: the buffer may still hold keys of an earlier
    // capture beyond keyCount.
    KeySlot slot{{kSlotKeys, 0, 0, 0}};
    for (int i = 0; i < std::min(p.keyCount, 3); ++i)
        slot.bytes[1 + i] = names.deviceCode(p.keys[i]);
    writeSlot(state.workingSettings, cellOf(position), slot);
    state.keyModified[position] = p.keyCount > 1 ? 1 : 0;
}

void applyMacroKey(KeyAssignmentState& state, const MacroSlotRefresh& refreshMacroSlots,
                   std::size_t position) {
    const int index = state.pendingAssignment.macroIndex;
    KeyAssignment& entry = state.assignments[position];
    entry.type = static_cast<std::uint8_t>(AssignmentType::MacroKey);
    const auto number = static_cast<std::uint8_t>(index);
    entry.data[0] = kSlotMacro;
    entry.data[1] = 1;
    entry.data[2] = number;
    entry.data[3] = 0;
    writeSlot(state.workingSettings, cellOf(position), KeySlot{{kSlotMacro, 1, number, 0}});
    state.keyModified[position] = 1;
    if (refreshMacroSlots)
        refreshMacroSlots(state.workingSettings);
}

void applyFunction(KeyAssignmentState& state, std::size_t position) {
    KeyAssignment& entry = state.assignments[position];
    entry.type = static_cast<std::uint8_t>(AssignmentType::Function);
    state.keyModified[position] = 1;
    if (auto slot = findFunction(state.pendingAssignment.functionName)) {
        writeSlot(state.workingSettings, cellOf(position), *slot);
        std::copy(slot->bytes.begin(), slot->bytes.end(), entry.data.begin());
    }
}

void applyHostAction(KeyAssignmentState& state, std::size_t position) {
    const PendingAssignment& p = state.pendingAssignment;
    KeyAssignment& entry = state.assignments[position];
    // The keyboard reports the VK back and runHostAction finds the entry by it, so slot and
    // entry must carry the same VK: the position's own.
    const std::uint8_t vk = keyPositions()[position].vk;
    entry.setPathText(p.actionPath); // the caller checked that it fits
    state.keyModified[position] = 1;
    entry.type = p.type;
    writeSlot(state.workingSettings, cellOf(position), KeySlot{{kSlotHostAction, 0, vk, 0}});
    entry.vk = vk;
    std::copy(std::begin(kHostActionData), std::end(kHostActionData), entry.data.begin());
}

} // namespace

bool selectPosition(KeyAssignmentState& state, std::size_t position) {
    if (position >= kKeyPositionCount)
        return false;
    state.selectedPosition = static_cast<std::uint8_t>(position);
    state.selectedKeyCode = keyPositions()[position].vk;
    return true;
}

KeyApplyResult applyKeyAssignment(KeyAssignmentState& state, const KeyNameTable& names,
                                  const MacroSlotRefresh& refreshMacroSlots) {
    const std::size_t position = state.selectedPosition;
    if (position >= kKeyPositionCount)
        return KeyApplyResult::InvalidPosition;
    PendingAssignment& p = state.pendingAssignment;

    if (p.keyCount == kRestoreMarker) {
        restoreKey(state, position);
        p.keyEnabled = true;
        return KeyApplyResult::Applied;
    }
    if (isHostActionType(p.type) && !isStorableActionPath(p.actionPath))
        return KeyApplyResult::PathRefused;
    // The keyboard holds 32 macro slots: an entry naming another would show a macro on the key
    // that the keyboard never plays.
    if (p.type == static_cast<std::uint8_t>(AssignmentType::MacroKey) &&
        (p.macroIndex < 0 || p.macroIndex >= static_cast<int>(kMacroSlotCount)))
        return KeyApplyResult::MacroRefused;

    switch (static_cast<AssignmentType>(p.type)) {
    case AssignmentType::SingleKey:
        applySingleKey(state, names, position);
        break;
    case AssignmentType::Combination:
        applyCombination(state, names, position);
        break;
    case AssignmentType::MacroKey:
        applyMacroKey(state, refreshMacroSlots, position);
        break;
    case AssignmentType::Function:
        applyFunction(state, position);
        break;
    case AssignmentType::PlaySound:
    case AssignmentType::StartProgram:
    case AssignmentType::OpenFile:
    case AssignmentType::OpenFolder:
        applyHostAction(state, position);
        break;
    case AssignmentType::RestoreDefault:
        restoreKey(state, position);
        break;
    default: // an unknown type changes nothing
        break;
    }
    return KeyApplyResult::Applied;
}

void applyEnableSwitch(KeyAssignmentState& state) {
    const std::size_t position = state.selectedPosition;
    if (position >= kKeyPositionCount)
        return;
    const bool enabled = state.pendingAssignment.keyEnabled;
    if (!enabled)
        state.keyModified[position] = 1;
    setKeyEnabledAt(state.workingSettings, position, enabled);
}

KeyApplyResult commitKeyAssignmentInMemory(KeyAssignmentState& state, const KeyNameTable& names,
                                           const MacroSlotRefresh& refreshMacroSlots) {
    const std::size_t position = state.selectedPosition;
    if (position >= kKeyPositionCount)
        return KeyApplyResult::InvalidPosition;
    const std::uint8_t modifiedBefore = state.keyModified[position];
    state.keyModified[position] = 0;
    const KeyApplyResult applied = applyKeyAssignment(state, names, refreshMacroSlots);
    if (applied != KeyApplyResult::Applied) {
        state.keyModified[position] = modifiedBefore;
        return applied;
    }
    applyEnableSwitch(state);
    return applied;
}

CommitResult commitKeyAssignment(KeyAssignmentState& state, const KeyNameTable& names,
                                 const MacroSlotRefresh& refreshMacroSlots,
                                 const std::filesystem::path& keymapFile) {
    CommitResult result;
    result.apply = commitKeyAssignmentInMemory(state, names, refreshMacroSlots);
    if (result.apply == KeyApplyResult::Applied)
        result.save = saveKeymapFile(keymapFile, state.workingSettings, state.assignments);
    return result;
}

void recomputeKeyModified(KeyAssignmentState& state) {
    state.keyModified.fill(0);
    for (std::size_t p = 0; p < kKeyPositionCount; ++p) {
        if (p == kFnPosition)
            continue;
        const std::size_t cell = cellOf(p);
        const KeyAssignment& entry = state.assignments[p];
        const bool modified =
            readSlot(state.workingSettings, cell).bytes[2] != defaultKeyTable()[cell].bytes[2] ||
            entry.type != 0 || (entry.keyCount == 1 && entry.data[0] != entry.vk) ||
            !keyEnabledAt(state.workingSettings, p);
        state.keyModified[p] = modified ? 1 : 0;
    }
}

bool keyEnabledAt(const DeviceSettings& settings, std::size_t position) {
    if (position >= kKeyPositionCount)
        return false;
    const std::size_t cell = cellOf(position);
    return (settings.keyFlags[flagByteOfCell(cell)] & flagMaskOfCell(cell)) != 0;
}

void setKeyEnabledAt(DeviceSettings& settings, std::size_t position, bool enabled) {
    if (position >= kKeyPositionCount)
        return;
    const std::size_t cell = cellOf(position);
    std::uint8_t& flags = settings.keyFlags[flagByteOfCell(cell)];
    flags = enabled ? static_cast<std::uint8_t>(flags | flagMaskOfCell(cell))
                    : static_cast<std::uint8_t>(flags & ~flagMaskOfCell(cell));
}

} // namespace talvex
