#include "simulator/simulator_state.h"

#include "platform/file_io.h"
#include "simulator/simulated_keyboard.h"

namespace talvex {

std::optional<DeviceSettings> loadSimulatorState(const std::filesystem::path& path,
                                                 std::string& error) {
    std::vector<std::uint8_t> bytes;
    const FileResult read = readDataFile(path, kDeviceSettingsSize + 1, bytes);
    if (read.status == FileStatus::Missing) {
        const DeviceSettings factory = factorySettings();
        if (const FileResult saved = saveSimulatorState(path, factory); !saved.ok()) {
            error = saved.message;
            return std::nullopt;
        }
        return factory;
    }
    if (!read.ok()) {
        error = "the simulator state: " + read.message;
        return std::nullopt;
    }
    DeviceSettings image;
    if (bytes.size() != kDeviceSettingsSize || !settingsFromBytes(bytes, image)) {
        error = "the simulator state " + path.string() + " is not a 10060-byte settings image";
        return std::nullopt;
    }
    return image;
}

FileResult saveSimulatorState(const std::filesystem::path& path, const DeviceSettings& image) {
    return writeFileAtomically(path, image.bytes());
}

} // namespace talvex
