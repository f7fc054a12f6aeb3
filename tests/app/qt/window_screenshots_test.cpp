// The pictures of every window in docs/screenshots/, taken offscreen against the simulated
// keyboard. Nothing runs unless TALVEX_SCREENSHOT_DIR names the folder to write them to
// (scripts/screenshots.sh does that); each picture is also checked for having come out at all.
#include "app/qt/about_box.h"
#include "app/qt/main_window.h"
#include "app/qt/ui_translators.h"
#include "controls/qt/skin_theme.h"
#include "controls/qt/splash_screen.h"
#include "controls/qt/transparent_list_box.h"
#include "controls/qt/vivid_tree.h"
#include "keys/key_positions.h"
#include "keys/qt/key_map_dialog.h"
#include "macros/qt/macro_manager_dialog.h"
#include "mainwindow/key_geometry.h"
#include "mainwindow/lighting_effects.h"
#include "platform/clock.h"
#include "platform/fake_device_monitor.h"
#include "platform/fake_notification_icon.h"
#include "platform/file_io.h"
#include "platform/qt/qt_prompts.h"
#include "platform/recording_shell.h"
#include "platform/scripted_key_hook.h"
#include "platform/scripted_prompts.h"
#include "platform/ui_text.h"
#include "profiles/qt/profile_manager_dialog.h"
#include "qt_test_app.h"
#include "simulated_bus.h"
#include "stepping_pauser.h"
#include "test_folder.h"

#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace talvex {
namespace {

namespace fs = std::filesystem;

using testing::leftClick;

// A rainbow across the keyboard, red at the left edge to violet at the right, for the custom
// layout the DIY view shows.
void paintRainbow(DeviceSettings& settings, std::size_t layoutIndex) {
    int left = keyRectOnWindow(0).left, right = left;
    for (std::size_t p = 0; p < kKeyPositionCount; ++p) {
        left = std::min(left, keyRectOnWindow(p).left);
        right = std::max(right, keyRectOnWindow(p).left);
    }
    auto layout = settings.customLayout(layoutIndex);
    for (std::size_t p = 0; p < kKeyPositionCount; ++p) {
        const int hue = (keyRectOnWindow(p).left - left) * 280 / std::max(1, right - left);
        const QColor c = QColor::fromHsv(hue, 230, 255);
        const std::size_t at = keyPositions()[p].cellOffset;
        layout[at + 1] = static_cast<std::uint8_t>(c.red());
        layout[at + 2] = static_cast<std::uint8_t>(c.green());
        layout[at + 3] = static_cast<std::uint8_t>(c.blue());
    }
}

class WindowScreenshots : public ::testing::Test {
protected:
    WindowScreenshots()
        : binary(std::getenv("TALVEX_BINARY_DIR") ? std::getenv("TALVEX_BINARY_DIR") : "."),
          skin(binary) {
        testing::qtTestApp();
    }

    void SetUp() override {
        const char* out = std::getenv("TALVEX_SCREENSHOT_DIR");
        if (!out || !*out)
            GTEST_SKIP() << "set TALVEX_SCREENSHOT_DIR to take the screenshots";
        folder = out;
        fs::create_directories(folder);
        applySkinPalette(testing::qtTestApp());
    }

    // Saves the picture as opaque RGB, which keeps the committed files small.
    void save(QWidget& window, const char* name) {
        QCoreApplication::processEvents();
        save(window.grab().toImage(), name);
    }
    void save(const QImage& picture, const char* name) {
        ASSERT_FALSE(picture.isNull()) << name;
        const QImage opaque = picture.convertToFormat(QImage::Format_RGB888);
        ASSERT_TRUE(opaque.save(QString::fromStdString((folder / name).string()), "PNG", 0))
            << name;
    }

