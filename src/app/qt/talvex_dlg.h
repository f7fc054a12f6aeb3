#pragma once
// The main window: a frameless window the size of its skin that shows the keyboard, the
// settings panel and the buttons (MainWindowCommands paints and handles them), and that owns the
// keyboard's lifecycle: the start-up read, the event reader, hot-plug, the notification-area
// icon and the order of shutdown.

#include "app/event_reader_thread.h"
#include "app/hot_plug.h"
#include "app/qt/device_thread.h"
#include "controls/qt/skin_images.h"
#include "device/device_link.h"
#include "keys/key_assignment_store.h"
#include "keys/key_name_table.h"
#include "macros/macro_record.h"
#include "mainwindow/main_window_commands.h"
#include "mainwindow/main_window_host.h"
#include "mainwindow/qt/panel_bit_sliders.h"
#include "platform/app_paths.h"
#include "platform/device_monitor.h"
#include "platform/hid.h"
#include "platform/notification_icon.h"
#include "platform/pauser.h"
#include "platform/prompts.h"
#include "platform/shell.h"

#include <QImage>
#include <QPoint>
#include <QWidget>

#include <functional>
#include <optional>

namespace talvex {

// The operating system as the main window sees it; everything outlives the window.
struct TalvexDlgPorts {
    HidBackend& backend;
    Pauser& protocolPauser; // the pauses the keyboard needs between reports
    DeviceMonitor& deviceMonitor;
    NotificationIcon& notificationIcon;
    Prompts& prompts;
    Shell& shell;
    SkinImages& skin;
};

struct TalvexDlgSettings {
    AppPaths paths;
    int arrivalSettleMs = kArrivalSettleMs;
    // This copy holds the single-instance lock: no other copy saves in the data folder, so the
    // leftovers of killed saves there are this program's to sweep.
    bool ownsDataFolder = false;
    // Shows the splash screen modally; empty shows none.
    std::function<void()> runSplash;
};

// Where the settings that replaced the working ones came from.
enum class SettingsSource { Keyboard, Profile };

class CTalvexDlg final : public QWidget, private MainWindowHost {
    Q_OBJECT
public:
    CTalvexDlg(TalvexDlgPorts ports, TalvexDlgSettings settings, QWidget* parent = nullptr);
    ~CTalvexDlg() override;

    // The window's start-up: skin size, device notifications, splash, the data folder and
    // MacroDefine.bin, the channels and the event reader, the notification-area icon, keymap.bin,
    // then the read of the keyboard. The window is shown when the keyboard is there and stays
    // hidden (only the icon remains) when it is not.
    void initDialog();

    // The working settings were replaced as a whole.
    void settingsReloaded(SettingsSource source);

    // The whole window as it would be painted now.
    QImage render();

    KeyAssignmentState& keys() { return keys_; }
    DeviceSettings& deviceSnapshot() { return deviceSnapshot_; }
    const DeviceLink& link() const { return link_; }
    DeviceThread& deviceThread() { return deviceThread_; }
    MainWindowCommands& commands() { return commands_; }
    bool readerRunning() const { return reader_.running(); }
    const std::optional<FirmwareVersion>& expectedVersion() const { return expectedVersion_; }

signals:
    // The window has ended and every thread with it; the program ends now.
    void finished();

protected:
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
    void readKeyboardAgain() override;

    void startEventReader();
    void startInitialRead();
    void onKeyEvent(std::uint8_t code);
    void onIconActivated();
    void quitFromIcon();
    void onDeviceChange(const UsbDeviceChange& change);
    void reattach(const UsbDeviceChange& arrival);
    void detach();
    void onDeviceThreadBusy(bool busy);
    void endWindow();
    void shutdown();
    void updateCursor();

    TalvexDlgPorts ports_;
    TalvexDlgSettings settings_;
    DeviceLink link_;
    KeyAssignmentState keys_;
    DeviceSettings deviceSnapshot_ = zeroSettings();
    MacroStore savedMacros_{};
    KeyNameTable keyNames_;
    std::optional<FirmwareVersion> expectedVersion_;
    PanelBitSliders sliders_;
    DeviceThread deviceThread_;
    EventReaderThread reader_;
    MainWindowCommands commands_;

    bool monitoring_ = false;
    bool commandsBusyCursor_ = false;
    bool closeCommandWhenIdle_ = false;
    std::function<void()> closeWhenIdle_;
    bool shutDown_ = false;
    bool ended_ = false;
    // A window move started by a press on the background; the press's release is no click.
    bool moving_ = false;
    bool manualMove_ = false;
    QPoint moveGrip_;
};

} // namespace talvex
