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
#include "platform/file_io.h"

namespace talvex {

inline constexpr std::size_t kKeymapFileSize = kDeviceSettingsSize + kAssignmentsSize; // 206920

// Reads the file into the working settings (or, with keepSettings, only into the assignments)
// and then gives entries 0..107 their position VKs whatever happened. The result:
// - Ok: read whole.
// - WrongSize: a file of another size; the bytes it holds were read (a short file replaces only
//   those), but it must not be saved over: it may be something else, or hold more than we know.
// - NotRegularFile, ReadFailed: nothing was read, memory is as it was; never save over it.
// - Missing never comes back: a missing file is written afresh (Created) from the factory
//   settings, or when the settings are kept from memory's, and empty assignments; WriteFailed
//   when that failed, memory being as for Created.
[[nodiscard]] FileResult loadKeymapFile(const std::filesystem::path& file,
                                        DeviceSettings& workingSettings,
                                        KeyAssignments& assignments, bool keepSettings);

// The file's 206920 bytes.
std::vector<std::uint8_t> keymapFileBytes(const DeviceSettings& settings,
                                          const KeyAssignments& assignments);

// Replaces the file atomically. On failure the old file stays and memory is untouched.
[[nodiscard]] FileResult saveKeymapFile(const std::filesystem::path& file,
                                        const DeviceSettings& workingSettings,
                                        const KeyAssignments& assignments);

} // namespace talvex
