#include "keys/keymap_file.h"

#include <algorithm>

#include "keys/factory_configuration.h"
#include "platform/file_io.h"

namespace talvex {

namespace {

void copyPrefix(std::span<const std::uint8_t> from, std::span<std::uint8_t> to) {
    std::copy_n(from.begin(), std::min(from.size(), to.size()), to.begin());
}

} // namespace

FileResult loadKeymapFile(const std::filesystem::path& file, DeviceSettings& workingSettings,
                          KeyAssignments& assignments, bool keepSettings) {
    std::vector<std::uint8_t> bytes;
    FileResult result = readDataFile(file, kKeymapFileSize + 1, bytes);
    if (result.ok()) {
        const std::span<const std::uint8_t> all(bytes);
        const auto settingsPart = all.first(std::min(all.size(), kDeviceSettingsSize));
        if (!keepSettings)
            copyPrefix(settingsPart, workingSettings.bytes());
        copyPrefix(all.subspan(settingsPart.size()), assignments.bytes());
        if (bytes.size() != kKeymapFileSize)
            result = {FileStatus::WrongSize, file.string() + " is " + std::to_string(bytes.size()) +
                                                 " bytes, not the 206920 of a keymap.bin"};
    } else if (result.status == FileStatus::Missing) {
        // Only a missing file is made afresh: replacing one we merely failed to read would
        // destroy the user's configuration. A first keymap.bin holds the factory configuration,
        // not whatever memory held.
        if (!keepSettings)
            workingSettings = factorySettings();
        resetAssignments(assignments);
        result = saveKeymapFile(file, workingSettings, assignments);
        if (result.ok())
            result.status = FileStatus::Created;
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

FileResult saveKeymapFile(const std::filesystem::path& file, const DeviceSettings& workingSettings,
                          const KeyAssignments& assignments) {
    return writeFileAtomically(file, keymapFileBytes(workingSettings, assignments));
}

} // namespace talvex
