#pragma once
// The key assignment entries of a keymap.bin or profile file in words: one line per key
// position whose entry is in use, for `inspect` and `assign`.

#include <cstddef>
#include <ostream>
#include <string>

#include "device/device_settings.h"
#include "keys/key_assignment.h"
#include "keys/key_name_table.h"

namespace talvex {

// An entry is in use when it holds an assignment type or captured keys.
bool assignmentInUse(const KeyAssignment& entry);

// "74 Ent: program \"/usr/bin/true\"; slot 0a 00 0d 00" and the like.
std::string describeAssignment(const KeyNameTable& names, const DeviceSettings& settings,
                               const KeyAssignments& assignments, std::size_t position);

// Every key position whose entry is in use or whose key is disabled, or a line saying there is
// none.
void printAssignmentEntries(std::ostream& out, const KeyNameTable& names,
                            const DeviceSettings& settings, const KeyAssignments& assignments);

} // namespace talvex
