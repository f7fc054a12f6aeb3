// The main window's lifecycle against the simulated keyboard: start with and without it, the
// start-up read, hot-plug, key events during a save, the keys that must not close it, shutdown.
#include "app/keyboard_access.h"
#include "app/qt/main_window.h"
#include "controls/qt/bit_slider.h"
#include "device/hid_transport.h"
#include "keys/key_positions.h"
#include "keys/key_slot.h"
#include "keys/keymap_file.h"
#include "main_window_stand_ins.h"
#include "platform/fake_device_monitor.h"
#include "platform/fake_notification_icon.h"
#include "platform/file_io.h"
#include "platform/recording_shell.h"
#include "platform/scripted_prompts.h"
#include "qt_test_app.h"
#include "simulated_bus.h"
#include "test_folder.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sys/stat.h>

namespace talvex {
namespace {

namespace fs = std::filesystem;

constexpr const char* kFirmwareQuestion = "检测到键盘版本与Driver的版本不匹配，是否进行更新？";
constexpr const char* kSaveIncomplete =
    "键盘没有响应，设置未能全部写入键盘，已保存到文件。请检查键盘连接后再保存一次；"
    "重新连接键盘后也会询问是否发送这些更改。";
constexpr const char* kSavedToFilesOnly =
    "键盘未连接或尚未完整读取，本次更改已保存到文件，还没有写入键盘。"
    "键盘连接并读取完成后，会询问是否把这些更改发送到键盘。";

std::shared_ptr<SimulatedKeyboard> keyboardWithBrightness(std::uint8_t brightness) {
    DeviceSettings image = factorySettings();
    image.lightBrightness = brightness;
    return std::make_shared<SimulatedKeyboard>(image);
}

class MainWindowTest : public ::testing::Test, protected testing::MainWindowStandIns {
protected:
    void start(HidBackend* backend = nullptr) {
        MainWindowSettings settings;
        settings.paths = {program.path(), data.path()};
        settings.arrivalSettleMs = 50;
        settings.ownsDataFolder = ownsDataFolder;
        dlg = std::make_unique<MainWindow>(ports(backend ? *backend : bus), settings);
        QObject::connect(dlg.get(), &MainWindow::finished, [this] { finished = true; });
        dlg->initDialog();
    }
    void startAndWaitForTheRead() {
        start();
        ASSERT_TRUE(testing::spinUntil([this] { return !dlg->session().busy(); }));
    }
    // The keyboard expects firmware major.minor (the simulator has 1.3).
    void expectFirmware(char major, char minor) {
        std::ofstream(program / "VER.bin") << "Ver: " << major << "." << minor << "\n";
    }
    DeviceSettings keymapFileSettings() {
        DeviceSettings s = zeroSettings();
        EXPECT_TRUE(loadKeymapFile(data / "keymap.bin", s, scratchAssignments, false).ok());
        return s;
    }
    int slider(SliderId id) {
        for (CBitSlider* s : dlg->findChildren<CBitSlider*>())
            if (s->controlId() == static_cast<int>(id))
                return s->value();
        return -1;
    }
    long questionsWith(const std::string& text) {
        const auto texts = prompts.messageTexts();
        return std::count(texts.begin(), texts.end(), text);
    }
    bool channelsOpen() const {
        return dlg->session().link().commandHandle && dlg->session().link().eventHandle;
    }
    bool channelsClosed() const {
        return !dlg->session().link().commandHandle && !dlg->session().link().eventHandle;
    }

