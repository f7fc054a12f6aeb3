// The key assignment dialog as a window: opened from a click on the main window's keyboard,
// driven with real key and mouse events, and rendered page by page for a person to look at
// (PNGs in the build folder's "renders/").
#include "controls/qt/vivid_tree.h"
#include "keys/key_positions.h"
#include "keys/key_slot.h"
#include "keys/keymap_file.h"
#include "keys/qt/key_map_dialog.h"
#include "mainwindow/key_geometry.h"
#include "mainwindow/main_window_rig.h"
#include "platform/file_io.h"
#include "platform/scripted_key_hook.h"
#include "qt_test_app.h"
#include "simulator/simulated_keyboard.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace talvex {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kKeyA = 63;
// Native scan codes as X11 and Wayland report them: evdev code + 8.
constexpr quint32 kScanLeftCtrl = 29 + 8;
constexpr quint32 kScanA = 30 + 8;

void sendMouse(QWidget* widget, QEvent::Type type, QPoint at) {
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

void clickWidget(QWidget* widget, QPoint at) {
    sendMouse(widget, QEvent::MouseButtonPress, at);
    sendMouse(widget, QEvent::MouseButtonRelease, at);
}

void pressKey(QWidget* target, Qt::Key key, quint32 scanCode, const QString& text) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, scanCode, 0, 0, text);
    QCoreApplication::sendEvent(target, &event);
}

class KeyMapDialogTest : public ::testing::Test {
protected:
    KeyMapDialogTest()
        : app(testing::qtTestApp()),
          binary(std::getenv("TALVEX_BINARY_DIR") ? std::getenv("TALVEX_BINARY_DIR") : "."),
          folder(fs::temp_directory_path() / "talvex_key_map_dialog_test"), images(binary),
          rig(std::make_unique<MainWindowRig>(
              AppPaths{binary, folder}, sliders, jobs,
              MainWindowDialogs{.keyAssignment =
                                    [this](KeyEdit& edit) {
                                        return runKeyMapDialog(nullptr, rig->keys, edit, rig->names,
                                                               rig->macros.usedNames(), images);
                                    },
                                .macroManager = {},
                                .profileManager = {},
                                .startUpdater = {}})) {
        fs::remove_all(folder);
        fs::create_directories(folder);
        rig->keys.workingSettings = factorySettings();
        rig->macros.records[0].setNameText(u"Rapid fire");
    }
    ~KeyMapDialogTest() override { fs::remove_all(folder); }

    QImage grabPage(KeyMapDialog& dialog, const char* name) {
        QImage image = dialog.grab().toImage();
        QDir().mkpath(QString::fromStdString((binary / "renders").string()));
        image.save(QString::fromStdString((binary / "renders" / name).string()));
        return image;
    }

    QApplication& app;
    fs::path binary;
    fs::path folder;
    SkinImages images;
    RecordingSliders sliders;
    UnansweredDeviceJobs jobs;
    std::unique_ptr<MainWindowRig> rig;
};

TEST_F(KeyMapDialogTest, CombinationCapturedInTheDialogReachesKeyTableAndKeymapFile) {
    bool answered = false;
    testing::answerNextModal([&](QWidget* modal) {
        auto* dialog = qobject_cast<KeyMapDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        answered = true;
        // The offscreen platform does not activate windows by itself.
        QApplication::setActiveWindow(dialog);
        QCoreApplication::processEvents();
        // What a click on the box does (a synthetic click is not a spontaneous one).
        dialog->combinationBox()->setFocus(Qt::MouseFocusReason);
        pressKey(dialog->combinationBox(), Qt::Key_Control, kScanLeftCtrl, {});
        pressKey(dialog->combinationBox(), Qt::Key_A, kScanA, "a");
        EXPECT_EQ(dialog->combinationBox()->text(), QString("LCtrl + A "));
        clickWidget(dialog, QPoint(284, 257)); // "保存"
    });
    const Rect key = keyRectOnWindow(kKeyA);
    rig->commands.onLButtonDown(key.left + 3, key.top + 3);
    rig->commands.onLButtonUp(key.left + 3, key.top + 3);
    ASSERT_TRUE(answered);

    KeyAssignmentState& keys = rig->keys;
    const KeySlot slot = readSlot(keys.workingSettings, keyPositions()[kKeyA].matrixCell);
    EXPECT_EQ(slot.bytes, (std::array<std::uint8_t, 4>{0, 224, 4, 0}));
    EXPECT_EQ(keys.keyModified[kKeyA], 1);

    const auto file = readFileBytes(rig->paths.keymapFile(), kKeymapFileSize);
    ASSERT_TRUE(file.has_value());
    ASSERT_EQ(file->size(), kKeymapFileSize);
    const std::size_t entry = kDeviceSettingsSize + kKeyAssignmentSize * kKeyA;
    EXPECT_EQ((*file)[entry + 1], 1);   // Combination
    EXPECT_EQ((*file)[entry + 2], 162); // left Ctrl
    EXPECT_EQ((*file)[entry + 3], 65);  // A
    EXPECT_EQ((*file)[entry + 257], 2); // two keys
}

