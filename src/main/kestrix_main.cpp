#include "app/app_options.h"
#include "app/qt/about_box.h"
#include "app/qt/main_window.h"
#include "app/qt/startup_probe.h"
#include "app/qt/talvex_app.h"
#include "app/qt/ui_translators.h"
#include "cli/forwarded_keyboard_work.h"
#include "controls/qt/skin_theme.h"
#include "controls/qt/splash_screen.h"
#include "platform/hidapi_backend.h"
#include "platform/keyboard_lock.h"
#include "platform/program_version.h"
#include "platform/qt/qt_notification_icon.h"
#include "platform/qt/qt_prompts.h"
#include "platform/qt/qt_shell.h"
#include "platform/qt/udev_device_monitor.h"
#include "simulator/simulator_backend.h"
#include "simulator/state_backed_keyboard.h"

#include <QApplication>
#include <QPointer>

#include <chrono>
#include <cstdio>
#include <memory>

int main(int argc, char** argv) {
    using namespace talvex;
    if (const auto answer = answerWithoutWindow(std::vector<std::string>(argv + 1, argv + argc))) {
        std::fputs(answer->c_str(), stdout);
        return 0;
    }
    QApplication app(argc, argv); // takes the toolkit's own arguments out of argv
    // The window hides to the notification area; only its end ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    // Wayland compositors match the window to its desktop entry, and so to its name and icon,
    // by this id.
    QGuiApplication::setDesktopFileName(QStringLiteral(TALVEX_APP_ID));
    QCoreApplication::setApplicationVersion(
        QString::fromUtf8(programVersion().data(), qsizetype(programVersion().size())));

    const AppOptionsParse parse =
        parseAppArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (!parse.error.empty()) {
        std::fprintf(stderr, "Kestrix: %s\n%s\n", parse.error.c_str(), kAppUsage);
        return 2;
    }

    const UiTranslators translators(startUiLanguage(parse.options));

    const StartupProbe probe;
    CTalvexApp talvex;
    if (!talvex.initInstance())
        return 0;
    initSkinResources();
    applySkinPalette(app);

    // The keyboard is the window's for as long as it runs, so a command-line program cannot
    // write between the window's reads and writes. One that holds it now gets a few seconds to
    // finish; after that the window starts anyway, since one that will not start helps nobody.
    // Taken before a simulated keyboard's state is loaded, and let go only when main ends.
    KeyboardLock keyboardLock;
    if (const LockResult locked =
            lockKeyboardInUse(keyboardLock, parse.options.simulate,
                              parse.options.simulatorStateFile, std::chrono::seconds(5));
        !locked)
        std::fprintf(stderr, "Kestrix: warning: %s; the window runs without the keyboard lock\n",
                     locked.message.c_str());

    std::unique_ptr<HidBackend> backend;
    std::unique_ptr<Pauser> pauser;
    if (parse.options.simulate) {
        std::string error;
        auto keyboard = makeSimulatedKeyboard(parse.options.simulatorStateFile, error);
        if (!keyboard) {
            std::fprintf(stderr, "Kestrix: %s\n", error.c_str());
            return 2;
        }
        backend = std::make_unique<SimulatorBackend>(keyboard);
        pauser = std::make_unique<InstantPauser>();
    } else {
        backend = makeHidapiBackend();
        pauser = std::make_unique<SleepingPauser>();
    }
    auto monitor = createSystemDeviceMonitor();
    QtNotificationIcon icon(applicationIcon());
    QtPrompts prompts;
    QtShell shell;

    MainWindowSettings settings;
    settings.paths = defaultAppPaths();
    settings.ownsDataFolder = talvex.holdsInstanceLock();
    settings.keyboard =
        forwardedKeyboardName(parse.options.simulate, parse.options.simulatorStateFile);
    settings.keyboardWork = runForwardedKeyboardWork;
    settings.keyAssign = runForwardedAssign;
    // The start-up benchmark times the window, not the splash's second.
    if (!probe.active())
        settings.runSplash = [] {
            CSplashScreen splash;
            splash.exec();
        };
    auto window = std::make_unique<MainWindow>(
        MainWindowPlatform{*backend, *pauser, *monitor, icon, prompts, shell, programSkinImages()},
        settings);
    prompts.setParentWidget(window.get());
    QObject::connect(window.get(), &MainWindow::finished, &app, &QApplication::quit);
    probe.watch(*window);
    window->initDialog();
    // A later copy that asked during start-up is answered now that the window is ready.
    talvex.setMainWindow(window.get());
    talvex.setForwardHandler(
        [target = QPointer<MainWindow>(window.get())](const ForwardedRequest& request,
                                                      SingleInstance::ForwardAnswer answer) {
            if (target)
                target->carryOut(request, std::move(answer));
        });
    return app.exec();
}