    testing::TestFolder program{"talvex-program"};
    testing::TestFolder data{"talvex-data"};
    KeyAssignments scratchAssignments{};
    bool ownsDataFolder = false;
    bool finished = false;
    std::unique_ptr<MainWindow> dlg;
};

TEST_F(MainWindowTest, WithoutTheKeyboardOnlyTheIconRemainsAndItsDoubleClickWarns) {
    start();
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_TRUE(icon.shown);
    EXPECT_EQ(icon.tip, "Kestrix");
    EXPECT_TRUE(channelsClosed());
    EXPECT_FALSE(dlg->session().busy());
    EXPECT_FALSE(dlg->session().readerRunning());
    EXPECT_TRUE(prompts.questions.empty()); // no keyboard is an ordinary state

    icon.activate();
    ASSERT_EQ(icon.warnings.size(), 1u);
    EXPECT_EQ(icon.warnings[0].first, "Warning");
    EXPECT_EQ(icon.warnings[0].second, "系统没有检测到游戏键盘！");
    EXPECT_FALSE(dlg->isVisible());
}

TEST_F(MainWindowTest, WithoutANotificationAreaTheWindowStaysReachable) {
    icon.trayAvailable = false;
    start();
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_TRUE(dlg->isMinimized());
}

// The keyboard is listed but this user may not open it (no udev rule yet).
class LockedBus final : public HidBackend {
public:
    std::vector<HidInterfaceInfo> enumerate() override { return listed.enumerate(); }
    std::unique_ptr<HidChannel> open(const std::string&, ChannelRole) override { return nullptr; }
    SimulatorBackend listed{std::make_shared<SimulatedKeyboard>()};
};

TEST_F(MainWindowTest, AKeyboardThatCannotBeOpenedIsExplainedAtStartAndOnArrival) {
    LockedBus locked;
    start(&locked);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(questionsWith(keyboardAccessAdvice()), 1);

    monitor.arrive(0x046D, 0xC077); // another device: nothing to explain
    monitor.arrive(kKestrixVendorId, kKestrixProductId);
    ASSERT_TRUE(testing::spinUntil([this] { return prompts.questions.size() > 1; }, 1000));
    EXPECT_EQ(questionsWith(keyboardAccessAdvice()), 2);
    dlg.reset(); // before the bus it uses
}

TEST_F(MainWindowTest, TheKeyboardsValuesReplaceKeymapBinAndAnOlderFirmwareIsOffered) {
    DeviceSettings stale = factorySettings();
    stale.lightBrightness = 7;
    stale.lightSpeed = 2;
    KeyAssignments assignments{};
    resetAssignments(assignments);
    ASSERT_TRUE(saveKeymapFile(data / "keymap.bin", stale, assignments).ok());
    bus.keyboard = keyboardWithBrightness(33);
    expectFirmware('1', '9');

    start();
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_EQ(dlg->windowTitle(), "Kestrix");
    EXPECT_TRUE(dlg->session().busy()); // the read runs beside the window
    ASSERT_TRUE(testing::spinUntil([this] { return !dlg->session().busy(); }));

    const DeviceSettings expected = bus.keyboard->image();
    EXPECT_EQ(dlg->keys().workingSettings, expected);
    EXPECT_EQ(dlg->deviceSnapshot(), expected);
    EXPECT_EQ(keymapFileSettings(), expected);
    EXPECT_EQ(slider(SliderId::Brightness), 33);
    EXPECT_EQ(slider(SliderId::Speed), expected.lightSpeed);
    EXPECT_EQ(dlg->session().link().firmwareVersion[0], SimulatedKeyboard::kFirmwareMajor);
    EXPECT_EQ(questionsWith(kFirmwareQuestion), 1);

    // Settings that came from a profile are not the keyboard's: no read, no offer.
    dlg->settingsReloaded(SettingsSource::Profile);
    EXPECT_FALSE(dlg->session().busy());
    EXPECT_EQ(questionsWith(kFirmwareQuestion), 1);

    const QImage picture = dlg->render();
    EXPECT_EQ(picture.size(), dlg->size());
    EXPECT_EQ(picture.size(), skin.image(SkinFolder::Main, "main.png").size());
}

TEST_F(MainWindowTest, DamagedDataFilesAreOfferedAsideAndOneTheUserKeepsIsNeverSavedOver) {
    ASSERT_EQ(::mkfifo((data / "keymap.bin").c_str(), 0600), 0); // opened for reading, it hangs
    std::ofstream(data / "MacroDefine.bin", std::ios::binary) << std::string(1000, 'm');
    std::ofstream(data / ".talvex-tmp-Ab12Cd") << "a save killed long ago";
    fs::last_write_time(data / ".talvex-tmp-Ab12Cd",
                        fs::file_time_type::clock::now() - std::chrono::minutes(5));
    bus.keyboard = keyboardWithBrightness(33);
    prompts.messageAnswers = {MessageAnswer::Yes,
                              MessageAnswer::No}; // move the macros, keep keymap
    ownsDataFolder = true;
    startAndWaitForTheRead();

    const auto texts = prompts.messageTexts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].rfind("MacroDefine.bin 无法完整读取（", 0), 0u);
    EXPECT_EQ(texts[1].rfind("keymap.bin 无法完整读取（", 0), 0u);
    EXPECT_EQ(texts[2], "本次运行期间不会保存 keymap.bin，它将保持原样。");
    EXPECT_FALSE(fs::exists(data / ".talvex-tmp-Ab12Cd"));
    std::vector<fs::path> macrosAside;
    for (const auto& entry : fs::directory_iterator(data.path()))
        if (entry.path().filename().string().rfind("MacroDefine.bin.damaged-", 0) == 0)
            macrosAside.push_back(entry.path());
    ASSERT_EQ(macrosAside.size(), 1u);
    EXPECT_EQ(fs::file_size(macrosAside[0]), 1000u);

