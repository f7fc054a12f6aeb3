#include "platform/usb_product_property.h"

#include <gtest/gtest.h>

namespace talvex {
namespace {

TEST(UsbProductProperty, ReadsVendorAndProductInHexWithoutLeadingZeros) {
    EXPECT_EQ(parseUsbProductProperty("4d9/a129/100"), (UsbProductId{0x04D9, 0xA129}));
    EXPECT_EQ(parseUsbProductProperty("4D9/A129/"), (UsbProductId{0x04D9, 0xA129}));
    EXPECT_EQ(parseUsbProductProperty("0/ffff/0"), (UsbProductId{0, 0xFFFF}));
}

TEST(UsbProductProperty, RefusesAnythingElse) {
    for (const char* bad : {"", "/", "4d9", "4d9/a129", "4d9//100", "/a129/100", "10000/1/1",
                            "4d9/1a129/1", "4g9/a129/1", "-1/a129/1", " 4d9/a129/1"})
        EXPECT_EQ(parseUsbProductProperty(bad), std::nullopt) << bad;
}

} // namespace
} // namespace talvex
