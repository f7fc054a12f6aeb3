#pragma once
// Which USB device changes the main window acts on.

#include "platform/device_monitor.h"
#include "platform/hid.h"

namespace talvex {

// How long an arrival settles before the channels are opened: the system creates the HID
// nodes of a new device and sets their permissions only after announcing it.
inline constexpr int kArrivalSettleMs = 2000;

// True when a removal has taken the keyboard away. The system reports every USB device, and
// pulling a mouse must not cut the keyboard off: a removal counts only when the keyboard's
// channels are no longer listed. A removal that names another device is ignored outright.
bool removalTakesKeyboard(const UsbDeviceChange& change, HidBackend& backend);

} // namespace talvex
