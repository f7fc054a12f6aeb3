#include "app/hot_plug.h"

#include "device/hid_transport.h"

namespace talvex {

bool removalTakesKeyboard(const UsbDeviceChange& change, HidBackend& backend) {
    const bool named = change.vendorId != 0 || change.productId != 0;
    if (named && (change.vendorId != kKestrixVendorId || change.productId != kKestrixProductId))
        return false;
    const auto interfaces = backend.enumerate();
    return findDevicePath(interfaces, ChannelRole::Command).empty() ||
           findDevicePath(interfaces, ChannelRole::Event).empty();
}

} // namespace talvex
