#pragma once
// The kernel names a USB device in its uevents with the property PRODUCT="vendor/product/bcd",
// three hexadecimal numbers without leading zeros, e.g. "4d9/a129/100". It is present on
// removal too, when the device can no longer be asked.

#include <cstdint>
#include <optional>
#include <string_view>

namespace talvex {

struct UsbProductId {
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    bool operator==(const UsbProductId&) const = default;
};

// Empty optional unless the text starts with two 1-4 digit hexadecimal numbers each ended by '/'.
std::optional<UsbProductId> parseUsbProductProperty(std::string_view text);

} // namespace talvex
