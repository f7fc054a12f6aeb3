// The main window's lifecycle: start-up, the keyboard's threads, hot-plug and shutdown.
#include "app/qt/talvex_dlg.h"

#include "app/firmware_check.h"
#include "app/keyboard_access.h"
#include "app/keyboard_reads.h"
#include "app/qt/about_box.h"
#include "app/qt/main_window_dialogs.h"
#include "device/hid_transport.h"
#include "keys/host_action.h"

#include <QTimer>
#include <QtGlobal>

#include <memory>

namespace talvex {

namespace {

constexpr const char* kTitle = "Kestrix";
constexpr const char* kNoKeyboardTitle = "Warning";
constexpr const char* kNoKeyboardText = "系统没有检测到游戏键盘！";
constexpr const char* kNoDeviceEvents = "Cannot register for Wdm2 class device notification";
// How often an arrival looks again while the keyboard is busy with a request.
constexpr int kArrivalRetryMs = 100;

// A read on the device thread; the window thread looks at it only once the job has ended.
struct ReadJob {
    KeyboardRead read;
    DeviceResult result;
};

} // namespace

CTalvexDlg::CTalvexDlg(TalvexDlgPorts ports, TalvexDlgSettings settings, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), ports_(ports),
      settings_(std::move(settings)), keyNames_(buildKeyNameTable()),
      sliders_(this, [this](SliderId id) { commands_.onSliderMoved(id); }),
      deviceThread_(link_, ports.protocolPauser),
      commands_(MainWindowData{keys_, deviceSnapshot_, savedMacros_, keyNames_, settings_.paths},
                MainWindowPorts{ports.prompts, ports.shell, sliders_, deviceThread_, *this},
                makeMainWindowDialogs({this, keys_, savedMacros_, keyNames_, settings_.paths,
                                       ports.prompts, ports.shell})) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&deviceThread_, &DeviceThread::busyChanged, this, &CTalvexDlg::onDeviceThreadBusy);
}

CTalvexDlg::~CTalvexDlg() {
    shutdown();
}

void CTalvexDlg::initDialog() {
    setWindowIcon(applicationIcon());
    setWindowTitle(QString::fromUtf8(kTitle));
    commands_.keyboardView().setDiyView(false);

    expectedVersion_ = readExpectedVersion(settings_.paths.versionFile());
    const QImage background =
        ports_.skin.image(SkinFolder::Main, MainWindowCommands::kBackgroundImage);
    if (!background.isNull())
        setFixedSize(background.size());

    monitoring_ = ports_.deviceMonitor.start(
        [this](const UsbDeviceChange& change) { onDeviceChange(change); });
    if (!monitoring_)
        ports_.prompts.message(kNoDeviceEvents, kTitle, MessageButtons::Ok, MessageIcon::Warning);

    if (settings_.runSplash)
        settings_.runSplash();

    commands_.openDataFolder(settings_.ownsDataFolder);
    commands_.loadMacrosAtStart();

    const KeyboardPresence presence = openKeyboard(ports_.backend, link_);
    startEventReader();
    explainKeyboardPresence(presence, ports_.prompts);

    ports_.notificationIcon.show(kTitle,
                                 {[this] { onIconActivated(); }, [this] { quitFromIcon(); }});

    commands_.loadKeymapAtStart();

    // The keyboard's values replace the ones keymap.bin held, so the read starts only now.
    startInitialRead();

    if (link_.commandHandle && link_.eventHandle)
        show();
    else if (!ports_.notificationIcon.available())
        showMinimized(); // no notification area: the window is the only way back in
}

void CTalvexDlg::startEventReader() {
    // Key events are queued to the window thread: the reader never waits for the window, so a
    // save that waits for the reader's acknowledgements cannot lock up with it.
    reader_.start(link_, [this](std::uint8_t code) {
        QMetaObject::invokeMethod(
            this, [this, code] { onKeyEvent(code); }, Qt::QueuedConnection);
    });
}

void CTalvexDlg::startInitialRead() {
    if (!link_.commandHandle)
        return;
    auto job = std::make_shared<ReadJob>();
    job->read.working = keys_.workingSettings;
    deviceThread_.run([job](DeviceIo& io) { job->result = readAtStartUp(io, job->read); },
                      [this, job] {
                          if (shutDown_)
                              return; // quit while reading: no question may follow the window
                          if (!job->result.ok) {
                              commands_.keyboardReadIncomplete(job->result.describeFailure());
                              return;
                          }
                          commands_.takeKeyboardRead(job->read.working, job->read.snapshot,
                                                     ReadOccasion::StartUp);
                          link_.deviceInfo = job->read.deviceInfo;
                          link_.firmwareVersion = job->read.firmwareVersion;
                          settingsReloaded(SettingsSource::Keyboard);
                      });
}

