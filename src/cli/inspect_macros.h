#pragma once
// The macros of a MacroDefine.bin for `inspect`: each macro in use with its number, name, loop
// count and option, and its event lines exactly as the macro manager lists them.

#include "cli/inspect_sections.h"

namespace talvex {

void inspectMacros(const InspectInput& input, ReportNode& section);

} // namespace talvex