    // The keyboard's values came in and were "saved": the FIFO is still there, untouched.
    EXPECT_EQ(dlg->keys().workingSettings, bus.keyboard->image());
    dlg->keys().workingSettings.lightBrightness = 20;
    dlg->commands().save();
    ASSERT_TRUE(testing::spinUntil([this] { return !dlg->session().busy(); }));
    EXPECT_EQ(bus.keyboard->image().lightBrightness, 20);
    EXPECT_TRUE(fs::is_fifo(fs::symlink_status(data / "keymap.bin")));
    EXPECT_EQ(prompts.messageTexts().size(), 3u);
}

TEST_F(MainWindowTest, PullingAndPluggingTheKeyboardClosesAndReopensItsChannels) {
    bus.keyboard = keyboardWithBrightness(33);
    expectFirmware('1', '9');
    startAndWaitForTheRead();
    const DeviceSettings before = dlg->deviceSnapshot();

    bus.replace(nullptr);
    monitor.remove(kKestrixVendorId, kKestrixProductId);
    EXPECT_TRUE(channelsClosed());
    EXPECT_FALSE(dlg->session().readerRunning());
    EXPECT_TRUE(dlg->isVisible()); // the window stays as it was

    bus.replace(keyboardWithBrightness(12));
    QElapsedTimer settling;
    settling.start();
    monitor.arrive();
    EXPECT_TRUE(channelsClosed()); // not before the arrival has settled
    ASSERT_TRUE(testing::spinUntil([this] { return channelsOpen() && !dlg->session().busy(); }));
    EXPECT_GE(settling.elapsed(), 50);
    EXPECT_TRUE(dlg->session().readerRunning());
    EXPECT_EQ(dlg->keys().workingSettings.lightBrightness, 12);
    EXPECT_EQ(slider(SliderId::Brightness), 12);
    EXPECT_EQ(keymapFileSettings().lightBrightness, 12);
    // The keyboard may have been changed elsewhere meanwhile: the fresh read is what it holds.
    EXPECT_NE(dlg->deviceSnapshot(), before);
    EXPECT_EQ(dlg->deviceSnapshot(), bus.keyboard->image());
    EXPECT_EQ(questionsWith(kFirmwareQuestion), 2);
}

// A bus whose command channels lose one answer in transit: the keyboard answers, but the answer
// after the next `answersBeforeLoss` does not arrive whole.
class LossyBus final : public HidBackend {
public:
    explicit LossyBus(HidBackend& bus) : bus_(bus) {}
    std::vector<HidInterfaceInfo> enumerate() override { return bus_.enumerate(); }
    std::unique_ptr<HidChannel> open(const std::string& path, ChannelRole role) override {
        auto channel = bus_.open(path, role);
        if (channel && role == ChannelRole::Command)
            return std::make_unique<Channel>(std::move(channel), answersBeforeLoss);
        return channel;
    }
    std::shared_ptr<std::atomic<int>> answersBeforeLoss = std::make_shared<std::atomic<int>>(-1);

private:
    struct Channel final : HidChannel {
        Channel(std::unique_ptr<HidChannel> inner, std::shared_ptr<std::atomic<int>> count)
            : inner(std::move(inner)), count(std::move(count)) {}
        bool setFeature(std::span<const std::uint8_t, kFeatureReportSize> r) override {
            return inner->setFeature(r);
        }
        bool getFeature(std::span<std::uint8_t, kFeatureReportSize> r) override {
            return inner->getFeature(r) && (*count)-- != 0;
        }
        bool writeData(std::span<const std::uint8_t, kDataReportSize> r) override {
            return inner->writeData(r);
        }
        bool readData(std::span<std::uint8_t, kDataReportSize> r) override {
            return inner->readData(r) && (*count)-- != 0;
        }
        InputResult readInput(std::span<std::uint8_t, kInputReportSize> r, int ms) override {
            return inner->readInput(r, ms);
        }
        std::unique_ptr<HidChannel> inner;
        std::shared_ptr<std::atomic<int>> count;
    };
    HidBackend& bus_;
};

