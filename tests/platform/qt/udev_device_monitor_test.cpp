#include "platform/qt/udev_device_monitor.h"
#include "qt_test_app.h"

#include <gtest/gtest.h>

namespace talvex {
namespace {

// No device can be plugged in from a test; what can be checked is that the monitor starts or
// says it cannot, and can be stopped and started again in any order without harm.
TEST(SystemDeviceMonitor, StartsOrRefusesAndStopsCleanly) {
    testing::qtTestApp();
    auto monitor = createSystemDeviceMonitor();
    monitor->stop();
    bool started = monitor->start([](const UsbDeviceChange&) {});
    if (!started)
        GTEST_SKIP() << "this system cannot report device changes";
    QCoreApplication::processEvents();
    EXPECT_TRUE(monitor->start([](const UsbDeviceChange&) {}));
    monitor->stop();
    monitor->stop();
}

} // namespace
} // namespace talvex
