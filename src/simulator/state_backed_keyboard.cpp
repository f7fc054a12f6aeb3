#include "simulator/state_backed_keyboard.h"

#include "simulator/simulator_state.h"

namespace talvex {

std::shared_ptr<SimulatedKeyboard> makeSimulatedKeyboard(const std::string& stateFile,
                                                         std::string& error) {
    if (stateFile.empty())
        return std::make_shared<SimulatedKeyboard>();
    auto loaded = loadSimulatorState(stateFile, error);
    if (!loaded)
        return nullptr;
    auto keyboard = std::make_shared<SimulatedKeyboard>(*loaded);
    keyboard->setOnWrite(
        [stateFile](const DeviceSettings& image) { saveSimulatorState(stateFile, image); });
    return keyboard;
}

} // namespace talvex
