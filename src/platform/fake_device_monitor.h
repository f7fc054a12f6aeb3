#pragma once
// A DeviceMonitor for tests: the test plugs and pulls devices by hand.

#include "platform/device_monitor.h"

namespace talvex {

class FakeDeviceMonitor final : public DeviceMonitor {
public:
    // What start answers; false plays a system without device events.
    bool startResult = true;

    bool start(Listener newListener) override {
        if (!startResult)
            return false;
        listener = std::move(newListener);
        return true;
    }
    void stop() override { listener = nullptr; }

    bool running() const { return static_cast<bool>(listener); }

    void arrive(std::uint16_t vendorId = 0, std::uint16_t productId = 0) {
        send({UsbDeviceChange::Kind::Arrived, vendorId, productId});
    }
    void remove(std::uint16_t vendorId = 0, std::uint16_t productId = 0) {
        send({UsbDeviceChange::Kind::Removed, vendorId, productId});
    }

private:
    void send(const UsbDeviceChange& change) {
        if (!listener)
            return;
        Listener current = listener; // the listener may stop the monitor
        current(change);
    }

    Listener listener;
};

} // namespace talvex
