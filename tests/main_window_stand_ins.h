#pragma once
// The ports a MainWindow runs on in tests: the simulated keyboard's bus, pauses that do not wait,
// and scripted stand-ins for hot-plug, the tray icon, the user's answers, the shell and the skin.

#include "app/qt/main_window.h"
#include "controls/qt/skin_images.h"
#include "platform/fake_device_monitor.h"
#include "platform/fake_notification_icon.h"
#include "platform/recording_shell.h"
#include "platform/scripted_prompts.h"
#include "qt_test_app.h"
#include "simulated_bus.h"

#include <cstdlib>

namespace talvex::testing {

struct MainWindowStandIns {
    MainWindowStandIns()
        : skin(std::getenv("TALVEX_BINARY_DIR") ? std::getenv("TALVEX_BINARY_DIR") : ".") {
        qtTestApp();
    }
    MainWindowPlatform ports(HidBackend& backend) {
        return MainWindowPlatform{backend, pauser, monitor, icon, prompts, shell, skin};
    }
    MainWindowPlatform ports() { return ports(bus); }

    SimulatedBus bus;
    InstantPauser pauser;
    FakeDeviceMonitor monitor;
    FakeNotificationIcon icon;
    ScriptedPrompts prompts;
    RecordingShell shell;
    SkinImages skin;
};

} // namespace talvex::testing
