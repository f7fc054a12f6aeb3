#pragma once
// Tells the window thread that a USB device arrived or was removed. Every USB device is
// reported, with its vendor and product when the system names them, so the listener decides
// which ones matter.

#include <cstdint>
#include <functional>

namespace talvex {

struct UsbDeviceChange {
    enum class Kind { Arrived, Removed };
    Kind kind = Kind::Arrived;
    // 0 when the system did not say.
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
    bool operator==(const UsbDeviceChange&) const = default;
};

class DeviceMonitor {
public:
    using Listener = std::function<void(const UsbDeviceChange&)>;
    virtual ~DeviceMonitor() = default;
    // Starts reporting on the thread that calls it. False when the system cannot report device
    // changes; the program then runs without hot-plug.
    virtual bool start(Listener listener) = 0;
    virtual void stop() = 0;
};

} // namespace talvex
