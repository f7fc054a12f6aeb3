#pragma once
// Keeps a simulated keyboard's settings in a file between runs (--simulate=STATE_FILE).

#include "device/device_settings.h"
#include "platform/file_io.h"

#include <filesystem>
#include <optional>
#include <string>

namespace talvex {

// The image stored in `path`; factory values (and the file created) when it does not exist.
// Empty with `error` set when the file exists but is not a regular file holding a settings
// image, or cannot be read: a FIFO or a device is refused at once.
std::optional<DeviceSettings> loadSimulatorState(const std::filesystem::path& path,
                                                 std::string& error);

[[nodiscard]] FileResult saveSimulatorState(const std::filesystem::path& path,
                                            const DeviceSettings& image);

} // namespace talvex
