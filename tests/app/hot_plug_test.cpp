#include "app/hot_plug.h"
#include "device/hid_transport.h"
#include "simulator/simulator_backend.h"

#include <gtest/gtest.h>

namespace talvex {
namespace {

class EmptyBus final : public HidBackend {
public:
    std::vector<HidInterfaceInfo> enumerate() override { return {}; }
    std::unique_ptr<HidChannel> open(const std::string&, ChannelRole) override { return nullptr; }
};

constexpr UsbDeviceChange removal(std::uint16_t vendor, std::uint16_t product) {
    return {UsbDeviceChange::Kind::Removed, vendor, product};
}

TEST(HotPlugTest, ARemovalCountsOnlyWhenTheKeyboardIsNoLongerListed) {
    SimulatorBackend attached(std::make_shared<SimulatedKeyboard>());
    EmptyBus gone;
    const auto keyboard = removal(kKestrixVendorId, kKestrixProductId);
    const auto unnamed = removal(0, 0);
    const auto mouse = removal(0x046D, 0xC077);

    EXPECT_FALSE(removalTakesKeyboard(keyboard, attached)); // another Kestrix, or a late event
    EXPECT_FALSE(removalTakesKeyboard(unnamed, attached));
    EXPECT_FALSE(removalTakesKeyboard(mouse, attached));
    EXPECT_TRUE(removalTakesKeyboard(keyboard, gone));
    EXPECT_TRUE(removalTakesKeyboard(unnamed, gone));
    // A device that names itself as something else never takes the keyboard along.
    EXPECT_FALSE(removalTakesKeyboard(mouse, gone));
}

} // namespace
} // namespace talvex
