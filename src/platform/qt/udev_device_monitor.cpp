#include "platform/qt/udev_device_monitor.h"

#ifdef TALVEX_HAVE_UDEV

#include "platform/usb_product_property.h"

#include <QSocketNotifier>
#include <cstring>
#include <libudev.h>

namespace talvex {

namespace {

// Watches whole USB devices (devtype usb_device), so a device with several interfaces is
// reported once, after udev has created its device nodes.
class UdevDeviceMonitor final : public DeviceMonitor {
public:
    ~UdevDeviceMonitor() override { stop(); }

    bool start(Listener newListener) override {
        stop();
        context = udev_new();
        if (!context)
            return false;
        monitor = udev_monitor_new_from_netlink(context, "udev");
        if (!monitor ||
            udev_monitor_filter_add_match_subsystem_devtype(monitor, "usb", "usb_device") < 0 ||
            udev_monitor_enable_receiving(monitor) < 0) {
            stop();
            return false;
        }
        listener = std::move(newListener);
        notifier =
            std::make_unique<QSocketNotifier>(udev_monitor_get_fd(monitor), QSocketNotifier::Read);
        QObject::connect(notifier.get(), &QSocketNotifier::activated, [this] { receive(); });
        return true;
    }

    void stop() override {
        // A listener that stops the monitor runs inside the notifier's own signal.
        if (receiving && notifier) {
            notifier->setEnabled(false);
            notifier.release()->deleteLater();
        }
        notifier.reset();
        listener = nullptr;
        if (monitor)
            udev_monitor_unref(monitor);
        if (context)
            udev_unref(context);
        monitor = nullptr;
        context = nullptr;
    }

private:
    void receive() {
        udev_device* device = udev_monitor_receive_device(monitor);
        if (!device)
            return;
        const char* action = udev_device_get_action(device);
        std::optional<UsbDeviceChange::Kind> kind;
        if (action && std::strcmp(action, "add") == 0)
            kind = UsbDeviceChange::Kind::Arrived;
        else if (action && std::strcmp(action, "remove") == 0)
            kind = UsbDeviceChange::Kind::Removed;
        UsbDeviceChange change;
        if (kind) {
            change.kind = *kind;
            const char* product = udev_device_get_property_value(device, "PRODUCT");
            if (auto id = parseUsbProductProperty(product ? product : "")) {
                change.vendorId = id->vendorId;
                change.productId = id->productId;
            }
        }
        udev_device_unref(device);
        if (kind && listener) {
            Listener current = listener; // the listener may stop the monitor
            receiving = true;
            current(change);
            receiving = false;
        }
    }

    udev* context = nullptr;
    udev_monitor* monitor = nullptr;
    std::unique_ptr<QSocketNotifier> notifier;
    Listener listener;
    bool receiving = false;
};

} // namespace

std::unique_ptr<DeviceMonitor> createSystemDeviceMonitor() {
    return std::make_unique<UdevDeviceMonitor>();
}

} // namespace talvex

#else

namespace talvex {

namespace {

class UnavailableDeviceMonitor final : public DeviceMonitor {
public:
    bool start(Listener) override { return false; }
    void stop() override {}
};

} // namespace

std::unique_ptr<DeviceMonitor> createSystemDeviceMonitor() {
    return std::make_unique<UnavailableDeviceMonitor>();
}

} // namespace talvex

#endif
