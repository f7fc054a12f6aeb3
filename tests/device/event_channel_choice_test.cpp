#include "device/hid_transport.h"
#include "report_descriptor_samples.h"

#include <gtest/gtest.h>

namespace talvex {
namespace {

using namespace testing;

struct Node {
    int interfaceNumber;
    const std::vector<std::uint8_t>& descriptor;
};

std::vector<HidInterfaceInfo> keyboardNodes(std::initializer_list<Node> nodes) {
    std::vector<HidInterfaceInfo> list;
    for (const Node& node : nodes) {
        HidInterfaceInfo info;
        info.path = "/dev/hidraw" + std::to_string(list.size());
        info.vendorId = kKestrixVendorId;
        info.productId = kKestrixProductId;
        info.interfaceNumber = node.interfaceNumber;
        info.reportDescriptor = node.descriptor;
        list.push_back(std::move(info));
    }
    return list;
}

const std::vector<std::uint8_t> kWideReportId = {0x86, 0x04, 0x01, 0x75, 0x08,
                                                 0x95, 0x03, 0x81, 0x02};
const std::vector<std::uint8_t> kWiderReportId = {0x87, 0x04, 0x02, 0x00, 0x00, 0x75,
                                                  0x08, 0x95, 0x03, 0x81, 0x02};

TEST(EventChannelChoice, PrefersInterfaceThreeThenAVendorPageThenListingOrder) {
    struct Row {
        std::vector<HidInterfaceInfo> nodes;
        std::string path;
        std::string_view reason;
    };
    const Row rows[] = {
        {keyboardNodes({{0, kKeyboardWithConsumerKeys}, {1, kWideReportId}, {2, kWiderReportId}}),
         "", ""},
        {keyboardNodes({{0, kKeyboardWithConsumerKeys}, {1, kGenericKeysOnReport4}}),
         "/dev/hidraw1", "only-candidate"},
        {keyboardNodes({{0, kMouse}, {1, kVendorEvent}, {2, kVendorEventExtendedUsage}}),
         "/dev/hidraw1", "vendor-page"},
        {keyboardNodes({{1, kGenericKeysOnReport4}, {2, kVendorEvent}, {3, kMouse}}),
         "/dev/hidraw2", "interface-3"},
        {keyboardNodes({{0, kKeyboardWithConsumerKeys}, {1, kMouse}, {2, kGenericKeysOnReport4}}),
         "/dev/hidraw1", "listed-first"},
    };
    for (const Row& row : rows) {
        const EventChannelChoice choice = chooseEventChannel(row.nodes);
        EXPECT_EQ(choice.path, row.path) << row.reason;
        EXPECT_EQ(choice.reason, row.reason) << row.path;
        EXPECT_EQ(findDevicePath(row.nodes, ChannelRole::Event), row.path);
    }
}

TEST(EventChannelChoice, OtherDevicesNeverCompete) {
    auto list = keyboardNodes({{3, kVendorEvent}, {1, kMouse}});
    list[0].productId = 0xA12A;
    EXPECT_EQ(chooseEventChannel(list).path, "/dev/hidraw1");
    EXPECT_EQ(chooseEventChannel(list).reason, "only-candidate");
}

} // namespace
} // namespace talvex
