#include "cli/inspect_sections.h"

#include "cli/inspect_assignments.h"
#include "cli/inspect_macros.h"

#include "device/device_settings.h"
#include "keys/keymap_file.h"

namespace talvex {

namespace {

// MacroDefine.bin: 190 records of 894 bytes.
constexpr std::size_t kMacroFileSize = 169860;

} // namespace

std::optional<InspectedFile> inspectedFileOfSize(std::size_t size) {
    if (size == kDeviceSettingsSize)
        return InspectedFile::SettingsImage;
    if (size == kKeymapFileSize)
        return InspectedFile::Keymap;
    if (size == kMacroFileSize)
        return InspectedFile::Macros;
    return std::nullopt;
}

std::string inspectedFileName(InspectedFile kind) {
    switch (kind) {
    case InspectedFile::SettingsImage:
        return "settings image";
    case InspectedFile::Keymap:
        return "keymap.bin or profile";
    case InspectedFile::Macros:
        return "MacroDefine.bin";
    }
    return "";
}

const std::vector<InspectSection>& inspectSections() {
    static const std::vector<InspectSection> table = {
        {"settings", {InspectedFile::SettingsImage, InspectedFile::Keymap}, inspectSettings},
        {"macros", {InspectedFile::Macros}, inspectMacros},
        {"assignments", {InspectedFile::Keymap}, inspectAssignments},
    };
    return table;
}

} // namespace talvex