    fs::path binary;
    fs::path folder;
    SkinImages skin;
    KeyNameTable names = buildKeyNameTable();
    ScriptedKeyHook hook;
};

TEST_F(WindowScreenshots, MainWindow) {
    testing::TestFolder program{"talvex-shots-program"};
    testing::TestFolder data{"talvex-shots-data"};
    testing::SimulatedBus bus;
    DeviceSettings image = factorySettings();
    paintRainbow(image, 0);
    bus.keyboard = std::make_shared<SimulatedKeyboard>(image);
    testing::SteppingPauser pauser;
    ManualClock clock;
    FakeDeviceMonitor monitor;
    FakeNotificationIcon icon;
    ScriptedPrompts prompts;
    RecordingShell shell;
    MainWindowSettings settings;
    settings.paths = {program.path(), data.path()};
    settings.webAddress = "https://www.kestrix.example.com"; // a build that names one
    MainWindow dlg(MainWindowPlatform{bus, pauser, monitor, icon, prompts, shell, skin, &clock},
                   settings);
    // Let go before the window ends, which waits for the device thread, whatever failed.
    const std::shared_ptr<void> unheld(nullptr, [&](void*) { pauser.hold(false); });
    dlg.initDialog();
    ASSERT_TRUE(testing::spinUntil([&] { return !dlg.session().busy(); }));
    ASSERT_TRUE(dlg.isVisible());

    MainWindowCommands& commands = dlg.commands();
    auto clickAt = [&](int x, int y) {
        commands.onLButtonDown(x, y);
        commands.onLButtonUp(x, y);
    };
    // Two keys with assignments of their own are drawn lit; the pointer rests on Esc.
    for (std::size_t key : {42, 63})
        dlg.keys().keyModified[key] = 1;
    const Rect esc = keyRectOnWindow(0);
    commands.onMouseMove(esc.left + 3, esc.top + 3, false);
    clock.advanceMs(DeviceActivity::kOutcomeShownMs); // the read's outcome has made way
    save(dlg, "main_window.png");
    {
        const UiTranslators english(UiLanguage::English);
        save(dlg, "main_window_en.png");
    }

    // A save held at the third of its six steps: lighting (two), palette, three macro slots.
    DeviceSettings& working = dlg.keys().workingSettings;
    working.lightBrightness ^= 1;
    working.palette[0] ^= 1;
    for (std::size_t slot : {0, 1, 2})
        working.macroSlot(slot)[0] ^= 1;
    pauser.hold();
    commands.save();
    ASSERT_TRUE(pauser.stepUntil(
        [] { QCoreApplication::processEvents(); },
        [&] { return shownText(commands.deviceActivity().lineText()) == "正在写入键盘… 3 / 6"; }));
    save(dlg, "main_window_saving.png");
    pauser.hold(false);
    ASSERT_TRUE(testing::spinUntil([&] { return !dlg.session().busy(); }));
    clock.advanceMs(DeviceActivity::kOutcomeShownMs);

    clickAt(100, 115); // the lighting section
    clickAt(100, 165); // its effect box
    ASSERT_TRUE(commands.settingsPanel().openList());
    const int listTop = commands.settingsPanel().openList()->rows.top, rowHeight = 20;
    commands.onMouseMove(100, listTop + 3 * rowHeight + 10, false);
    save(dlg, "main_window_effects.png");

    const auto diy = std::find_if(lightingEffects.begin(), lightingEffects.end(),
                                  [](const LightingEffect& e) { return e.code == 51; });
    ASSERT_NE(diy, lightingEffects.end());
    clickAt(100, listTop + static_cast<int>(diy - lightingEffects.begin()) * rowHeight + 10);
    commands.onMouseMove(5, 5, false);
    save(dlg, "main_window_diy.png");

    // Back to the key map ("呼吸"), the lighting folded, the three sections below unfolded.
    clickAt(100, 165);
    clickAt(100, listTop + rowHeight + 10);
    clickAt(100, 115);
    working.gameMode = 1;
    working.responseTime = 4;
    for (int headerY : {200, 255, 330}) // game, response, then report moved down by response
        clickAt(100, headerY);
    ASSERT_FALSE(commands.settingsPanel().reportCollapsed());
    save(dlg, "main_window_sections.png");
    clickAt(100, 285); // the response box: its list drops down over the report section
    commands.onMouseMove(100, commands.settingsPanel().openList()->rows.top + 3 * rowHeight + 10,
                         false);
    save(dlg, "main_window_response_list.png");
    clickAt(5, 5);

    clickAt(940, 10); // the help panel
    ASSERT_TRUE(commands.helpOpen());
    save(dlg, "main_window_help.png");
}

TEST_F(WindowScreenshots, KeyDialogPages) {
    KeyAssignmentState keys;
    keys.workingSettings = factorySettings();
    resetAssignments(keys.assignments);
    keys.savedAssignments = keys.assignments;
    constexpr std::size_t kKeyA = 63;
    keys.assignments[kKeyA].type = static_cast<std::uint8_t>(AssignmentType::StartProgram);
    ASSERT_TRUE(keys.assignments[kKeyA].setPathText(u"/usr/bin/gnome-calculator"));
    KeyEdit edit;
    ASSERT_TRUE(selectPosition(edit, kKeyA));
    MacroStore macros = emptyMacroStore();
    macros.records[0].setNameText(u"Rapid fire");
    macros.records[1].setNameText(u"Build and run");
    KeyMapDialog dialog(keys, edit, names, macros.usedNames(), hook, skin);
    dialog.show();
    save(dialog, "key_dialog_advanced.png");

    leftClick(&dialog, QPoint(40, 44));
    hook.press(162); // left Ctrl
    save(dialog, "key_dialog_keys.png");
    dialog.combinationBox()->setFocus(Qt::MouseFocusReason);
    for (std::uint8_t vk : {162, 160, 83}) // left Ctrl, left Shift, S
        hook.press(vk);
    save(dialog, "key_dialog_combination.png");
    leftClick(&dialog, QPoint(120, 44));
    save(dialog, "key_dialog_macro.png");
    leftClick(&dialog, QPoint(200, 44));
    dialog.functionTree()->expandAll(); // long enough to scroll
    save(dialog, "key_dialog_function.png");
}

// A new macro while its first keys come in, then a longer one recorded whole.
TEST_F(WindowScreenshots, MacroManagerRecording) {
    ManualClock clock;
    MacroStore macros = emptyMacroStore();
    macros.records[0].setNameText(u"Rapid fire");
    MacroManagerDialog dialog(macros, names, hook, clock, skin);
    dialog.show();
    leftClick(&dialog, {40, 380});  // 新建
    leftClick(&dialog, {375, 175}); // record the delays
    leftClick(&dialog, {300, 110}); // 开始录制
    hook.press(162);                // left Ctrl held, then C typed
    clock.advanceMs(80);
    hook.press(67);
    clock.advanceMs(110);
    hook.release(67);
    save(dialog, "macro_manager_new.png");
    hook.release(162);
    clock.advanceMs(250);
    for (std::uint8_t vk : {72, 69, 76, 76, 79}) { // H E L L O: more lines than the list shows
        hook.press(vk);
        clock.advanceMs(120);
        hook.release(vk);
        clock.advanceMs(250);
    }
    leftClick(&dialog, {300, 110}); // stop
    ASSERT_GT(dialog.eventList()->count(), 17);
    save(dialog, "macro_manager.png");
}

TEST_F(WindowScreenshots, ProfileManager) {
    testing::TestFolder data{"talvex-shots-profiles"};
    const AppPaths paths{binary, data.path()};
    fs::create_directories(paths.profileFolder());
    for (const char* name : {"Profile_1", "Game", "Work", "Night"})
        ASSERT_TRUE(writeFileAtomically(paths.profileFolder() / (std::string(name) + ".bin"),
                                        std::vector<std::uint8_t>(kDeviceSettingsSize, 0)));
    KeyAssignmentState keys;
    ProfileManagerDialog dialog(keys, paths, nullptr, skin);
    dialog.show();
    CTransparentListBox* list = dialog.profileList();
    leftClick(list->viewport(), list->itemRect(1).center());
    save(dialog, "profile_manager.png");
}

TEST_F(WindowScreenshots, MessageBox) {
    QtPrompts prompts(nullptr);
    bool shown = false;
    testing::answerNextModal<QMessageBox>([&](QMessageBox* box) {
        shown = true;
        save(*box, "message_box.png");
        box->reject();
    });
    prompts.message("确认恢复至出厂设置吗？", "出厂设置", MessageButtons::OkCancel,
                    MessageIcon::Question);
    EXPECT_TRUE(shown);
}

TEST_F(WindowScreenshots, AboutBox) {
    initSkinResources();
    bool shown = false;
    testing::answerNextModal<QMessageBox>([&](QMessageBox* box) {
        shown = true;
        save(*box, "about_box.png");
        box->accept();
    });
    runAboutBox(nullptr);
    EXPECT_TRUE(shown);
}

TEST_F(WindowScreenshots, Splash) {
    SplashTicker ticker;
    CSplashScreen splash(skin, ticker);
    splash.show();
    save(splash, "splash.png");
}

} // namespace
} // namespace talvex
