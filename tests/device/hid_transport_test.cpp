#include "device/device_link.h"
#include "device/hid_transport.h"
#include "fake_channel.h"

#include <gtest/gtest.h>

#include <map>

namespace talvex {
namespace {

HidInterfaceInfo kestrix(std::string path, int interfaceNumber,
                         std::vector<std::uint8_t> descriptor = {}) {
    HidInterfaceInfo info;
    info.path = std::move(path);
    info.vendorId = 0x04D9;
    info.productId = 0xA129;
    info.interfaceNumber = interfaceNumber;
    info.reportDescriptor = std::move(descriptor);
    return info;
}

// Vendor page, report ID 4, three data bytes: the keyboard's event report.
const std::vector<std::uint8_t> kEventDescriptor = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85,
                                                    0x04, 0x75, 0x08, 0x95, 0x03, 0x81, 0x02, 0xC0};

TEST(Discovery, WindowsPathTextsPickTheChannels) {
    const std::vector<HidInterfaceInfo> list = {
        kestrix(R"(\\?\hid#vid_04d9&pid_a129&mi_00#7&1)", 0),
        kestrix(R"(\\?\hid#vid_04d9&pid_a129&mi_03&col01#7&2)", 3),
        kestrix(R"(\\?\hid#vid_04d9&pid_a129&mi_03&col04#7&3)", 3),
    };
    EXPECT_EQ(findDevicePath(list, ChannelRole::Command), list[1].path);
    EXPECT_EQ(findDevicePath(list, ChannelRole::Event), list[2].path);
}

TEST(Discovery, LinuxUsesInterfaceThreeAndTheEventReportDescriptor) {
    const std::vector<HidInterfaceInfo> list = {
        kestrix("/dev/hidraw0", 0),
        kestrix("/dev/hidraw1", 1, kEventDescriptor),
        kestrix("/dev/hidraw2", 3),
    };
    EXPECT_EQ(findDevicePath(list, ChannelRole::Command), "/dev/hidraw2");
    EXPECT_EQ(findDevicePath(list, ChannelRole::Event), "/dev/hidraw1");
}

TEST(Discovery, FirstMatchWinsAndOtherIdentitiesAreSkipped) {
    auto otherVendor = kestrix("/dev/hidraw0&mi_03", 3);
    otherVendor.vendorId = 0x1234;
    auto otherProduct = kestrix("/dev/hidraw1", 3, kEventDescriptor);
    otherProduct.productId = 0xA12A;
    const std::vector<HidInterfaceInfo> list = {
        otherVendor, otherProduct, kestrix("/dev/hidraw2", 3), kestrix("/dev/hidraw3", 3)};
    EXPECT_EQ(findDevicePath(list, ChannelRole::Command), "/dev/hidraw2");
    EXPECT_EQ(findDevicePath(list, ChannelRole::Event), "");
}

TEST(Discovery, RightIdentityOnTheWrongInterfaceIsNotChosen) {
    auto wrongSize = kEventDescriptor;
    wrongSize[12] = 0x07; // seven data bytes: not the 4-byte event report
    const std::vector<HidInterfaceInfo> list = {kestrix("/dev/hidraw0", 0),
                                                kestrix("/dev/hidraw1", 2, wrongSize)};
    EXPECT_EQ(findDevicePath(list, ChannelRole::Command), "");
    EXPECT_EQ(findDevicePath(list, ChannelRole::Event), "");
}

class FakeBackend final : public HidBackend {
public:
    std::vector<HidInterfaceInfo> enumerate() override { return interfaces; }
    std::unique_ptr<HidChannel> open(const std::string& path, ChannelRole) override {
        opened.push_back(path);
        if (!openable)
            return nullptr;
        auto channel = std::make_unique<testing::ScriptedChannel>();
        channels.push_back(channel.get());
        return channel;
    }

    std::vector<HidInterfaceInfo> interfaces;
    bool openable = true;
    std::vector<std::string> opened;
    std::vector<testing::ScriptedChannel*> channels;
};

TEST(Discovery, NoKeyboardLeavesBothChannelsAbsent) {
    FakeBackend backend;
    HidInterfaceInfo mouse;
    mouse.path = "/dev/hidraw0";
    mouse.vendorId = 0x046D;
    mouse.interfaceNumber = 3;
    backend.interfaces = {mouse};
    DeviceLink link;
    EXPECT_EQ(openKeyboard(backend, link), KeyboardPresence::NotAttached);
    EXPECT_FALSE(link.commandHandle);
    EXPECT_FALSE(link.eventHandle);
    EXPECT_TRUE(backend.opened.empty());
}

TEST(Discovery, KeyboardThatCannotBeOpenedIsToldApart) {
    FakeBackend backend;
    backend.interfaces = {kestrix("/dev/hidraw5", 3, kEventDescriptor)};
    backend.openable = false;
    DeviceLink link;
    EXPECT_EQ(openKeyboard(backend, link), KeyboardPresence::CannotOpen);
    backend.openable = true;
    EXPECT_EQ(openKeyboard(backend, link), KeyboardPresence::Open);
    // Both channels on one node: each opened separately from the same path.
    EXPECT_EQ(backend.opened, (std::vector<std::string>(4, "/dev/hidraw5")));
    EXPECT_EQ(link.devicePath, "/dev/hidraw5");
    closeChannels(link);
    EXPECT_FALSE(link.commandHandle);
    EXPECT_FALSE(link.eventHandle);
}

} // namespace
} // namespace talvex
