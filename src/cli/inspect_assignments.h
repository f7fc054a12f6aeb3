#pragma once
// The key assignment entries of a keymap.bin or profile in words, for `inspect` and `assign`:
// position, key label, type, captured keys by name, function name, macro number, path, and the
// key's slot and enable bit on the keyboard's side.

#include <cstddef>

#include "cli/inspect_sections.h"
#include "device/device_settings.h"
#include "keys/key_assignment.h"
#include "keys/key_name_table.h"

namespace talvex {

// An entry is in use when it holds an assignment type or captured keys.
bool assignmentInUse(const KeyAssignment& entry);

// The fields of one key position's assignment.
void reportAssignment(ReportNode& node, const KeyNameTable& names, const DeviceSettings& settings,
                      const KeyAssignments& assignments, std::size_t position);

// Every key position whose entry is in use or whose key is disabled.
void inspectAssignments(const InspectInput& input, ReportNode& section);

} // namespace talvex
