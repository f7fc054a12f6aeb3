// The main window's start-up, what it does with the keyboard's reads and events, and its end.
#include "app/qt/main_window.h"

#include "app/firmware_check.h"
#include "app/qt/about_box.h"
#include "app/qt/main_window_dialogs.h"
#include "keys/host_action.h"
#include "platform/ui_text.h"

namespace talvex {

namespace {

constexpr const char* kTitle = "Kestrix";
constexpr const char* kNoKeyboardTitle = "Warning";
constexpr const char* kNoKeyboardText = TALVEX_TEXT("系统没有检测到游戏键盘！");
constexpr const char* kNoDeviceEvents = "Cannot register for Wdm2 class device notification";

} // namespace

MainWindow::MainWindow(MainWindowPlatform ports, MainWindowSettings settings, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), ports_(ports),
      settings_(std::move(settings)), keyNames_(buildKeyNameTable()),
      sliders_(this, [this](SliderId id) { commands_.onSliderMoved(id); }),
      session_({ports.backend, ports.protocolPauser, ports.deviceMonitor, ports.prompts, loop_},
               *this, settings_.arrivalSettleMs),
      commands_(MainWindowData{keys_, deviceSnapshot_, savedMacros_, keyNames_, settings_.paths,
                               settings_.webAddress},
                MainWindowPorts{ports.prompts, ports.shell, sliders_, session_, *this, ports.clock},
                makeMainWindowDialogs({this, keys_, savedMacros_, keyNames_, settings_.paths,
                                       ports.prompts, ports.shell})) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

MainWindow::~MainWindow() {
    ports_.notificationIcon.hide();
    session_.shutdown();
}

void MainWindow::initDialog() {
    setWindowIcon(applicationIcon());
    setWindowTitle(QString::fromUtf8(kTitle));
    commands_.keyboardView().setDiyView(false);

    expectedVersion_ = readExpectedVersion(settings_.paths.versionFile());
    const QImage background =
        ports_.skin.image(SkinFolder::Main, MainWindowCommands::kBackgroundImage);
    if (!background.isNull())
        setFixedSize(background.size());

    if (!session_.watchDevices())
        ports_.prompts.message(kNoDeviceEvents, kTitle, MessageButtons::Ok, MessageIcon::Warning);

    if (settings_.runSplash)
        settings_.runSplash();

    commands_.openDataFolder(settings_.ownsDataFolder);
    commands_.loadMacrosAtStart();

    session_.open();

    ports_.notificationIcon.show(kTitle,
                                 {[this] { onIconActivated(); }, [this] { quitFromIcon(); }});

    commands_.loadKeymapAtStart();

    // The keyboard's values replace the ones keymap.bin held, so the read starts only now.
    session_.readKeyboard();

    if (session_.link().commandHandle && session_.link().eventHandle)
        show();
    else if (!ports_.notificationIcon.available())
        showMinimized(); // no notification area: the window is the only way back in
}

void MainWindow::readKeyboardAgain() {
    session_.readKeyboard();
}

void MainWindow::readFinished(const KeyboardRead& read, const ReadScope& scope) {
    if (scope.everything)
        commands_.takeKeyboardRead(read.working, read.snapshot);
    else
        keys_.workingSettings = read.working;
    if (scope.reload) {
        settingsReloaded(SettingsSource::Keyboard);
    } else {
        commands_.settingsPanel().syncSlidersFromSettings();
        update();
    }
}

void MainWindow::readIncomplete(const std::string& failure) {
    commands_.keyboardReadIncomplete(failure);
}

void MainWindow::settingsReloaded(SettingsSource source) {
    commands_.onSettingsReloaded();
    if (source == SettingsSource::Keyboard)
        runFirmwareCheck(expectedVersion_, session_.link().firmwareVersion,
                         settings_.paths.programFolder, ports_.prompts, ports_.shell);
}

void MainWindow::keyEvent(std::uint8_t code) {
    runHostAction(keys_.assignments, code, ports_.shell);
}

void MainWindow::onIconActivated() {
    if (!session_.link().commandHandle) {
        ports_.notificationIcon.showWarning(kNoKeyboardTitle, kNoKeyboardText);
        return;
    }
    showNormal();
    raise();
    activateWindow();
}

void MainWindow::quitFromIcon() {
    if (session_.deferUntilIdle([this] { endWindow(); }))
        hide();
    else
        endWindow();
}

void MainWindow::endWindow() {
    ports_.notificationIcon.hide();
    session_.shutdown();
    close();
    emit finished();
}

} // namespace talvex