TEST_F(KeyMapDialogTest, EachPageShowsItsControlsAndRenders) {
    ScriptedKeyHook hook;
    KeyAssignmentState& keys = rig->keys;
    keys.assignments[kKeyA].type = static_cast<std::uint8_t>(AssignmentType::StartProgram);
    ASSERT_TRUE(keys.assignments[kKeyA].setPathText(u"/usr/games/solitaire"));
    KeyEdit edit;
    ASSERT_TRUE(selectPosition(edit, kKeyA));
    KeyMapDialog dialog(keys, edit, rig->names, rig->macros.usedNames(), hook, images);
    dialog.show();
    EXPECT_EQ(dialog.size(), QSize(325, 278));
    EXPECT_TRUE(hook.installed());

    const QImage advanced = grabPage(dialog, "key_map_advanced.png");
    EXPECT_FALSE(dialog.combinationBox()->isVisible());

    clickWidget(&dialog, QPoint(40, 44));
    EXPECT_TRUE(dialog.singleKeyBox()->isVisible());
    EXPECT_TRUE(dialog.combinationBox()->isVisible());
    hook.press(162);
    EXPECT_EQ(dialog.singleKeyBox()->text(), QString("LCtrl "));
    grabPage(dialog, "key_map_keys.png");
    hook.press(173); // Mute: only the function page can give it
    EXPECT_EQ(dialog.singleKeyBox()->text(), QString("（请在“基本功能”页选择）"));
    EXPECT_NE(dialog.singleKeyBox()->styleSheet(), dialog.combinationBox()->styleSheet());
    grabPage(dialog, "key_map_keys_notice.png");

    clickWidget(&dialog, QPoint(120, 44));
    EXPECT_TRUE(dialog.macroList()->isVisible());
    EXPECT_EQ(dialog.macroList()->count(), 1);
    grabPage(dialog, "key_map_macro.png");

    clickWidget(&dialog, QPoint(200, 44));
    EXPECT_TRUE(dialog.functionTree()->isVisible());
    EXPECT_FALSE(dialog.macroList()->isVisible());
    const QImage function = grabPage(dialog, "key_map_function.png");
    // The tree paints its solid background where the advanced page had its rows.
    EXPECT_EQ(function.pixelColor(150, 200), QColor(30, 30, 30));
    EXPECT_NE(advanced.pixelColor(150, 200), QColor(30, 30, 30));

    // Escape does not close it; the close button does, without a result.
    pressKey(&dialog, Qt::Key_Escape, 1 + 8, {});
    EXPECT_TRUE(dialog.isVisible());
    clickWidget(&dialog, QPoint(310, 9));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(KeyMapDialogTest, ItStandsOnItsOwnerAndItsChooserAndMessagesOnIt) {
    QWidget owner;
    KeyEdit edit;
    ASSERT_TRUE(selectPosition(edit, kKeyA));
    QWidget* chooserOver = nullptr;
    QWidget* boxOver = nullptr;
    testing::answerNextModal<KeyMapDialog>([&](KeyMapDialog* dialog) {
        EXPECT_EQ(dialog->parentWidget(), &owner);
        EXPECT_TRUE(dialog->isModal());
        testing::declineNextModal<QFileDialog>(chooserOver);
        clickWidget(dialog, QPoint(280, 44));  // 高级设置
        clickWidget(dialog, QPoint(280, 105)); // the program row's chooser
        testing::declineNextModal<QMessageBox>(boxOver);
        clickWidget(dialog, QPoint(200, 44));  // 基本功能
        clickWidget(dialog, QPoint(284, 257)); // 保存 without a function is refused in a box
        EXPECT_EQ(chooserOver, dialog);
        EXPECT_EQ(boxOver, dialog);
        clickWidget(dialog, QPoint(310, 9));
    });
    EXPECT_FALSE(runKeyMapDialog(&owner, rig->keys, edit, rig->names, {}, images));
}

} // namespace
} // namespace talvex