TEST_F(MainWindowTest, AnIncompleteReadIsDroppedSavesGoToTheFilesOnlyAndARetryReadsItWhole) {
    DeviceSettings fromFile = factorySettings();
    fromFile.lightBrightness = 7;
    KeyAssignments assignments{};
    resetAssignments(assignments);
    ASSERT_TRUE(saveKeymapFile(data / "keymap.bin", fromFile, assignments).ok());
    const auto fileBefore = readFileBytes(data / "keymap.bin", kKeymapFileSize);
    bus.keyboard = keyboardWithBrightness(33);
    LossyBus lossy(bus);
    *lossy.answersBeforeLoss = 4; // a palette colour, after the lighting came in

    start(&lossy);
    ASSERT_TRUE(testing::spinUntil([this] { return !prompts.questions.empty(); }));
    EXPECT_EQ(prompts.questions[0].text.rfind("未能完整读取键盘的设置（colour palette）", 0), 0u);
    EXPECT_EQ(prompts.questions[0].buttons, MessageButtons::RetryCancel); // declined
    EXPECT_EQ(dlg->keys().workingSettings, fromFile);
    EXPECT_EQ(dlg->deviceSnapshot(), fromFile);
    EXPECT_EQ(readFileBytes(data / "keymap.bin", kKeymapFileSize), fileBefore);
    EXPECT_EQ(slider(SliderId::Brightness), 7);

    dlg->keys().workingSettings.lightBrightness = 20;
    dlg->commands().save();
    EXPECT_FALSE(dlg->session().busy());
    EXPECT_EQ(questionsWith(kSavedToFilesOnly), 1);
    EXPECT_EQ(bus.keyboard->image().lightBrightness, 33);
    EXPECT_EQ(keymapFileSettings().lightBrightness, 20);

    // The keyboard comes back and loses an answer again; the retry reads it whole.
    *lossy.answersBeforeLoss = 2;
    prompts.messageAnswers.push_back(MessageAnswer::Retry);
    bus.replace(nullptr);
    monitor.remove(kKestrixVendorId, kKestrixProductId);
    bus.replace(keyboardWithBrightness(12));
    monitor.arrive();
    ASSERT_TRUE(testing::spinUntil(
        [this] { return dlg->commands().keyboardStateKnown() && !dlg->session().busy(); }));
    // The brightness saved meanwhile is laid over the fresh read and offered; left for later,
    // it stays in the window and the files, and the keyboard keeps its own.
    EXPECT_EQ(prompts.questions.size(), 4u);
    EXPECT_EQ(prompts.questions.back().buttons, MessageButtons::SendDiscard);
    DeviceSettings expected = bus.keyboard->image();
    expected.lightBrightness = 20;
    EXPECT_EQ(dlg->keys().workingSettings, expected);
    EXPECT_EQ(dlg->deviceSnapshot(), bus.keyboard->image());
    EXPECT_EQ(keymapFileSettings(), expected);
    EXPECT_EQ(slider(SliderId::Brightness), 20);

    dlg->keys().workingSettings.lightBrightness = 25;
    dlg->commands().save();
    ASSERT_TRUE(testing::spinUntil([this] { return !dlg->session().busy(); }));
    EXPECT_EQ(bus.keyboard->image().lightBrightness, 25);
    dlg.reset(); // before the bus it uses
}

TEST_F(MainWindowTest, PullingAnotherUsbDeviceLeavesTheKeyboardConnected) {
    bus.keyboard = keyboardWithBrightness(33);
    startAndWaitForTheRead();

    monitor.remove(0x046D, 0xC077); // a mouse
    EXPECT_TRUE(channelsOpen());
    monitor.remove(); // a device the system did not name, while the keyboard is still listed
    EXPECT_TRUE(channelsOpen());
    EXPECT_TRUE(dlg->session().readerRunning());

    // An arrival while both channels are open reads nothing.
    monitor.arrive();
    testing::spinUntil([] { return false; }, 150);
    EXPECT_FALSE(dlg->session().busy());
}

