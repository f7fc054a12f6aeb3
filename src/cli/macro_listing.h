#pragma once
// The macros of a MacroDefine.bin in words, for `inspect`: each macro in use with its number,
// name, loop count and option, then its event lines exactly as the macro manager lists them.

#include "keys/key_name_table.h"
#include "macros/macro_record.h"

#include <ostream>

namespace talvex {

void printMacroListing(std::ostream& out, const KeyNameTable& names, const MacroStore& macros);

} // namespace talvex
