// The profile manager window offscreen: its picture (kept in "renders/" for a person to look at),
// the context menu on a right press over the list only and from the keyboard, Enter, renaming in
// the list, and the whole road from the main window's profile button and back.
#include "profiles/qt/profile_manager_dialog.h"

#include "app/qt/main_window.h"
#include "controls/qt/bit_slider.h"
#include "controls/qt/edit_helper.h"
#include "controls/qt/skin_images.h"
#include "controls/qt/transparent_list_box.h"
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

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace talvex {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

fs::path binaryDir() {
    const char* dir = std::getenv("TALVEX_BINARY_DIR");
    return dir ? fs::path(dir) : fs::path(".");
}

void mouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button) {
    QMouseEvent event(type, at, target->mapToGlobal(at), button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void click(QWidget* target, QPoint at) {
    mouse(target, QEvent::MouseButtonPress, at, Qt::LeftButton);
    mouse(target, QEvent::MouseButtonRelease, at, Qt::LeftButton);
}

// Chooses the menu item with that text, as a user pressing Return on it.
void choose(QMenu* menu, const char* text) {
    for (QAction* action : menu->actions())
        if (action->text() == QString::fromUtf8(text))
            menu->setActiveAction(action);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(menu, &enter);
}

// A right press on the list at its line, and the menu item to choose when the menu opens.
void runMenuCommand(ProfileManagerDialog& dialog, int line, const char* item) {
    CTransparentListBox* list = dialog.profileList();
    testing::answerNextModal<QMenu>([item](QMenu* menu) { choose(menu, item); });
    mouse(list->viewport(), QEvent::MouseButtonPress, list->itemRect(line).center(),
          Qt::RightButton);
}

void selectLine(ProfileManagerDialog& dialog, int line) {
    CTransparentListBox* list = dialog.profileList();
    click(list->viewport(), list->itemRect(line).center());
}

class ProfileManagerDialogTest : public ::testing::Test {
protected:
    ProfileManagerDialogTest() : skin(binaryDir()) {
        testing::qtTestApp();
        fs::create_directories(paths.profileFolder());
    }

    void put(const std::string& name) {
        ASSERT_TRUE(writeFileAtomically(paths.profileFolder() / (name + ".bin"),
                                        std::vector<std::uint8_t>(kDeviceSettingsSize, 0)));
    }
    Names listed(const ProfileManagerDialog& dialog) const {
        Names names;
        for (int i = 0; i < dialog.profileList()->count(); ++i)
            names.push_back(dialog.profileList()->text(i).toStdString());
        return names;
    }

    testing::TestFolder data{"talvex-profdlg-qt"};
    AppPaths paths{binaryDir(), data.path()};
    SkinImages skin;
    KeyAssignmentState keys;
};

TEST_F(ProfileManagerDialogTest, LooksLikeItsSkinWithTheProfilesListed) {
    put("Profile_1");
    put("Game");
    ProfileManagerDialog dialog(keys, paths, nullptr, skin);
    dialog.show();
    selectLine(dialog, 1);
    const QImage background = skin.image(SkinFolder::Config, "Config.png");
    ASSERT_FALSE(background.isNull());
    EXPECT_EQ(dialog.size(), background.size());
    EXPECT_EQ(listed(dialog), (Names{"Game", "Profile_1"}));

    QCoreApplication::processEvents(); // the list hides its scroll bar from the event loop
    const QImage picture = dialog.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QDir().mkpath(QString::fromStdString((binaryDir() / "renders").string()));
    picture.save(
        QString::fromStdString((binaryDir() / "renders" / "profile_manager_dialog.png").string()));

    // The list shows the dialog's own picture behind its lines: far from any text it is the
    // background image; the selected line is drawn cyan, the other white.
    const QPoint empty(200, 400);
    EXPECT_EQ(picture.pixelColor(empty), background.pixelColor(empty));
    auto count = [&](int line, QColor colour) {
        QRect r = dialog.profileList()->itemRect(line).translated(dialog.profileList()->pos());
        int n = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                n += picture.pixelColor(x, y) == colour;
        return n;
    };
    EXPECT_GT(count(0, Qt::white), 10);
    EXPECT_EQ(count(0, QColor(0, 255, 255)), 0);
    EXPECT_GT(count(1, QColor(0, 255, 255)), 10);
    // The new button's image sits at (13, 575).
    const QImage newButton = skin.image(SkinFolder::Config, "New.png");
    EXPECT_EQ(picture.pixelColor(14, 576), newButton.pixelColor(1, 1));
    // The hint under the list is written, and ends well inside the window's right edge.
    auto written = [&](int left, int right) {
        int n = 0;
        for (int y = ProfileManagerLogic::kListRect.bottom; y < 574; ++y)
            for (int x = left; x < right; ++x)
                n += picture.pixelColor(x, y) != background.pixelColor(x, y);
        return n;
    };
    EXPECT_GT(written(0, 130), 100);
    EXPECT_EQ(written(250, 264), 0);
}

TEST_F(ProfileManagerDialogTest, RightPressOpensTheMenuOnlyOverTheList) {
    put("Profile_1");
    ProfileManagerDialog dialog(keys, paths, nullptr, skin);
    dialog.show();

    // Outside the list nothing opens: the press returns at once and nothing changes.
    mouse(&dialog, QEvent::MouseButtonPress, QPoint(100, 590), Qt::RightButton);
    mouse(&dialog, QEvent::MouseButtonPress, QPoint(100, 15), Qt::RightButton);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);

    runMenuCommand(dialog, 0, "新建");
    EXPECT_EQ(listed(dialog), (Names{"Profile_1", "Profile_2"}));
    EXPECT_TRUE(fs::exists(paths.profileFolder() / "Profile_2.bin"));
}

TEST_F(ProfileManagerDialogTest, MenuKeyAndShiftF10OpenTheMenuAtTheSelectedLine) {
    put("Profile_1");
    ProfileManagerDialog dialog(keys, paths, nullptr, skin);
    dialog.show();
    CTransparentListBox* list = dialog.profileList();
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int selected;
        const char* item;
        std::size_t profilesAfter;
    };
    for (const Case& c : {Case{Qt::Key_Menu, Qt::NoModifier, -1, "新建", 2},
                          Case{Qt::Key_F10, Qt::ShiftModifier, 1, "复制", 3}}) {
        if (c.selected >= 0)
            selectLine(dialog, c.selected);
        const QPoint expected = list->viewport()->mapToGlobal(
            c.selected < 0 ? QPoint(0, 0) : list->itemRect(c.selected).bottomLeft());
        QPoint openedAt;
        testing::answerNextModal<QMenu>([&](QMenu* menu) {
            openedAt = menu->pos();
            choose(menu, c.item);
        });
        QKeyEvent press(QEvent::KeyPress, c.key, c.modifiers);
        QApplication::sendEvent(list, &press); // the list leaves the key to the dialog
        EXPECT_EQ(openedAt, expected) << c.item;
        EXPECT_EQ(listed(dialog).size(), c.profilesAfter) << c.item;
    }
}

