#include "macros/macro_file.h"

#include "platform/file_io.h"

#include <algorithm>

namespace talvex {

MacroStore macroStoreFromBytes(std::span<const std::uint8_t> image) {
    MacroStore macros = emptyMacroStore();
    std::copy_n(image.begin(), std::min(image.size(), kMacroStoreSize), macros.bytes().begin());
    return macros;
}

FileResult loadMacroFile(const std::filesystem::path& path, MacroStore& macros) {
    macros = emptyMacroStore();
    std::vector<std::uint8_t> bytes;
    FileResult result = readDataFile(path, kMacroStoreSize + 1, bytes);
    if (result.ok()) {
        macros = macroStoreFromBytes(bytes);
        if (bytes.size() != kMacroStoreSize)
            result = {FileStatus::WrongSize, path.string() + " is " + std::to_string(bytes.size()) +
                                                 " bytes, not the 169860 of a MacroDefine.bin"};
    } else if (result.status == FileStatus::Missing) {
        // Only a missing file is made afresh: replacing one that merely cannot be read now would
        // throw the user's macros away.
        result = saveMacroFile(path, macros);
        if (result.ok())
            result.status = FileStatus::Created;
    }
    return result;
}

FileResult saveMacroFile(const std::filesystem::path& path, const MacroStore& macros) {
    return writeFileAtomically(path, macros.bytes());
}

} // namespace talvex