void CTalvexDlg::readKeyboardAgain() {
    startInitialRead();
}

void CTalvexDlg::settingsReloaded(SettingsSource source) {
    commands_.onSettingsReloaded();
    if (source == SettingsSource::Keyboard)
        runFirmwareCheck(expectedVersion_, link_.firmwareVersion, settings_.paths.programFolder,
                         ports_.prompts, ports_.shell);
}

void CTalvexDlg::onKeyEvent(std::uint8_t code) {
    runHostAction(keys_.assignments, code, ports_.shell);
}

void CTalvexDlg::onIconActivated() {
    if (!link_.commandHandle) {
        ports_.notificationIcon.showWarning(kNoKeyboardTitle, kNoKeyboardText);
        return;
    }
    showNormal();
    raise();
    activateWindow();
}

void CTalvexDlg::quitFromIcon() {
    if (deviceThread_.busy()) {
        closeWhenIdle_ = [this] { endWindow(); };
        hide();
        return;
    }
    endWindow();
}

void CTalvexDlg::onDeviceChange(const UsbDeviceChange& change) {
    if (shutDown_)
        return;
    if (change.kind == UsbDeviceChange::Kind::Arrived) {
        // The wait runs on a timer, so the window keeps working meanwhile.
        QTimer::singleShot(settings_.arrivalSettleMs, this, [this, change] { reattach(change); });
    } else if (removalTakesKeyboard(change, ports_.backend)) {
        detach();
    }
}

void CTalvexDlg::reattach(const UsbDeviceChange& arrival) {
    if (shutDown_)
        return;
    if (deviceThread_.busy()) {
        QTimer::singleShot(kArrivalRetryMs, this, [this, arrival] { reattach(arrival); });
        return;
    }
    const bool hadCommand = link_.commandHandle != nullptr;
    const bool hadEvents = link_.eventHandle != nullptr;
    const KeyboardPresence presence = openKeyboard(ports_.backend, link_);
    const bool commandOpened = !hadCommand && link_.commandHandle;
    const bool eventsOpened = !hadEvents && link_.eventHandle;
    if (eventsOpened)
        startEventReader();
    if (arrival.vendorId == kKestrixVendorId && arrival.productId == kKestrixProductId)
        explainKeyboardPresence(presence, ports_.prompts);
    if (!commandOpened && !eventsOpened)
        return;

    auto job = std::make_shared<ReadJob>();
    job->read.working = keys_.workingSettings;
    deviceThread_.run(
        [job, commandOpened, eventsOpened](DeviceIo& io) {
            job->result = readAfterArrival(io, job->read, commandOpened, eventsOpened);
        },
        [this, job, commandOpened, eventsOpened] {
            if (shutDown_)
                return;
            if (!job->result.ok) {
                commands_.keyboardReadIncomplete(job->result.describeFailure());
                return;
            }
            if (commandOpened) {
                commands_.takeKeyboardRead(job->read.working, job->read.snapshot,
                                           ReadOccasion::Arrival);
                link_.deviceInfo = job->read.deviceInfo;
                link_.firmwareVersion = job->read.firmwareVersion;
            } else {
                keys_.workingSettings = job->read.working; // the lighting only
            }
            if (eventsOpened) {
                settingsReloaded(SettingsSource::Keyboard);
            } else {
                commands_.settingsPanel().syncSlidersFromSettings();
                update();
            }
        });
}

void CTalvexDlg::detach() {
    reader_.stop();
    link_.eventHandle.reset();
    // A request that is running keeps its channel until it ends (its reports fail meanwhile).
    if (deviceThread_.busy())
        closeCommandWhenIdle_ = true;
    else
        link_.commandHandle.reset();
    qDebug("DBT_DEVICEREMOVECOMPLETE");
}

void CTalvexDlg::onDeviceThreadBusy(bool busy) {
    updateCursor();
    if (busy || deviceThread_.busy())
        return;
    if (closeCommandWhenIdle_) {
        closeCommandWhenIdle_ = false;
        link_.commandHandle.reset();
    }
    if (auto close = std::move(closeWhenIdle_)) {
        closeWhenIdle_ = nullptr;
        close();
    }
}

void CTalvexDlg::endWindow() {
    shutdown();
    ended_ = true;
    close();
    emit finished();
}

void CTalvexDlg::shutdown() {
    if (shutDown_)
        return;
    shutDown_ = true;
    ports_.notificationIcon.hide();
    if (monitoring_)
        ports_.deviceMonitor.stop();
    monitoring_ = false;
    // A save in progress runs to its end, and needs the reader for its acknowledgements.
    deviceThread_.finish();
    reader_.stop();
    closeChannels(link_);
}

} // namespace talvex
