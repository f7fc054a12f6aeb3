#include "keys/keymap_file.h"

#include <algorithm>
#include <system_error>

#include "keys/factory_configuration.h"
#include "platform/file_io.h"

namespace talvex {

namespace {

void copyPrefix(std::span<const std::uint8_t> from, std::span<std::uint8_t> to) {
    std::copy_n(from.begin(), std::min(from.size(), to.size()), to.begin());
}

} // namespace

KeymapLoad loadKeymapFile(const std::filesystem::path& file, DeviceSettings& workingSettings,
                          KeyAssignments& assignments, bool keepSettings) {
    KeymapLoad result = KeymapLoad::Loaded;
    if (auto bytes = readFileBytes(file, kKeymapFileSize)) {
        const std::span<const std::uint8_t> all(*bytes);
        const auto settingsPart = all.first(std::min(all.size(), kDeviceSettingsSize));
        if (!keepSettings)
            copyPrefix(settingsPart, workingSettings.bytes());
        copyPrefix(all.subspan(settingsPart.size()), assignments.bytes());
    } else {
        std::error_code ec;
        // Only a missing file is recreated: replacing one we merely failed to read would
        // destroy the user's configuration.
        if (std::filesystem::exists(file, ec) || ec) {
            result = KeymapLoad::Unreadable;
        } else {
            // A first keymap.bin holds the factory configuration, not whatever memory held.
            if (!keepSettings)
                workingSettings = factorySettings();
            resetAssignments(assignments);
            result = saveKeymapFile(file, workingSettings, assignments) ? KeymapLoad::Created
                                                                        : KeymapLoad::NotCreated;
        }
    }
    setPositionVks(assignments);
    return result;
}

std::vector<std::uint8_t> keymapFileBytes(const DeviceSettings& settings,
                                          const KeyAssignments& assignments) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kKeymapFileSize);
    bytes.insert(bytes.end(), settings.bytes().begin(), settings.bytes().end());
    bytes.insert(bytes.end(), assignments.bytes().begin(), assignments.bytes().end());
    return bytes;
}

bool saveKeymapFile(const std::filesystem::path& file, const DeviceSettings& workingSettings,
                    const KeyAssignments& assignments, std::string* error) {
    return writeFileAtomically(file, keymapFileBytes(workingSettings, assignments), error);
}

} // namespace talvex
