// What the real main window says about the simulated keyboard: its status without it and once it
// has arrived, and the line under the keyboard picture at a chosen step of a save and after it.
// The renders land in <build>/renders/ for a person to look at.
#include "device/hid_transport.h"
#include "main_window_stand_ins.h"
#include "mainwindow/key_geometry.h"
#include "platform/ui_text.h"
#include "stepping_pauser.h"
#include "test_folder.h"

#include <QDir>

#include <gtest/gtest.h>

namespace talvex {
namespace {

constexpr const char* kHint = "提示：更改在按下“保存”后才写入键盘；“取消”回到上次保存的设置。";

TEST(MainWindowActivityTest, TheStatusFollowsTheKeyboardAndASaveShowsItsStepsThenItsOutcome) {
    testing::MainWindowStandIns os;
    testing::SteppingPauser stepping;
    ManualClock clock;
    testing::TestFolder program{"talvex-program"}, data{"talvex-data"};
    MainWindowSettings settings;
    settings.paths = {program.path(), data.path()};
    settings.arrivalSettleMs = 50;
    MainWindow dlg({os.bus, stepping, os.monitor, os.icon, os.prompts, os.shell, os.skin, &clock},
                   settings);
    // Let go before the window ends, which waits for the device thread, whatever failed.
    const std::shared_ptr<void> unheld(nullptr, [&](void*) { stepping.hold(false); });
    const auto settle = [] { QCoreApplication::processEvents(); };
    DeviceActivity& activity = dlg.commands().deviceActivity();
    const auto render = [&](const char* name) {
        const QString folder = qEnvironmentVariable("TALVEX_BINARY_DIR", ".") + "/renders/";
        QDir().mkpath(folder);
        const QImage image = dlg.render();
        image.save(folder + name);
        return image;
    };
    dlg.initDialog();
    EXPECT_EQ(shownText(activity.statusText()), "未检测到键盘");
    EXPECT_EQ(shownText(activity.lineText()), kHint);

    os.bus.keyboard = std::make_shared<SimulatedKeyboard>();
    stepping.hold();
    os.monitor.arrive(kKestrixVendorId, kKestrixProductId);
    ASSERT_TRUE(testing::spinUntil([&] { return dlg.session().busy(); })); // settled, reading
    ASSERT_TRUE(stepping.stepUntil(
        settle, [&] { return shownText(activity.statusText()) == "正在读取键盘…"; }));
    stepping.hold(false);
    ASSERT_TRUE(testing::spinUntil([&] { return !dlg.session().busy(); }));
    EXPECT_EQ(shownText(activity.statusText()), "已连接 · 固件 1.3");
    EXPECT_EQ(shownText(activity.lineText()), "已读取键盘设置");

    // The lighting's two stages, the palette and three macro slots: six steps.
    DeviceSettings& working = dlg.keys().workingSettings;
    working.lightBrightness ^= 1;
    working.palette[0] ^= 1;
    for (std::size_t slot : {0, 1, 2})
        working.macroSlot(slot)[0] ^= 1;
    stepping.hold();
    dlg.commands().save();
    ASSERT_TRUE(stepping.stepUntil(
        settle, [&] { return shownText(activity.lineText()) == "正在写入键盘… 3 / 6"; }));
    const QImage saving = render("main_window_saving.png");
    EXPECT_EQ(saving.pixelColor(kKeyboardPictureX + 390, 567), QColor(239, 14, 2)); // half red
    EXPECT_EQ(saving.pixelColor(kKeyboardPictureX + 410, 567), QColor(54, 54, 54));

    stepping.hold(false);
    ASSERT_TRUE(testing::spinUntil([&] { return !dlg.session().busy(); }));
    EXPECT_EQ(shownText(activity.lineText()), "已保存到键盘");
    render("main_window_saved.png");
    clock.advanceMs(DeviceActivity::kOutcomeShownMs);
    EXPECT_EQ(shownText(activity.lineText()), kHint);

    os.bus.replace(nullptr);
    os.monitor.remove(kKestrixVendorId, kKestrixProductId);
    EXPECT_EQ(shownText(activity.statusText()), "未检测到键盘");
}

} // namespace
} // namespace talvex
