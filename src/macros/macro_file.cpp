#include "macros/macro_file.h"

#include "platform/file_io.h"

#include <algorithm>
#include <system_error>

namespace talvex {

MacroStore macroStoreFromBytes(std::span<const std::uint8_t> image) {
    MacroStore macros = emptyMacroStore();
    std::copy_n(image.begin(), std::min(image.size(), kMacroStoreSize), macros.bytes().begin());
    return macros;
}

MacroFileLoad loadMacroFile(const std::filesystem::path& path, MacroStore& macros) {
    macros = emptyMacroStore();
    if (auto data = readFileBytes(path, kMacroStoreSize)) {
        macros = macroStoreFromBytes(*data);
        return MacroFileLoad::Loaded;
    }
    // Only a missing file is recreated: replacing one that merely cannot be read now would
    // throw the user's macros away.
    std::error_code error;
    if (std::filesystem::exists(path, error) || error)
        return MacroFileLoad::Unreadable;
    saveMacroFile(path, macros);
    return MacroFileLoad::Created;
}

bool saveMacroFile(const std::filesystem::path& path, const MacroStore& macros) {
    return writeFileAtomically(path, macros.bytes());
}

} // namespace talvex
