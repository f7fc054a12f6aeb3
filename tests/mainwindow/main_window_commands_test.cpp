#include "mainwindow/main_window_commands.h"

#include "fakes.h"
#include "keys/key_positions.h"
#include "keys/keymap_file.h"
#include "macros/macro_file.h"
#include "mainwindow/main_window_rig.h"
#include "platform/file_io.h"
#include "platform/ui_text.h"
#include "simulator_jobs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace talvex {
namespace {

namespace fs = std::filesystem;
using testing::SimulatorJobs;
using testing::TextCanvas;

constexpr int kSaveX = 930, kSaveY = 620;
constexpr int kCancelX = 870, kCancelY = 620;
constexpr int kResetX = 810, kResetY = 620;
constexpr int kProfilesX = 50, kProfilesY = 620;
constexpr int kHelpX = 940, kHelpY = 10;
// Q in the window; position 42.
constexpr int kKeyQX = 385, kKeyQY = 320;
constexpr std::size_t kQ = 42;

class MainWindowCommandsTest : public ::testing::Test {
protected:
    MainWindowCommandsTest()
        : folder(fs::temp_directory_path() /
                 ("talvex_mainwin_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name())),
          rig(std::make_unique<MainWindowRig>(
              AppPaths{folder, folder}, sliders, jobs,
              MainWindowDialogs{[this](KeyEdit& edit) { return keyDialog(edit); },
                                [this] { return macroDialog(); },
                                [this](const DeviceSettings*) { profileDialog(); },
                                [this] {
                                    ++updaterStarts;
                                    return UpdaterStart::Started;
                                }})),
          paths(rig->paths), keys(rig->keys), snapshot(rig->snapshot), macros(rig->macros),
          prompts(rig->prompts), shell(rig->shell), host(rig->host), window(&rig->commands) {
        fs::remove_all(folder);
        fs::create_directories(folder);
        // As after the first read: memory, snapshot and keyboard agree.
        keys.workingSettings = jobs.keyboard().image();
        snapshot = keys.workingSettings;
    }
    ~MainWindowCommandsTest() override { fs::remove_all(folder); }

    void click(int x, int y) {
        window->onLButtonDown(x, y);
        window->onLButtonUp(x, y);
    }
    std::optional<std::vector<std::uint8_t>> keymapBytes() {
        return readFileBytes(paths.keymapFile(), kKeymapFileSize + 1);
    }
    std::vector<std::uint8_t> expectedKeymap(const DeviceSettings& s, const KeyAssignments& a) {
        return keymapFileBytes(s, a);
    }
    void moveBrightnessSlider(int position) {
        sliders[SliderId::Brightness].position = position;
        window->onSliderMoved(SliderId::Brightness);
    }

    std::function<bool(KeyEdit&)> keyDialog = [](KeyEdit&) { return false; };
    std::function<bool()> macroDialog = [] { return false; };
    std::function<void()> profileDialog = [] {};
    int updaterStarts = 0;

    fs::path folder;
    RecordingSliders sliders;
    SimulatorJobs jobs;
    std::unique_ptr<MainWindowRig> rig;
    const AppPaths& paths;
    KeyAssignmentState& keys;
    DeviceSettings& snapshot;
    MacroStore& macros;
    ScriptedPrompts& prompts;
    RecordingShell& shell;
    RecordingWindowHost& host;
    MainWindowCommands* window;
};

TEST_F(MainWindowCommandsTest, SaveWithoutChangesSendsNothingButRewritesKeymap) {
    click(kSaveX, kSaveY);
    EXPECT_EQ(jobs.requests, 1);
    EXPECT_EQ(jobs.reportsSent(), 0);
    EXPECT_EQ(keymapBytes(), expectedKeymap(keys.workingSettings, keys.assignments));
    EXPECT_FALSE(host.busyCursor);
}

TEST_F(MainWindowCommandsTest, SaveSendsTheEditAndMakesItTheKnownState) {
    moveBrightnessSlider(7);
    keys.assignments[kQ].type = 3;
    click(kSaveX, kSaveY);
    EXPECT_EQ(jobs.keyboard().image().lightBrightness, 7);
    EXPECT_EQ(jobs.reportsSent(), 2); // lighting stage 1 and stage 2 only
    EXPECT_EQ(snapshot.lightBrightness, 7);
    EXPECT_EQ(keys.savedAssignments[kQ].type, 3);
}

TEST_F(MainWindowCommandsTest, WhileTheKeyboardWorksFurtherDeviceCommandsAreRefused) {
    jobs.holdJobs = true;
    moveBrightnessSlider(9);
    click(kSaveX, kSaveY);
    EXPECT_TRUE(host.busyCursor);
    click(kSaveX, kSaveY);
    prompts.messageAnswers.push_back(MessageAnswer::Ok);
    click(kResetX, kResetY);
    click(kCancelX, kCancelY);
    EXPECT_EQ(jobs.requests, 1);
    EXPECT_FALSE(host.hidden);

    // An edit made while the keyboard works stays for the next save.
    moveBrightnessSlider(12);
    jobs.release();
    EXPECT_FALSE(host.busyCursor);
    EXPECT_EQ(snapshot.lightBrightness, 9);
    EXPECT_EQ(keys.workingSettings.lightBrightness, 12);
}

TEST_F(MainWindowCommandsTest, UnacknowledgedSaveTellsTheUserAndSendsAgainNextTime) {
    SimulatorFaults faults;
    faults.dropAllAcks = true;
    jobs.keyboard().setFaults(faults);
    const DeviceSettings before = snapshot;
    const KeyAssignments savedBefore = keys.savedAssignments;
    moveBrightnessSlider(20);
    keys.assignments[kQ].type = 3;
    click(kSaveX, kSaveY);
    EXPECT_EQ(snapshot, before);
    // The save stays the user's: kept in the files and in the record of what the keyboard lacks.
    EXPECT_EQ(keys.savedAssignments, keys.assignments);
    EXPECT_NE(keys.savedAssignments, savedBefore);
    EXPECT_EQ(window->unsentChanges().size(), 2u);
    ASSERT_EQ(prompts.messageTexts().size(), 1u);
    EXPECT_EQ(prompts.messageTexts()[0],
              "键盘没有响应，设置未能全部写入键盘，已保存到文件。请检查键盘连接后再保存一次；"
              "重新连接键盘后也会询问是否发送这些更改。");
    EXPECT_EQ(keymapBytes(), expectedKeymap(keys.workingSettings, keys.assignments));

    jobs.keyboard().setFaults(SimulatorFaults{});
    click(kSaveX, kSaveY);
    EXPECT_EQ(jobs.keyboard().image().lightBrightness, 20);
    EXPECT_EQ(snapshot.lightBrightness, 20);
    EXPECT_TRUE(window->unsentChanges().empty());
}

TEST_F(MainWindowCommandsTest, CancelRestoresTheSavedStateAndSendsNothing) {
    const std::uint8_t savedBrightness = snapshot.lightBrightness;
    moveBrightnessSlider(savedBrightness + 5);
    keys.assignments[kQ].type = 3;
    keys.keyModified[kQ] = 1;
    keys.workingSettings.lightEffect = 52;
    snapshot.lightEffect = 53;
    window->keyboardView().setDiyView(false);

    click(kCancelX, kCancelY);
    EXPECT_TRUE(host.hidden);
    EXPECT_EQ(keys.workingSettings, snapshot);
    EXPECT_EQ(keys.assignments, keys.savedAssignments);
    EXPECT_EQ(sliders[SliderId::Brightness].position, savedBrightness);
    EXPECT_EQ(keys.keyModified[kQ], 0);
    EXPECT_TRUE(window->keyboardView().diyView());
    EXPECT_EQ(jobs.requests, 0);
    EXPECT_EQ(keymapBytes(), expectedKeymap(snapshot, keys.savedAssignments));

    // Painting the restored window keeps the restored brightness.
    TextCanvas canvas;
    window->paint(canvas);
    EXPECT_EQ(keys.workingSettings.lightBrightness, savedBrightness);
}

TEST_F(MainWindowCommandsTest, CloseKeepsOnlyTheLastSavedStateInKeymap) {
    moveBrightnessSlider(33);
    keys.assignments[kQ].type = 5;
    click(kHelpX + 42, kHelpY); // close button
    EXPECT_TRUE(host.closed);
    EXPECT_EQ(keymapBytes(), expectedKeymap(snapshot, keys.savedAssignments));
    EXPECT_EQ(jobs.requests, 0);
}

TEST_F(MainWindowCommandsTest, DecliningTheFactoryResetChangesNothing) {
    const DeviceSettings before = keys.workingSettings;
    click(kResetX, kResetY);
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(prompts.questions[0].text, "确认恢复至出厂设置吗？");
    EXPECT_EQ(prompts.questions[0].caption, "出厂设置");
    EXPECT_EQ(prompts.questions[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(jobs.requests, 0);
    EXPECT_EQ(jobs.reportsSent(), 0);
    EXPECT_EQ(keys.workingSettings, before);
    EXPECT_FALSE(keymapBytes().has_value());
}

TEST_F(MainWindowCommandsTest, FactoryResetReadsBackAndForgetsEveryAssignment) {
    moveBrightnessSlider(3);
    click(kSaveX, kSaveY); // the keyboard now holds brightness 3
    keys.assignments[kQ].type = 3;
    keys.keyModified[kQ] = 1;
    keys.workingSettings.keyFlags[4] = 0;
    keys.workingSettings.lightEffect = 51;
    window->keyboardView().setDiyView(true);
    click(100, 115); // expand the lighting section

    prompts.messageAnswers.push_back(MessageAnswer::Ok);
    click(kResetX, kResetY);
    const DeviceSettings factory = factorySettings();
    EXPECT_EQ(keys.workingSettings.lightBrightness, factory.lightBrightness);
    EXPECT_EQ(sliders[SliderId::Brightness].position, factory.lightBrightness);
    for (std::uint8_t flags : keys.workingSettings.keyFlags)
        EXPECT_EQ(flags, 0xFF);
    EXPECT_EQ(keys.keyModified[kQ], 0);
    EXPECT_EQ(keys.assignments[kQ].type, 0);
    EXPECT_EQ(keys.assignments[kQ].vk, 81);
    EXPECT_FALSE(window->keyboardView().diyView());
    EXPECT_TRUE(window->settingsPanel().lightingCollapsed());
    EXPECT_EQ(snapshot, keys.workingSettings);
    EXPECT_EQ(keys.savedAssignments, keys.assignments);
    EXPECT_EQ(keymapBytes(), expectedKeymap(keys.workingSettings, keys.assignments));
}

TEST_F(MainWindowCommandsTest, FactoryResetKeepsTheKnownStateWhenKeymapCannotBeWritten) {
    const DeviceSettings before = snapshot;
    fs::remove_all(folder);
    ASSERT_TRUE(writeFileAtomically(folder, std::vector<std::uint8_t>{1}).ok()); // no folder
    keys.assignments[kQ].type = 3;
    keys.savedAssignments[kQ].type = 3;
    prompts.messageAnswers.push_back(MessageAnswer::Ok);
    click(kResetX, kResetY);
    EXPECT_EQ(keys.assignments[kQ].type, 0);
    EXPECT_EQ(snapshot, before);
    EXPECT_EQ(keys.savedAssignments[kQ].type, 3);
}

// The keyboard took the reset but could not be read back: what it holds is unknown, and nothing
// in the window may claim to know it.
TEST_F(MainWindowCommandsTest, FailedFactoryResetChangesNothingAndForgetsTheKeyboardsState) {
    moveBrightnessSlider(3);
    keys.assignments[kQ].type = 3;
    click(kSaveX, kSaveY); // keyboard, snapshot and keymap.bin hold brightness 3
    const KeyAssignmentState keysBefore = keys;
    const DeviceSettings snapshotBefore = snapshot;
    const auto fileBefore = keymapBytes();
    jobs.keyboard().setFaults({.unplugAfterReports = 6}); // gone after the reset's reports
    prompts.messageAnswers = {MessageAnswer::Ok, MessageAnswer::Retry};
    click(kResetX, kResetY);

    EXPECT_EQ(jobs.keyboard().image().lightBrightness, factorySettings().lightBrightness);
    EXPECT_EQ(keys.workingSettings, keysBefore.workingSettings);
    EXPECT_EQ(keys.assignments, keysBefore.assignments);
    EXPECT_EQ(keys.savedAssignments, keysBefore.savedAssignments);
    EXPECT_EQ(snapshot, snapshotBefore);
    EXPECT_EQ(keymapBytes(), fileBefore);
    EXPECT_FALSE(host.busyCursor);
    EXPECT_FALSE(window->keyboardStateKnown());
    EXPECT_EQ(host.keyboardReads, 1);
    ASSERT_EQ(prompts.questions.size(), 2u);
    EXPECT_EQ(prompts.questions[1].text,
              "恢复出厂设置未能完成（colour palette），键盘现在的设置未知。"
              "在完整读取之前，保存只写入文件，不会写入键盘。请检查键盘连接后重试读取。");
    EXPECT_EQ(prompts.questions[1].caption, "出厂设置");
    EXPECT_EQ(prompts.questions[1].buttons, MessageButtons::RetryCancel);
}

TEST_F(MainWindowCommandsTest, WhileTheKeyboardsStateIsUnknownSaveWritesTheFilesOnly) {
    const DeviceSettings onKeyboard = jobs.keyboard().image();
    window->keyboardReadIncomplete("macro slot 17");
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(prompts.questions[0].text,
              "未能完整读取键盘的设置（macro slot 17），读到的内容没有采用。"
              "在完整读取之前，保存只写入文件，不会写入键盘。请检查键盘连接后重试。");
    EXPECT_EQ(prompts.questions[0].buttons, MessageButtons::RetryCancel);
    EXPECT_EQ(host.keyboardReads, 0); // declined

    moveBrightnessSlider(20);
    keys.assignments[kQ].type = 3;
    click(kSaveX, kSaveY);
    EXPECT_EQ(jobs.requests, 0);
    EXPECT_EQ(snapshot, onKeyboard);
    EXPECT_EQ(prompts.messageTexts().back(),
              "键盘未连接或尚未完整读取，本次更改已保存到文件，还没有写入键盘。"
              "键盘连接并读取完成后，会询问是否把这些更改发送到键盘。");
    EXPECT_EQ(keymapBytes(), expectedKeymap(keys.workingSettings, keys.assignments));

    // Cancel and close go back to that save, not to the keyboard's last known state.
    const DeviceSettings savedToFiles = keys.workingSettings;
    moveBrightnessSlider(40);
    click(kCancelX, kCancelY);
    EXPECT_EQ(keys.workingSettings, savedToFiles);
    moveBrightnessSlider(40);
    window->close();
    EXPECT_EQ(keymapBytes(), expectedKeymap(savedToFiles, keys.assignments));

    window->takeKeyboardRead(onKeyboard, onKeyboard);
    moveBrightnessSlider(9);
    click(kSaveX, kSaveY);
    EXPECT_EQ(jobs.keyboard().image().lightBrightness, 9);
    EXPECT_EQ(snapshot.lightBrightness, 9);
}

// Saved without the keyboard, the changes wait in the record; the next full read lays only them
// over what the keyboard holds and asks. Send delivers just those fields, discard takes the
// keyboard's values and the keys' entries that go with them.
TEST_F(MainWindowCommandsTest, ChangesSavedWithoutTheKeyboardAreOfferedAfterTheNextRead) {
    for (const MessageAnswer answer : {MessageAnswer::Yes, MessageAnswer::No}) {
        const KeyAssignment entryOnKeyboard = keys.savedAssignments[kQ];
        const int brightness = snapshot.lightBrightness + 3;
        const int requestsBefore = jobs.requests;
        host.present = false;
        moveBrightnessSlider(brightness);
        keys.assignments[kQ].type = static_cast<std::uint8_t>(entryOnKeyboard.type + 1);
        click(kSaveX, kSaveY);
        EXPECT_EQ(jobs.requests, requestsBefore);
        EXPECT_EQ(window->unsentChanges().size(), 2u);
        ASSERT_TRUE(fs::exists(paths.unsentChangesFile()));
        EXPECT_NE(shownText(window->deviceActivity().statusText()).find("2 项更改未写入键盘"),
                  std::string::npos);

        // The read finds a speed set elsewhere meanwhile: it must survive either answer.
        DeviceSettings onKeyboard = jobs.keyboard().image();
        onKeyboard.lightSpeed = onKeyboard.lightSpeed == 1 ? 2 : 1;
        host.present = true;
        prompts.messageAnswers.push_back(answer);
        window->takeKeyboardRead(onKeyboard, onKeyboard);
        window->onSettingsReloaded();
        EXPECT_EQ(prompts.questions.back().buttons, MessageButtons::SendDiscard);
        EXPECT_EQ(keys.workingSettings.lightSpeed, onKeyboard.lightSpeed);
        const DeviceSettings now = jobs.keyboard().image();
        if (answer == MessageAnswer::Yes) {
            EXPECT_EQ(now.lightBrightness, brightness);
            EXPECT_EQ(now.lightSpeed, onKeyboard.lightSpeed);
            EXPECT_EQ(keys.savedAssignments[kQ].type, entryOnKeyboard.type + 1);
        } else {
            EXPECT_EQ(keys.workingSettings.lightBrightness, onKeyboard.lightBrightness);
            EXPECT_EQ(keys.assignments[kQ], entryOnKeyboard);
            EXPECT_EQ(jobs.requests, requestsBefore);
        }
        EXPECT_TRUE(window->unsentChanges().empty());
        EXPECT_FALSE(fs::exists(paths.unsentChangesFile()));
        EXPECT_EQ(shownText(window->deviceActivity().statusText()).find("未写入"),
                  std::string::npos);
    }
}

TEST_F(MainWindowCommandsTest, ARecordThatCannotBeWrittenIsToldOnceAndTheFilesStillSave) {
    fs::create_directories(paths.unsentChangesFile()); // a folder where the record goes
    host.present = false;
    for (const int brightness : {snapshot.lightBrightness + 1, snapshot.lightBrightness + 2}) {
        moveBrightnessSlider(brightness);
        click(kSaveX, kSaveY);
        EXPECT_EQ(keymapBytes(), expectedKeymap(keys.workingSettings, keys.assignments));
    }
    const auto told =
        std::count_if(prompts.questions.begin(), prompts.questions.end(),
                      [](const auto& q) { return q.text.find("unsent.bin") != std::string::npos; });
    EXPECT_EQ(told, 1);
    EXPECT_TRUE(fs::is_directory(paths.unsentChangesFile()));
}

TEST_F(MainWindowCommandsTest, EveryCompleteReadIsTheKnownState) {
    DeviceSettings lastSaved = zeroSettings(), read = zeroSettings(), firstRead = zeroSettings();
    lastSaved.lightSpeed = 1;
    read.lightSpeed = 2;
    firstRead.lightSpeed = 3; // the copy taken before the start-up read's second lighting read
    for (const bool knownBefore : {true, false}) {
        snapshot = lastSaved;
        if (!knownBefore)
            window->keyboardReadIncomplete("lighting");
        window->takeKeyboardRead(read, firstRead);
        EXPECT_EQ(keys.workingSettings, read);
        EXPECT_EQ(snapshot.lightSpeed, 3);
        EXPECT_TRUE(window->keyboardStateKnown());
    }
}

TEST_F(MainWindowCommandsTest, OpenHelpPanelTakesTheNextClick) {
    click(kHelpX, kHelpY);
    EXPECT_TRUE(window->helpOpen());
    click(kSaveX, kSaveY);
    EXPECT_FALSE(window->helpOpen());
    EXPECT_EQ(jobs.requests, 0);

    click(kHelpX, kHelpY);
    click(kHelpX, kHelpY); // the button closes it again
    EXPECT_FALSE(window->helpOpen());
    EXPECT_EQ(updaterStarts, 0);
}

TEST_F(MainWindowCommandsTest, OnlyAPressOnFreeBackgroundDragsTheWindow) {
    window->onLButtonDown(100, 50); // logo
    window->onMouseMove(105, 55, true);
    EXPECT_TRUE(host.drags.empty());
    window->onLButtonUp(105, 55);
    EXPECT_EQ(jobs.requests, 0);

    window->onMouseMove(300, 50, false); // the button went up: the press is forgotten
    window->onMouseMove(305, 50, true);
    EXPECT_TRUE(host.drags.empty());

    window->onLButtonDown(300, 50);
    window->onMouseMove(305, 55, true);
    ASSERT_EQ(host.drags.size(), 1u);
    EXPECT_EQ(host.drags[0], std::make_pair(305, 55));

    window->onLButtonDown(kKeyQX, kKeyQY); // a key is not background
    window->onMouseMove(kKeyQX + 1, kKeyQY, true);
    EXPECT_EQ(host.drags.size(), 1u);
}

TEST_F(MainWindowCommandsTest, MouseMovementRepaintsOnKeyChangesAndOverAreas) {
    window->onMouseMove(kKeyQX, kKeyQY, false);
    window->onMouseMove(kKeyQX + 2, kKeyQY, false);
    EXPECT_EQ(host.repaints, 1);
    window->onMouseMove(300, 50, false); // leaving the key
    window->onMouseMove(301, 50, false); // free background
    EXPECT_EQ(host.repaints, 2);
    window->onMouseMove(kSaveX, kSaveY, false);
    window->onMouseMove(kSaveX + 1, kSaveY, false);
    EXPECT_EQ(host.repaints, 4);
}

TEST_F(MainWindowCommandsTest, KeyClickReloadsAssignmentsAndCommitsTheDialogResult) {
    // keymap.bin holds an entry that memory lacks: the dialog must see the file's.
    KeyAssignments onDisk = keys.assignments;
    onDisk[kQ].keyCount = 7;
    ASSERT_TRUE(saveKeymapFile(paths.keymapFile(), keys.workingSettings, onDisk).ok());
    keys.workingSettings.lightBrightness = 44; // an unsaved edit the reload must keep

    int seenCount = -1;
    std::pair<int, int> seenKey;
    keyDialog = [&](KeyEdit& edit) {
        seenCount = keys.assignments[kQ].keyCount;
        seenKey = {edit.position, edit.keyCode};
        edit.choice = SingleKeyChoice{87}; // W
        edit.keyEnabled = false;
        return true;
    };
    click(kKeyQX, kKeyQY);
    EXPECT_EQ(seenCount, 7);
    EXPECT_EQ(seenKey, std::make_pair(static_cast<int>(kQ), 81));
    EXPECT_EQ(keys.workingSettings.lightBrightness, 44);
    EXPECT_EQ(keys.keyModified[kQ], 1);
    EXPECT_FALSE(keyEnabledAt(keys.workingSettings, kQ));
    EXPECT_EQ(keys.workingSettings.keyTable[keyPositions()[kQ].cellOffset + 2], 26); // W
    EXPECT_EQ(keymapBytes(), expectedKeymap(keys.workingSettings, keys.assignments));
    EXPECT_EQ(jobs.requests, 0); // the keyboard hears of it on save
}

TEST_F(MainWindowCommandsTest, CancelledKeyDialogChangesNothing) {
    const KeyAssignments before = keys.assignments;
    const DeviceSettings settingsBefore = keys.workingSettings;
    bool asked = false;
    keyDialog = [&](KeyEdit& edit) {
        asked = true;
        edit.choice = FunctionChoice{u"复制"};
        return false;
    };
    click(kKeyQX, kKeyQY);
    EXPECT_TRUE(asked);
    EXPECT_EQ(keys.workingSettings, settingsBefore);
    EXPECT_EQ(keys.keyModified[kQ], 0);
    // The reload recreated the missing file from memory; no assignment reached it.
    EXPECT_EQ(keymapBytes(), expectedKeymap(settingsBefore, before));
}

TEST_F(MainWindowCommandsTest, MacroManagerOkRebuildsSlotsAndWritesBothFiles) {
    macroDialog = [&] {
        macros.records[0].setNameText(u"m");
        macros.records[0].setLoopCountValue(2);
        return true;
    };
    const auto slotBefore = keys.workingSettings.macroSlot(0);
    const std::vector<std::uint8_t> before(slotBefore.begin(), slotBefore.end());
    click(50, 150); // macro button, lighting collapsed
    const auto slotAfter = keys.workingSettings.macroSlot(0);
    EXPECT_NE(std::vector<std::uint8_t>(slotAfter.begin(), slotAfter.end()), before);
    EXPECT_EQ(keymapBytes(), expectedKeymap(keys.workingSettings, keys.assignments));
    auto macroFile = readFileBytes(paths.macroFile(), kMacroStoreSize + 1);
    ASSERT_TRUE(macroFile.has_value());
    EXPECT_EQ(macroFile->size(), kMacroStoreSize);

    fs::remove(paths.keymapFile());
    macroDialog = [] { return false; };
    click(50, 150);
    EXPECT_FALSE(keymapBytes().has_value());
}

TEST_F(MainWindowCommandsTest, ProfileReturnReloadsSlidersFlagsAndKeymap) {
    profileDialog = [&] {
        keys.workingSettings.lightSpeed = 8;
        keys.assignments[kQ].type = 3;
    };
    click(kProfilesX, kProfilesY);
    EXPECT_EQ(sliders[SliderId::Speed].position, 8);
    EXPECT_EQ(keys.keyModified[kQ], 1);
    EXPECT_EQ(keymapBytes(), expectedKeymap(keys.workingSettings, keys.assignments));
    EXPECT_EQ(jobs.requests, 0);
}

TEST_F(MainWindowCommandsTest, PaintOrderPutsTheKeyboardUnderThePanelAndHelpOnTop) {
    click(kHelpX, kHelpY);
    TextCanvas canvas;
    window->paint(canvas);
    ASSERT_FALSE(canvas.lines().empty());
    EXPECT_EQ(canvas.lines().front(), "image button-help-normal.png 936,5");
    const long logo = canvas.indexOf("image logo.png 19,35");
    const long keyboard = canvas.indexOf("image kb_BK.png 328,188");
    const long save = canvas.indexOf("image button-save-normal.png 924,605");
    const long saveCaption = canvas.indexOf("caption \"保存\" 934,612 h16 255,255,255");
    const long panel = canvas.indexOf("image itemBK_close.png 19,110");
    const long help = canvas.indexOf("fill 797,22,997,75 44,44,48"); // no address: two rows
    const long heading = canvas.indexOf("caption \"按键设置\" 328,112 h23 255,255,255");
    EXPECT_LT(logo, keyboard);
    EXPECT_LT(keyboard, save);
    EXPECT_LT(save, saveCaption);
    EXPECT_LT(saveCaption, panel);
    EXPECT_LT(panel, help);
    EXPECT_LT(logo, heading);
    EXPECT_LT(heading, keyboard);
}

TEST_F(MainWindowCommandsTest, OpenListTakesTheClickBeforeAnyButton) {
    click(100, 115);
    click(100, 165); // effect box opens the list
    ASSERT_TRUE(window->settingsPanel().effectListOpen());
    click(100, 175 + 20 * 4); // "蛇形跑马"
    EXPECT_EQ(keys.workingSettings.lightEffect, 5);
    EXPECT_FALSE(window->settingsPanel().effectListOpen());

    click(100, 165);
    click(kSaveX, kSaveY); // outside the rows: only closes the list
    EXPECT_EQ(jobs.requests, 0);
    EXPECT_FALSE(window->settingsPanel().effectListOpen());
}

} // namespace
} // namespace talvex
