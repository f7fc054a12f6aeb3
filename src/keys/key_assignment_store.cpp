#include "keys/key_assignment_store.h"

#include <algorithm>
#include <optional>
#include <type_traits>
#include <variant>

#include "keys/default_key_table.h"
#include "keys/function_catalogue.h"
#include "keys/key_positions.h"
#include "keys/key_reach.h"
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

void applySingleKey(KeyAssignmentState& state, const KeyNameTable& names, std::size_t position,
                    const SingleKeyChoice& choice) {
    KeyAssignment& entry = state.assignments[position];
    clearEntry(entry);
    if (choice.vk == keyPositions()[position].vk) {
        writeFactorySlot(state, position);
        state.keyModified[position] = 0;
        return;
    }
    entry.data[0] = choice.vk;
    entry.keyCount = 1;
    state.keyModified[position] = 1;
    writeSlot(state.workingSettings, cellOf(position), singleKeySlot(names.deviceCode(choice.vk)));
}

void applyCombination(KeyAssignmentState& state, const KeyNameTable& names, std::size_t position,
                      const CombinationChoice& choice) {
    KeyAssignment& entry = state.assignments[position];
    const std::size_t count = std::min(choice.vks.size(), entry.data.size());
    entry.type = static_cast<std::uint8_t>(AssignmentType::Combination);
    entry.data.fill(0);
    std::copy_n(choice.vks.begin(), count, entry.data.begin());
    entry.keyCount = static_cast<std::uint8_t>(count);
    // The keyboard's slot has room for three keys.
    KeySlot slot{{kSlotKeys, 0, 0, 0}};
    for (std::size_t i = 0; i < std::min<std::size_t>(count, 3); ++i)
        slot.bytes[1 + i] = names.deviceCode(choice.vks[i]);
    writeSlot(state.workingSettings, cellOf(position), slot);
    state.keyModified[position] = count > 1 ? 1 : 0;
}

void applyMacroKey(KeyAssignmentState& state, const MacroSlotRefresh& refreshMacroSlots,
                   std::size_t position, const MacroChoice& choice) {
    KeyAssignment& entry = state.assignments[position];
    entry.type = static_cast<std::uint8_t>(AssignmentType::MacroKey);
    const auto number = static_cast<std::uint8_t>(choice.number);
    entry.data[0] = kSlotMacro;
    entry.data[1] = 1;
    entry.data[2] = number;
    entry.data[3] = 0;
    writeSlot(state.workingSettings, cellOf(position), KeySlot{{kSlotMacro, 1, number, 0}});
    state.keyModified[position] = 1;
    if (refreshMacroSlots)
        refreshMacroSlots(state.workingSettings);
}

void applyFunction(KeyAssignmentState& state, std::size_t position, const FunctionChoice& choice) {
    KeyAssignment& entry = state.assignments[position];
    entry.type = static_cast<std::uint8_t>(AssignmentType::Function);
    state.keyModified[position] = 1;
    if (auto slot = findFunction(choice.name)) {
        writeSlot(state.workingSettings, cellOf(position), *slot);
        std::copy(slot->bytes.begin(), slot->bytes.end(), entry.data.begin());
    }
}

void applyHostAction(KeyAssignmentState& state, std::size_t position,
                     const HostActionChoice& choice) {
    KeyAssignment& entry = state.assignments[position];
    // The keyboard reports the VK back and runHostAction finds the entry by it, so slot and
    // entry must carry the same VK: the position's own.
    const std::uint8_t vk = keyPositions()[position].vk;
    entry.setPathText(choice.path); // the caller checked that it fits
    state.keyModified[position] = 1;
    entry.type = static_cast<std::uint8_t>(static_cast<int>(AssignmentType::PlaySound) +
                                           static_cast<int>(choice.kind));
    writeSlot(state.workingSettings, cellOf(position), KeySlot{{kSlotHostAction, 0, vk, 0}});
    entry.vk = vk;
    std::copy(std::begin(kHostActionData), std::end(kHostActionData), entry.data.begin());
}

