#include "simulator/simulator_state.h"

#include "platform/file_io.h"
#include "simulator/simulated_keyboard.h"

#include <system_error>

namespace talvex {

std::optional<DeviceSettings> loadSimulatorState(const std::filesystem::path& path,
                                                 std::string& error) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        const DeviceSettings factory = factorySettings();
        if (!saveSimulatorState(path, factory, &error))
            return std::nullopt;
        return factory;
    }
    const auto bytes = readFileBytes(path, kDeviceSettingsSize + 1);
    if (!bytes) {
        error = "cannot read the simulator state " + path.string();
        return std::nullopt;
    }
    DeviceSettings image;
    if (bytes->size() != kDeviceSettingsSize || !settingsFromBytes(*bytes, image)) {
        error = "the simulator state " + path.string() + " is not a 10060-byte settings image";
        return std::nullopt;
    }
    return image;
}

bool saveSimulatorState(const std::filesystem::path& path, const DeviceSettings& image,
                        std::string* error) {
    return writeFileAtomically(path, image.bytes(), error);
}

} // namespace talvex
