#pragma once
// The key assignment store: what each key does on the keyboard (its slot in keyTable, its
// enable bit in keyFlags, the device macro slots) and what the user chose for it on the host
// (its KeyAssignment entry), kept consistent with each other and with keymap.bin.

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "device/device_settings.h"
#include "keys/key_assignment.h"
#include "keys/key_choice.h"
#include "keys/key_name_table.h"
#include "platform/file_io.h"

namespace talvex {

// Everything the key assignment works on. The main window owns one instance for the whole run.
struct KeyAssignmentState {
    DeviceSettings workingSettings = zeroSettings();
    KeyAssignments assignments{};
    KeyAssignments savedAssignments{};           // the entries as last saved, restored by cancel
    std::array<std::uint8_t, 256> keyModified{}; // per position: 1 = differs from factory
};

// Rebuilds device macro slots from the saved macros after a key is given a macro. The macro
// module owns the macros, so the caller supplies it.
using MacroSlotRefresh = std::function<void(DeviceSettings&)>;

enum class KeyApplyResult {
    Applied,
    InvalidPosition, // the position names no key; nothing changed
    PathRefused,     // the action path does not fit the entry; nothing changed
    MacroRefused,    // the macro number names none of the keyboard's slots; nothing changed
    KeyUnsendable,   // a key or combination holds a key the keyboard cannot send; nothing changed
};

// Points the edit at a key position and its VK; false (and nothing changed) for no key position.
bool selectPosition(KeyEdit& edit, std::size_t position);

// Turns a choice into the position's entry, key slot, enable bit, macro slots and modified flag.
// Memory only: commitKeyAssignment adds the enable switch and the file.
[[nodiscard]] KeyApplyResult applyKeyAssignment(KeyAssignmentState& state, std::size_t position,
                                                const KeyChoice& choice, const KeyNameTable& names,
                                                const MacroSlotRefresh& refreshMacroSlots);

// The dialog's disable switch: enables the key, or disables it and marks it modified.
void applyEnableSwitch(KeyAssignmentState& state, std::size_t position, bool enabled);

struct [[nodiscard]] CommitResult {
    KeyApplyResult apply = KeyApplyResult::Applied;
    FileResult save; // of keymap.bin, when the request was applied
};

// What the dialog's Save does: clears the key's modified flag, applies the edit's choice, applies
// its enable switch and writes keymap.bin. A refused choice changes and writes nothing.
CommitResult commitKeyAssignment(KeyAssignmentState& state, const KeyEdit& edit,
                                 const KeyNameTable& names,
                                 const MacroSlotRefresh& refreshMacroSlots,
                                 const std::filesystem::path& keymapFile);

// commitKeyAssignment without the file, for a caller that decides whether keymap.bin may be
// saved over.
[[nodiscard]] KeyApplyResult commitKeyAssignmentInMemory(KeyAssignmentState& state,
                                                         const KeyEdit& edit,
                                                         const KeyNameTable& names,
                                                         const MacroSlotRefresh& refreshMacroSlots);

// The modified flags of every position, from the key table, the entries and the enable bits;
// used whenever the whole configuration is replaced. Fn is never shown as modified.
void recomputeKeyModified(KeyAssignmentState& state);

// The enable bit of a key position in keyFlags; positions past the last key have none.
bool keyEnabledAt(const DeviceSettings& settings, std::size_t position);
void setKeyEnabledAt(DeviceSettings& settings, std::size_t position, bool enabled);

} // namespace talvex