TEST_F(MainWindowTest, AKeyEventDuringASaveRunsItsHostActionAndAFailedSaveIsReported) {
    constexpr std::size_t kPosition = 42; // Q
    const KeyPosition& key = keyPositions()[kPosition];
    DeviceSettings image = factorySettings();
    writeSlot(image, key.matrixCell, KeySlot{{kSlotHostAction, 0, key.vk, 0}});
    bus.keyboard = std::make_shared<SimulatedKeyboard>(image);
    std::ofstream(data / "notes.txt") << "notes";
    KeyAssignments assignments{};
    resetAssignments(assignments);
    assignments[kPosition].type = static_cast<std::uint8_t>(AssignmentType::OpenFile);
    ASSERT_TRUE(assignments[kPosition].setPathText((data / "notes.txt").u16string()));
    ASSERT_TRUE(saveKeymapFile(data / "keymap.bin", image, assignments).ok());
    startAndWaitForTheRead();
    const DeviceSettings snapshot = dlg->deviceSnapshot();

    bus.keyboard->setFaults({.dropAllAcks = true});
    dlg->keys().workingSettings.lightBrightness = 20;
    dlg->commands().save();
    ASSERT_TRUE(dlg->session().busy());
    EXPECT_EQ(dlg->cursor().shape(), Qt::WaitCursor);
    bus.keyboard->pressKey(key.matrixCell);
    ASSERT_TRUE(testing::spinUntil([this] { return !shell.calls.empty(); }));
    EXPECT_TRUE(dlg->session().busy());
    EXPECT_EQ(shell.calls[0].kind, RecordingShell::Call::OpenPath);
    EXPECT_EQ(shell.calls[0].target, (data / "notes.txt").string());

    ASSERT_TRUE(testing::spinUntil([this] { return !dlg->session().busy(); }, 5000));
    EXPECT_EQ(questionsWith(kSaveIncomplete), 1);
    EXPECT_EQ(dlg->deviceSnapshot(), snapshot); // the next save sends it all again
    EXPECT_NE(dlg->cursor().shape(), Qt::WaitCursor);
}

TEST_F(MainWindowTest, MouseEventsReachTheCommandsAndABackgroundDragMovesTheWindow) {
    bus.keyboard = keyboardWithBrightness(33);
    startAndWaitForTheRead();
    auto send = [this](QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        QMouseEvent event(type, at, dlg->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QCoreApplication::sendEvent(dlg.get(), &event);
    };
    send(QEvent::MouseButtonPress, {944, 12}, Qt::LeftButton); // the help button
    send(QEvent::MouseButtonRelease, {944, 12}, Qt::NoButton);
    EXPECT_TRUE(dlg->commands().helpOpen());
    send(QEvent::MouseButtonPress, {600, 15}, Qt::LeftButton); // closes the help panel
    send(QEvent::MouseButtonRelease, {600, 15}, Qt::NoButton);
    ASSERT_FALSE(dlg->commands().helpOpen());

    const QPoint before = dlg->pos();
    send(QEvent::MouseButtonPress, {600, 520}, Qt::LeftButton); // free background
    send(QEvent::MouseMove, {610, 525}, Qt::LeftButton);
    send(QEvent::MouseMove, {640, 545}, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, {944, 12}, Qt::NoButton); // over the help button
    EXPECT_EQ(dlg->pos() - before, QPoint(30, 20));
    EXPECT_FALSE(dlg->commands().helpOpen()); // the drag's release is no click
}

TEST_F(MainWindowTest, EnterEscapeAndF1NeitherCloseNorAct) {
    bus.keyboard = keyboardWithBrightness(33);
    startAndWaitForTheRead();
    for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_F1}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(dlg.get(), &press);
    }
    QCoreApplication::processEvents();
    EXPECT_TRUE(dlg->isVisible());
    EXPECT_FALSE(finished);
    EXPECT_TRUE(prompts.questions.empty());
}

TEST_F(MainWindowTest, QuitStopsBothThreadsAndClosesTheChannelsAtOnce) {
    bus.keyboard = keyboardWithBrightness(33);
    startAndWaitForTheRead();
    ASSERT_TRUE(dlg->session().readerRunning());

    QElapsedTimer quitting;
    quitting.start();
    icon.chooseQuit();
    EXPECT_LT(quitting.elapsed(), 1000); // the reader notices within one 200 ms read
    EXPECT_TRUE(finished);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_FALSE(dlg->session().readerRunning());
    EXPECT_TRUE(channelsClosed());
    EXPECT_FALSE(icon.shown);
    EXPECT_FALSE(monitor.running());
    EXPECT_EQ(dlg->session().state(), SessionState::ShuttingDown);
}

TEST_F(MainWindowTest, QuitDuringASaveWaitsForTheKeyboardToFinish) {
    bus.keyboard = keyboardWithBrightness(33);
    startAndWaitForTheRead();
    dlg->keys().workingSettings.lightBrightness = 20;
    dlg->commands().save();
    ASSERT_TRUE(dlg->session().busy());

    icon.chooseQuit();
    EXPECT_FALSE(dlg->isVisible());
    ASSERT_TRUE(testing::spinUntil([this] { return finished; }));
    EXPECT_EQ(bus.keyboard->image().lightBrightness, 20);
    EXPECT_EQ(dlg->deviceSnapshot().lightBrightness, 20);
    EXPECT_TRUE(channelsClosed());
}

} // namespace
} // namespace talvex
