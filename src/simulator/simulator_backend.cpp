#include "simulator/simulator_backend.h"

#include "device/hid_transport.h"

namespace talvex {

namespace {

constexpr const char* kKeyboardPath = "sim:hid#vid_04d9&pid_a129&mi_00#kestrix";
constexpr const char* kCommandPath = "sim:hid#vid_04d9&pid_a129&mi_03&col01#kestrix";
constexpr const char* kEventPath = "sim:hid#vid_04d9&pid_a129&mi_03&col04#kestrix";

class SimulatorChannel final : public HidChannel {
public:
    SimulatorChannel(std::shared_ptr<SimulatedKeyboard> keyboard, bool carriesEvents)
        : keyboard(std::move(keyboard)), carriesEvents(carriesEvents) {}

    bool setFeature(std::span<const std::uint8_t, kFeatureReportSize> report) override {
        return keyboard->setFeature(report);
    }
    bool getFeature(std::span<std::uint8_t, kFeatureReportSize> report) override {
        return keyboard->getFeature(report);
    }
    bool writeData(std::span<const std::uint8_t, kDataReportSize> report) override {
        return keyboard->writeData(report);
    }
    bool readData(std::span<std::uint8_t, kDataReportSize> report) override {
        return keyboard->readData(report);
    }
    InputResult readInput(std::span<std::uint8_t, kInputReportSize> report,
                          int timeoutMs) override {
        if (!carriesEvents)
            return keyboard->plugged() ? InputResult::Timeout : InputResult::Error;
        return keyboard->readInput(report, timeoutMs);
    }

private:
    std::shared_ptr<SimulatedKeyboard> keyboard;
    bool carriesEvents;
};

HidInterfaceInfo interfaceAt(const char* path, int number, std::uint16_t usagePage,
                             std::uint16_t usage) {
    HidInterfaceInfo info;
    info.path = path;
    info.vendorId = kKestrixVendorId;
    info.productId = kKestrixProductId;
    info.interfaceNumber = number;
    info.usagePage = usagePage;
    info.usage = usage;
    return info;
}

} // namespace

std::vector<HidInterfaceInfo> SimulatorBackend::enumerate() {
    if (!keyboard->plugged())
        return {};
    return {interfaceAt(kKeyboardPath, 0, 0x01, 0x06), interfaceAt(kCommandPath, 3, 0xFF00, 0x01),
            interfaceAt(kEventPath, 3, 0xFF00, 0x04)};
}

std::unique_ptr<HidChannel> SimulatorBackend::open(const std::string& path, ChannelRole) {
    if (!keyboard->plugged() || (path != kCommandPath && path != kEventPath))
        return nullptr;
    return std::make_unique<SimulatorChannel>(keyboard, path == kEventPath);
}

} // namespace talvex
