#pragma once
// MacroDefine.bin: the byte image of the saved macros, 190 records of 894 bytes, no header.

#include "macros/macro_record.h"

#include <cstdint>
#include <filesystem>
#include <span>

namespace talvex {

enum class MacroFileLoad {
    Loaded,     // read from the file (a short file fills the records from the start)
    Created,    // there was no file: one of zero bytes was written
    Unreadable, // the file exists but cannot be read; it is left alone
};

// The records a file image holds: a short image fills them from the start, the rest stays zero;
// bytes past 169860 are ignored.
MacroStore macroStoreFromBytes(std::span<const std::uint8_t> image);

// Fills `macros` (set to all zero first) from the file. Nothing is validated here: every reader
// of the records bounds-checks them.
MacroFileLoad loadMacroFile(const std::filesystem::path& path, MacroStore& macros);

// Replaces the file with all 169860 bytes of `macros`; false when it cannot be written, and the
// old file is then left as it was.
bool saveMacroFile(const std::filesystem::path& path, const MacroStore& macros);

} // namespace talvex