TEST_F(ProfileManagerDialogTest, EnterDoesNotCloseAndTheCloseAreaDoes) {
    put("Profile_1");
    ProfileManagerDialog dialog(keys, paths, nullptr, skin);
    int result = -1;
    testing::answerNextModal<ProfileManagerDialog>([&result](ProfileManagerDialog* shown) {
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QApplication::sendEvent(shown, &press);
        }
        result = shown->isVisible() ? 1 : 0;
        click(shown, QPoint(255, 15));
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(result, 1);
}

TEST_F(ProfileManagerDialogTest, RenamingALineRenamesTheFile) {
    put("Profile_1");
    put("Work");
    ProfileManagerDialog dialog(keys, paths, nullptr, skin);
    dialog.show();
    CTransparentListBox* list = dialog.profileList();
    selectLine(dialog, 0);
    mouse(list->viewport(), QEvent::MouseButtonDblClick, list->itemRect(0).center(),
          Qt::LeftButton);
    ASSERT_NE(list->editor(), nullptr);
    list->editor()->setText(QStringLiteral("游戏"));
    list->endEdit(true);
    ASSERT_TRUE(testing::spinUntil([&] { return fs::exists(paths.profileFolder() / "游戏.bin"); }));
    EXPECT_FALSE(fs::exists(paths.profileFolder() / "Profile_1.bin"));
    EXPECT_EQ(listed(dialog), (Names{"Work", "游戏"}));
    EXPECT_EQ(list->currentIndex(), 1);
}

// The main window on a simulated keyboard, with the profile manager opened from its button.
class ProfileRoadTest : public ::testing::Test, protected testing::MainWindowStandIns {
protected:
    ProfileRoadTest() {
        fs::create_directories(data / "Configure");
        bus.keyboard = std::make_shared<SimulatedKeyboard>(factorySettings());
        MainWindowSettings settings;
        settings.paths = {program.path(), data.path()};
        dlg = std::make_unique<MainWindow>(ports(), settings);
        dlg->initDialog();
    }

    // Clicks the main window's profile button and runs `inside` in the profile manager, which
    // it must close through the close area.
    void inProfileManager(std::function<void(ProfileManagerDialog&)> inside) {
        bool ran = false;
        testing::answerNextModal<ProfileManagerDialog>([&](ProfileManagerDialog* dialog) {
            inside(*dialog);
            ran = true;
            click(dialog, QPoint(255, 15));
        });
        click(dlg.get(), QPoint(40, 615));
        EXPECT_TRUE(ran);
    }
    CBitSlider* brightnessSlider() {
        for (CBitSlider* s : dlg->findChildren<CBitSlider*>())
            if (s->controlId() == static_cast<int>(SliderId::Brightness))
                return s;
        return nullptr;
    }
    std::uint8_t keymapFileBrightness() {
        DeviceSettings s = zeroSettings();
        KeyAssignments scratch{};
        EXPECT_TRUE(loadKeymapFile(data / "keymap.bin", s, scratch, false));
        return s.lightBrightness;
    }

    testing::TestFolder program{"talvex-profdlg-program"};
    testing::TestFolder data{"talvex-profdlg-road"};
    std::unique_ptr<MainWindow> dlg;
};

TEST_F(ProfileRoadTest, TheManagerStandsOnTheMainWindowAndItsQuestionsOnTheManager) {
    QWidget* boxOver = nullptr;
    inProfileManager([&](ProfileManagerDialog& dialog) {
        EXPECT_EQ(dialog.parentWidget(), dlg.get());
        EXPECT_TRUE(dialog.isModal());
        testing::declineNextModal<QMessageBox>(boxOver);
        click(&dialog, QPoint(200, 590)); // 删除 with nothing selected is refused in a box
        EXPECT_EQ(boxOver, &dialog);
    });
}

TEST_F(ProfileRoadTest, AStoredProfileLoadsBackIntoTheMainWindow) {
    ASSERT_TRUE(testing::spinUntil([this] { return !dlg->session().busy(); }));
    dlg->show();
    const std::uint8_t stored = dlg->keys().workingSettings.lightBrightness;
    CBitSlider* slider = brightnessSlider();
    ASSERT_NE(slider, nullptr);
    ASSERT_EQ(slider->value(), stored);
    const fs::path profile = data / "Configure" / "Profile_1.bin";

    // New, then save the working configuration into it, cancelling the export.
    inProfileManager([&](ProfileManagerDialog& dialog) {
        click(&dialog, QPoint(40, 590));
        ASSERT_EQ(dialog.profileList()->count(), 1);
        selectLine(dialog, 0);
        testing::answerNextModal<QFileDialog>([](QFileDialog* chooser) { chooser->reject(); });
        runMenuCommand(dialog, 0, "保存");
    });
    DeviceSettings inProfile = zeroSettings();
    KeyAssignments scratch{};
    ASSERT_EQ(loadKeymapFile(profile, inProfile, scratch, false).status, FileStatus::Ok);
    EXPECT_EQ(inProfile.lightBrightness, stored);

    // The user turns the brightness down in the main window.
    const int changed = stored > 1 ? 1 : 3;
    slider->setValue(changed);
    emit slider->notify(slider->controlId());
    ASSERT_EQ(dlg->keys().workingSettings.lightBrightness, changed);

    // Load the profile's file back through the chooser.
    inProfileManager([&](ProfileManagerDialog& dialog) {
        selectLine(dialog, 0);
        testing::answerNextModal<QFileDialog>([&](QFileDialog* chooser) {
            chooser->selectFile(QString::fromStdString(profile.string()));
            static_cast<QDialog*>(chooser)->accept(); // QFileDialog::accept checks the name
        });
        runMenuCommand(dialog, 0, "加载");
    });
    EXPECT_EQ(dlg->keys().workingSettings.lightBrightness, stored);
    EXPECT_EQ(slider->value(), stored);
    EXPECT_EQ(keymapFileBrightness(), stored);
    EXPECT_TRUE(prompts.questions.empty());
}

} // namespace
} // namespace talvex
