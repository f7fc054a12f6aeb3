#pragma once
// keymap.bin: the settings image followed by the 255 key assignment entries, no header. It
// mirrors the working configuration after every change, so the next start and the key dialog
// see what the user last chose.

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "device/device_settings.h"
#include "keys/key_assignment.h"

namespace talvex {

inline constexpr std::size_t kKeymapFileSize = kDeviceSettingsSize + kAssignmentsSize; // 206920

enum class KeymapLoad {
    Loaded,     // read from the file; a short file replaces only the bytes it holds
    Created,    // there was no file: one was written with the factory settings (or, when the
                // settings are kept, memory's) and empty assignments
    NotCreated, // there was no file and none could be written; memory as for Created
    Unreadable, // the file exists but cannot be read; it is left alone and so is memory
};

// Reads the file into the working settings (or, with keepSettings, only into the assignments)
// and then gives entries 0..107 their position VKs whatever happened.
KeymapLoad loadKeymapFile(const std::filesystem::path& file, DeviceSettings& workingSettings,
                          KeyAssignments& assignments, bool keepSettings);

// The file's 206920 bytes.
std::vector<std::uint8_t> keymapFileBytes(const DeviceSettings& settings,
                                          const KeyAssignments& assignments);

// Replaces the file atomically. On failure the old file stays, memory is untouched and `error`
// says why.
bool saveKeymapFile(const std::filesystem::path& file, const DeviceSettings& workingSettings,
                    const KeyAssignments& assignments, std::string* error = nullptr);

} // namespace talvex
