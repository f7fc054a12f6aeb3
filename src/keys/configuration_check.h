#pragma once
// Judges a configuration before it reaches the keyboard or the profile store. Files and
// keyboard answers can hold anything, and a slot kind or macro number the firmware does not know
// can leave a key dead or playing garbage, so the caller asks here first and decides what to do
// with the answer: refuse, ask the user, or print a warning.
//
// What passes:
// - Anything equal to what the keyboard holds now, field by field (a key slot against the held
//   slot of its cell, a setting against the held byte): sending it back cannot make things worse.
// - Key slots of the 108 positions whose kind the firmware knows, and macro slots that name one
//   of the 32 device macros. Cells no position uses are never pressed and are not judged.
// - Assignment entries 0..107 of types 0..7 (8 is a request, never stored); single keys with at
//   most one captured key and combinations with at most three. The counts of types 2..7 are
//   whatever the entry held before and mean nothing.
// - Settings inside what the panel and the command line can produce, plus what older files and
//   answers legitimately hold: 0 everywhere (a blank new profile), lightSpeed 10 (a keyboard
//   answer of 0), any lightColour (the panel and the command line correct 0 and 9+ before they
//   use it), and every effect code up to the last custom layout, offered in the list or not.
//
// Bytes the keyboard ignores or that no rule can be wrong about (reserved bytes, macro slot
// contents, custom layouts, the palette, key-flag bits 6 and 7, cells 126 and 127, entries
// 108..254, paths) are never judged.

#include <optional>
#include <string>
#include <vector>

#include "device/device_settings.h"
#include "keys/key_assignment.h"

namespace talvex {

enum class CheckScope {
    // The configuration goes to the keyboard: everything is judged.
    Send,
    // The configuration only enters the profile store: what would corrupt a stored profile is
    // judged, setting ranges wait until the profile is loaded and sent.
    Import,
};

struct ConfigurationProblem {
    std::string field;   // e.g. "lightBrightness", "keyTable[30]", "assignments[12].type"
    std::string message; // one English line naming the value, for the CLI and the window
    // A setting out of range is only unusual, and the user may insist (--force, a confirmation).
    // A slot or an entry the firmware or the store cannot interpret never is.
    bool overridable = false;
};

// The first refusal, or none when the configuration may go. Refusals that cannot be overridden
// come before any that can, so a caller that overrides the one it is shown never lets a broken
// slot or entry through behind it. `assignments` and `held` may be null: without assignments
// only the image is judged; without a held image nothing passes for being unchanged.
[[nodiscard]] std::optional<ConfigurationProblem> firstProblem(const DeviceSettings& candidate,
                                                               const KeyAssignments* assignments,
                                                               const DeviceSettings* held,
                                                               CheckScope scope);

// Every refusal, in the order firstProblem would meet them: for warnings about an image that
// was not chosen here, such as what the keyboard answered.
[[nodiscard]] std::vector<ConfigurationProblem> listProblems(const DeviceSettings& candidate,
                                                             const KeyAssignments* assignments,
                                                             const DeviceSettings* held,
                                                             CheckScope scope);

// False when no key would type anything: every position is disabled in keyFlags or has an empty
// slot (all four bytes zero). The Fn and Windows keys do not count: neither types anything on
// its own. keyFlags are read as the image holds them, without folding in the Windows-key lock,
// which only touches the Windows key.
[[nodiscard]] bool hasWorkingKey(const DeviceSettings& settings);

} // namespace talvex
