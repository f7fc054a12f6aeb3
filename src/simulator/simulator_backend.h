#pragma once
// The simulated keyboard behind the HID port. It lists the interfaces a real Kestrix shows on
// Windows (the keyboard itself, and collections 1 and 4 of USB interface 3), so discovery runs
// unchanged, and lists nothing once the keyboard is unplugged.

#include "platform/hid.h"
#include "simulator/simulated_keyboard.h"

#include <memory>

namespace talvex {

class SimulatorBackend final : public HidBackend {
public:
    explicit SimulatorBackend(std::shared_ptr<SimulatedKeyboard> keyboard)
        : keyboard(std::move(keyboard)) {}

    std::vector<HidInterfaceInfo> enumerate() override;
    std::unique_ptr<HidChannel> open(const std::string& path, ChannelRole role) override;

private:
    std::shared_ptr<SimulatedKeyboard> keyboard;
};

} // namespace talvex
