#include "platform/usb_product_property.h"

#include "platform/hex_digit.h"

namespace talvex {

namespace {

// Reads one number ended by '/' and moves past the slash.
std::optional<std::uint16_t> takeField(std::string_view& text) {
    std::size_t digits = 0;
    std::uint32_t value = 0;
    while (digits < text.size() && text[digits] != '/') {
        int d = hexDigitValue(text[digits]);
        if (d < 0 || digits == 4)
            return std::nullopt;
        value = value * 16 + static_cast<std::uint32_t>(d);
        ++digits;
    }
    if (digits == 0 || digits == text.size())
        return std::nullopt;
    text.remove_prefix(digits + 1);
    return static_cast<std::uint16_t>(value);
}

} // namespace

std::optional<UsbProductId> parseUsbProductProperty(std::string_view text) {
    auto vendor = takeField(text);
    if (!vendor)
        return std::nullopt;
    auto product = takeField(text);
    if (!product)
        return std::nullopt;
    return UsbProductId{*vendor, *product};
}

} // namespace talvex
