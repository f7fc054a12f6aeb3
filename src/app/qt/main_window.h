#pragma once
// The main window: a frameless window the size of its skin that shows the keyboard, the
// settings panel and the buttons (MainWindowCommands paints and handles them), with the
// notification-area icon. The keyboard's lifecycle is its KeyboardSession's.

#include "app/forwarded_run.h"
#include "app/hot_plug.h"
#include "app/keyboard_session.h"
#include "app/qt/qt_event_loop_port.h"
#include "controls/qt/skin_images.h"
#include "controls/qt/skinned_window.h"
#include "device/device_link.h"
#include "keys/key_assignment_store.h"
#include "keys/key_name_table.h"
#include "macros/macro_record.h"
#include "mainwindow/main_window_commands.h"
#include "mainwindow/main_window_host.h"
#include "mainwindow/qt/panel_bit_sliders.h"
#include "platform/app_paths.h"
#include "platform/clock.h"
#include "platform/device_monitor.h"
#include "platform/hid.h"
#include "platform/notification_icon.h"
#include "platform/pauser.h"
#include "platform/prompts.h"
#include "platform/shell.h"

#include <QImage>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace talvex {

// The operating system as the main window sees it; everything outlives the window.
struct MainWindowPlatform {
    HidBackend& backend;
    Pauser& protocolPauser; // the pauses the keyboard needs between reports
    DeviceMonitor& deviceMonitor;
    NotificationIcon& notificationIcon;
    Prompts& prompts;
    Shell& shell;
    SkinImages& skin;
    const SteadyClock* clock = nullptr; // how long an outcome shows; null: the system's
};

struct MainWindowSettings {
    AppPaths paths;
    int arrivalSettleMs = kArrivalSettleMs;
    // This copy holds the single-instance lock: no other copy saves in the data folder, so the
    // leftovers of killed saves there are this program's to sweep.
    bool ownsDataFolder = false;
    // Shows the splash screen modally; empty shows none.
    std::function<void()> runSplash;
    // The help panel's; empty: it has no such row.
    std::string webAddress = kWebAddress;
    // The keyboard this window drives, as kestrix-cli names it: empty for the real one, else the
    // simulated keyboard's state file, absolute. A simulator without a state file is no one's
    // but this window's: nothing is set.
    std::optional<std::string> keyboard;
    // The command line's keyboard work, for the commands this window carries out for it.
    ForwardedKeyboardWork keyboardWork;
    ForwardedAssign keyAssign;
};

// Where the settings that replaced the working ones came from.
enum class SettingsSource { Keyboard, Profile };

class MainWindow final : public QWidget, private MainWindowHost, private KeyboardSessionListener {
    Q_OBJECT
public:
    MainWindow(MainWindowPlatform ports, MainWindowSettings settings, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The window's start-up: skin size, device notifications, splash, the data folder and
    // MacroDefine.bin, the channels and the event reader, the notification-area icon, keymap.bin,
    // then the read of the keyboard. The window is shown when the keyboard is there and stays
    // hidden (only the icon remains) when it is not.
    void initDialog();

    // The working settings were replaced as a whole.
    void settingsReloaded(SettingsSource source);

    // main_window_forwarding.cpp: carries out a kestrix-cli command that needs the keyboard
    // this window drives, between its own jobs, and answers when it is done.
    void carryOut(const ForwardedRequest& request,
                  std::function<void(const ForwardedReply&)> answer);

    // The whole window as it would be painted now; its captions become drawnCaptions().
    QImage render();
    // The captions of the last paint, where they came out.
    const std::vector<DrawnCaption>& drawnCaptions() const { return captions_; }

    KeyAssignmentState& keys() { return keys_; }
    DeviceSettings& deviceSnapshot() { return deviceSnapshot_; }
    KeyboardSession& session() { return session_; }
    MainWindowCommands& commands() { return commands_; }
    const std::optional<FirmwareVersion>& expectedVersion() const { return expectedVersion_; }

signals:
    // The window has ended and every thread with it; the program ends now.
    void finished();
    // A paint of the window has ended (the start-up benchmark times the first).
    void painted();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // MainWindowHost
    void requestRepaint() override;
    void hideWindow() override;
    void closeWindow() override;
    void startWindowDrag(int x, int y) override;
    void setBusyCursor(bool busy) override;
    bool keyboardPresent() const override;
    void readKeyboardAgain() override;

    // KeyboardSessionListener
    DeviceSettings workingSettings() override { return keys_.workingSettings; }
    void readFinished(const KeyboardRead& read, const ReadScope& scope) override;
    void readIncomplete(const std::string& failure) override;
    void keyEvent(std::uint8_t code) override;
    void busyChanged() override { updateCursor(); }
    // main_window_activity.cpp: what the window says about the keyboard follows the session.
    void connectionChanged() override;
    void jobStarted(DeviceJobKind kind) override;
    void jobProgressed(std::size_t done, std::size_t total) override;
    void jobEnded(DeviceJobKind kind, bool completed) override;

    void onIconActivated();
    void quitFromIcon();
    void endWindow();
    void updateCursor();

    MainWindowPlatform ports_;
    MainWindowSettings settings_;
    QtEventLoopPort loop_{*this};
    KeyAssignmentState keys_;
    DeviceSettings deviceSnapshot_ = zeroSettings();
    MacroStore savedMacros_{};
    KeyNameTable keyNames_;
    std::optional<FirmwareVersion> expectedVersion_;
    PanelBitSliders sliders_;
    KeyboardSession session_;
    MainWindowCommands commands_;

    bool commandsBusyCursor_ = false;
    WindowDrag drag_;
    std::vector<DrawnCaption> captions_;
};

} // namespace talvex
