#include "simulator/state_backed_keyboard.h"

#include "simulator/simulator_state.h"

#include <iostream>

namespace talvex {

std::shared_ptr<SimulatedKeyboard> makeSimulatedKeyboard(const std::string& stateFile,
                                                         std::string& error) {
    if (stateFile.empty())
        return std::make_shared<SimulatedKeyboard>();
    auto loaded = loadSimulatorState(stateFile, error);
    if (!loaded)
        return nullptr;
    auto keyboard = std::make_shared<SimulatedKeyboard>(*loaded);
    // A keyboard whose memory cannot be kept is still a keyboard for this run; whoever started
    // it learns that the next run will not find what this one wrote.
    keyboard->setOnWrite([stateFile, told = false](const DeviceSettings& image) mutable {
        if (const FileResult saved = saveSimulatorState(stateFile, image); !saved.ok() && !told) {
            std::cerr << "simulated keyboard: " << saved.message << "\n";
            told = true;
        }
    });
    return keyboard;
}

} // namespace talvex
