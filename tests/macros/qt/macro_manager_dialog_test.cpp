// The macro manager window offscreen: a macro recorded in it travels through the main window's
// save to the simulated keyboard's macro slot, the context menu is complete, and renders of the
// window are kept in the build folder ("renders/") for a person to look at.
#include "app/device_thread.h"
#include "app/event_reader_thread.h"
#include "app/qt/qt_event_loop_port.h"
#include "controls/qt/skin_images.h"
#include "controls/qt/transparent_list_box.h"
#include "macros/qt/macro_manager_dialog.h"
#include "mainwindow/main_window_commands.h"
#include "mainwindow/recording_ports.h"
#include "platform/recording_shell.h"
#include "platform/scripted_key_hook.h"
#include "platform/scripted_prompts.h"
#include "qt_test_app.h"
#include "simulator/simulator_backend.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDeadlineTimer>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>

#include <cstdlib>
#include <filesystem>

namespace talvex {
namespace {

namespace fs = std::filesystem;

constexpr std::uint8_t kA = 65; // device code 4

using testing::leftClick;

class MacroManagerDialogTest : public ::testing::Test {
protected:
    MacroManagerDialogTest()
        : binary(std::getenv("TALVEX_BINARY_DIR") ? std::getenv("TALVEX_BINARY_DIR") : "."),
          images(binary) {
        testing::qtTestApp();
    }

    void saveRender(MacroManagerDialog& dialog, const char* name) {
        QDir().mkpath(QString::fromStdString((binary / "renders").string()));
        dialog.render().save(QString::fromStdString((binary / "renders" / name).string()));
    }

    fs::path binary;
    SkinImages images;
    KeyNameTable names = buildKeyNameTable();
    ScriptedKeyHook hook;
    ManualClock clock;
};

TEST_F(MacroManagerDialogTest, RecordedMacroReachesTheKeyboardWhenTheMainWindowSaves) {
    auto keyboard = std::make_shared<SimulatedKeyboard>();
    SimulatorBackend backend(keyboard);
    DeviceLink link;
    ASSERT_EQ(openKeyboard(backend, link), KeyboardPresence::Open);
    EventReaderThread reader;
    reader.start(link.eventHandle, link.ackCount, [](std::uint8_t) {});
    InstantPauser pauser;
    QObject context;
    QtEventLoopPort loop(context);
    DeviceThread jobs(link, pauser, loop);

    AppPaths paths{fs::temp_directory_path() / "talvex_macro_dlg_test",
                   fs::temp_directory_path() / "talvex_macro_dlg_test"};
    fs::create_directories(paths.dataFolder);
    KeyAssignmentState keys;
    keys.workingSettings = keyboard->image();
    DeviceSettings snapshot = keys.workingSettings;
    MacroStore macros = emptyMacroStore();
    ScriptedPrompts prompts;
    RecordingShell shell;
    RecordingSliders sliders;
    RecordingWindowHost host;
    MainWindowDialogs dialogs;
    dialogs.macroManager = [&] {
        MacroManagerDialog dialog(macros, names, hook, clock, images);
        return dialog.exec() == QDialog::Accepted;
    };
    MainWindowCommands window(MainWindowData{keys, snapshot, macros, names, paths},
                              MainWindowPorts{prompts, shell, sliders, jobs, host}, dialogs);

    testing::answerNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<MacroManagerDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        leftClick(dialog, {40, 380});  // 新建
        leftClick(dialog, {375, 175}); // the delay tick
        leftClick(dialog, {300, 110}); // 开始录制
        hook.press(kA);
        clock.advanceMs(1500);
        hook.release(kA);
        QCoreApplication::processEvents();
        EXPECT_EQ(dialog->nameList()->text(0), "Macro_001");
        ASSERT_EQ(dialog->eventList()->count(), 3);
        EXPECT_EQ(dialog->eventList()->text(1), "1500 ms");
        const QImage shown = dialog->render();
        EXPECT_EQ(shown.pixelColor(378, 179), QColor(255, 33, 0)); // ticked
        saveRender(*dialog, "macro_manager_recorded.png");
        leftClick(dialog, {300, 410}); // 确定
    });
    window.openMacroManager();
    window.save();
    QDeadlineTimer deadline(5000);
    while (jobs.busy() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    jobs.finish();
    reader.stop();

    const DeviceSettings onKeyboard = keyboard->image();
    const auto slot = onKeyboard.macroSlot(0);
    EXPECT_EQ(std::vector<std::uint8_t>(slot.begin(), slot.begin() + 8),
              (std::vector<std::uint8_t>{0x00, 0x01, 0x01, 4, 0xFF, 4, 0x05, 0xDC}));
    EXPECT_FALSE(hook.installed());
    fs::remove_all(paths.dataFolder);
}

TEST_F(MacroManagerDialogTest, ContextMenuHoldsEveryCommandAndTheControlsFollowTheLogic) {
    MacroStore macros = emptyMacroStore();
    macros.records[0].setNameText(u"Burst");
    macros.records[0].setLoopCountValue(12);
    macros.records[0].keyEvents = EventBuffer{0x01, kA, 0xFF, kA, 0x00, 0xC8};
    macros.records[0].deviceEvents = EventBuffer{0x01, 4, 0xFF, 4, 0x00, 0xC8};
    MacroManagerDialog dialog(macros, names, hook, clock, images);
    EXPECT_EQ(dialog.size(), QSize(410, 436));
    EXPECT_EQ(dialog.loopCountBox()->text(), "12");
    EXPECT_TRUE(dialog.loopCountBox()->isEnabled());
    EXPECT_EQ(dialog.eventList()->count(), 3);

    int commands = 0;
    std::vector<QMenu*> menus{dialog.contextMenu()};
    for (std::size_t i = 0; i < menus.size(); ++i)
        for (QAction* action : menus[i]->actions()) {
            if (action->menu())
                menus.push_back(action->menu());
            else
                ++commands;
        }
    EXPECT_EQ(commands, 13);
    EXPECT_EQ(dialog.contextMenu()->actions().size(), 5);

    // The left-button click after the last line, chosen from the menu.
    dialog.logic().onEventLineSelection(2);
    for (QMenu* menu : menus)
        for (QAction* action : menu->actions())
            if (action->data().toInt() == static_cast<int>(MacroMenuCommand::LeftClick))
                action->trigger();
    ASSERT_EQ(dialog.eventList()->count(), 5);
    EXPECT_EQ(dialog.eventList()->text(3), "MsLB dn");
    saveRender(dialog, "macro_manager_edited.png");
}

TEST_F(MacroManagerDialogTest, ItStandsOnItsOwnerAndItsMessagesOnIt) {
    QWidget owner;
    MacroStore macros = emptyMacroStore();
    QWidget* boxOver = nullptr;
    testing::answerNextModal<MacroManagerDialog>([&](MacroManagerDialog* dialog) {
        EXPECT_EQ(dialog->parentWidget(), &owner);
        EXPECT_TRUE(dialog->isModal());
        testing::declineNextModal<QMessageBox>(boxOver);
        leftClick(dialog, {300, 110}); // 开始录制 without a macro is refused in a box
        EXPECT_EQ(boxOver, dialog);
        leftClick(dialog, {360, 410}); // 取消
    });
    EXPECT_FALSE(runMacroManagerDialog(&owner, macros, names));
}

} // namespace
} // namespace talvex
