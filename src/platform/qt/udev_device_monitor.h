#pragma once
// Device changes of the running system. On Linux with libudev, a udev monitor of USB devices
// read from the window thread's event loop; elsewhere a monitor that reports it cannot start.

#include "platform/device_monitor.h"

#include <memory>

namespace talvex {

std::unique_ptr<DeviceMonitor> createSystemDeviceMonitor();

} // namespace talvex