// Why a choice cannot be stored, before anything changes.
std::optional<KeyApplyResult> refusal(const KeyChoice& choice, const KeyNameTable& names) {
    if (const auto* action = std::get_if<HostActionChoice>(&choice);
        action && !isStorableActionPath(action->path))
        return KeyApplyResult::PathRefused;
    // The keyboard holds 32 macro slots: an entry naming another would show a macro on the key
    // that the keyboard never plays.
    if (const auto* macro = std::get_if<MacroChoice>(&choice);
        macro && (macro->number < 0 || macro->number >= static_cast<int>(kMacroSlotCount)))
        return KeyApplyResult::MacroRefused;
    auto unsendable = [&](std::uint8_t vk) { return keyReach(names, vk) != KeyReach::Sendable; };
    if (const auto* single = std::get_if<SingleKeyChoice>(&choice);
        single && unsendable(single->vk))
        return KeyApplyResult::KeyUnsendable;
    if (const auto* combination = std::get_if<CombinationChoice>(&choice);
        combination && std::any_of(combination->vks.begin(), combination->vks.end(), unsendable))
        return KeyApplyResult::KeyUnsendable;
    return std::nullopt;
}

} // namespace

bool selectPosition(KeyEdit& edit, std::size_t position) {
    if (position >= kKeyPositionCount)
        return false;
    edit.position = static_cast<std::uint8_t>(position);
    edit.keyCode = keyPositions()[position].vk;
    return true;
}

KeyApplyResult applyKeyAssignment(KeyAssignmentState& state, std::size_t position,
                                  const KeyChoice& choice, const KeyNameTable& names,
                                  const MacroSlotRefresh& refreshMacroSlots) {
    if (position >= kKeyPositionCount)
        return KeyApplyResult::InvalidPosition;
    if (const std::optional<KeyApplyResult> refused = refusal(choice, names))
        return *refused;
    std::visit(
        [&](const auto& c) {
            using Choice = std::decay_t<decltype(c)>;
            if constexpr (std::is_same_v<Choice, RestoreKey>)
                restoreKey(state, position);
            else if constexpr (std::is_same_v<Choice, SingleKeyChoice>)
                applySingleKey(state, names, position, c);
            else if constexpr (std::is_same_v<Choice, CombinationChoice>)
                applyCombination(state, names, position, c);
            else if constexpr (std::is_same_v<Choice, MacroChoice>)
                applyMacroKey(state, refreshMacroSlots, position, c);
            else if constexpr (std::is_same_v<Choice, FunctionChoice>)
                applyFunction(state, position, c);
            else
                applyHostAction(state, position, c);
        },
        choice);
    return KeyApplyResult::Applied;
}

void applyEnableSwitch(KeyAssignmentState& state, std::size_t position, bool enabled) {
    if (position >= kKeyPositionCount)
        return;
    if (!enabled)
        state.keyModified[position] = 1;
    setKeyEnabledAt(state.workingSettings, position, enabled);
}

KeyApplyResult commitKeyAssignmentInMemory(KeyAssignmentState& state, const KeyEdit& edit,
                                           const KeyNameTable& names,
                                           const MacroSlotRefresh& refreshMacroSlots) {
    const std::size_t position = edit.position;
    if (position >= kKeyPositionCount)
        return KeyApplyResult::InvalidPosition;
    const std::uint8_t modifiedBefore = state.keyModified[position];
    state.keyModified[position] = 0;
    if (edit.choice) {
        const KeyApplyResult applied =
            applyKeyAssignment(state, position, *edit.choice, names, refreshMacroSlots);
        if (applied != KeyApplyResult::Applied) {
            state.keyModified[position] = modifiedBefore;
            return applied;
        }
    }
    applyEnableSwitch(state, position, edit.keyEnabled);
    return KeyApplyResult::Applied;
}

CommitResult commitKeyAssignment(KeyAssignmentState& state, const KeyEdit& edit,
                                 const KeyNameTable& names,
                                 const MacroSlotRefresh& refreshMacroSlots,
                                 const std::filesystem::path& keymapFile) {
    CommitResult result;
    result.apply = commitKeyAssignmentInMemory(state, edit, names, refreshMacroSlots);
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
