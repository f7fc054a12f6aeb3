#pragma once
// The USB bus of a test: the HID backend lists and opens the simulated keyboard that is plugged
// in now, and the test plugs one in, pulls it out or swaps it by hand.

#include "simulator/simulator_backend.h"

#include <memory>

namespace talvex::testing {

class SimulatedBus final : public HidBackend {
public:
    std::vector<HidInterfaceInfo> enumerate() override {
        return keyboard ? SimulatorBackend(keyboard).enumerate() : std::vector<HidInterfaceInfo>{};
    }
    std::unique_ptr<HidChannel> open(const std::string& path, ChannelRole role) override {
        return keyboard ? SimulatorBackend(keyboard).open(path, role) : nullptr;
    }
    // Pulls the keyboard out and, when `next` is given, plugs that one in.
    void replace(std::shared_ptr<SimulatedKeyboard> next) {
        if (keyboard)
            keyboard->unplug();
        keyboard = std::move(next);
    }

    std::shared_ptr<SimulatedKeyboard> keyboard; // null: nothing plugged in
};

} // namespace talvex::testing
