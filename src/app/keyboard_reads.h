#pragma once
// The reads that replace the working settings with the keyboard's: at start-up and after the
// keyboard arrives again. Both end as the settings-reloaded handling orders, with one more read
// of the lighting.

#include "device/device_io.h"
#include "device/device_link.h"
#include "device/device_result.h"
#include "device/device_settings.h"

namespace talvex {

struct KeyboardRead {
    DeviceSettings working = zeroSettings(); // set to the settings to read into
    DeviceSettings snapshot = zeroSettings();
    DeviceInfo deviceInfo{};
    FirmwareVersion firmwareVersion{};
};

// Everything, the device information, the snapshot (before the lighting is read again). When
// the result is not ok, `read` holds a mixture and must be dropped.
DeviceResult readAtStartUp(DeviceIo& io, KeyboardRead& read);

// commandReopened: everything and the device information, and a copy of what was read in
// `read.snapshot` (whether it becomes the known state is the window's rule); eventsReopened: the
// lighting once more, for the settings-reloaded handling that follows. When the result is not
// ok, `read` must be dropped.
DeviceResult readAfterArrival(DeviceIo& io, KeyboardRead& read, bool commandReopened,
                              bool eventsReopened);

} // namespace talvex
