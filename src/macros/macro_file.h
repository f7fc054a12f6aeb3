#pragma once
// MacroDefine.bin: the byte image of the saved macros, 190 records of 894 bytes, no header.

#include "macros/macro_record.h"
#include "platform/file_io.h"

#include <cstdint>
#include <filesystem>
#include <span>

namespace talvex {

// The records a file image holds: a short image fills them from the start, the rest stays zero;
// bytes past 169860 are ignored.
MacroStore macroStoreFromBytes(std::span<const std::uint8_t> image);

// Fills `macros` (set to all zero first) from the file. Nothing is validated here: every reader
// of the records bounds-checks them. The result, as loadKeymapFile's: Ok; WrongSize (what it
// holds was read, but it must not be saved over); NotRegularFile or ReadFailed (nothing read);
// a missing file is written afresh with no macros (Created, or WriteFailed).
[[nodiscard]] FileResult loadMacroFile(const std::filesystem::path& path, MacroStore& macros);

// Replaces the file with all 169860 bytes of `macros`; on failure the old file stays.
[[nodiscard]] FileResult saveMacroFile(const std::filesystem::path& path, const MacroStore& macros);

} // namespace talvex
