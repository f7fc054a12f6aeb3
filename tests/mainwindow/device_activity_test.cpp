// What the main window says about a request to the keyboard: the line under the keyboard picture
// through it and after it, and the buttons it disables. (The status: main_window_activity_test.)
#include "mainwindow/device_activity.h"

#include "fakes.h"
#include "mainwindow/main_window_rig.h"
#include "platform/ui_text.h"
#include "simulator_jobs.h"
#include "test_folder.h"

#include <gtest/gtest.h>

namespace talvex {
namespace {

TEST(DeviceActivity, TheLineShowsProgressThenTheOutcomeForAWhileThenTheHint) {
    const std::tuple<DeviceJobKind, std::string, const char*, const char*> cases[] = {
        {DeviceJobKind::Read, "正在读取键盘…", "已读取键盘设置", "读取失败：键盘没有响应"},
        {DeviceJobKind::Save, "正在写入键盘…", "已保存到键盘", "保存失败：键盘没有响应"},
        {DeviceJobKind::FactoryReset, "正在恢复出厂设置…", "已恢复出厂设置",
         "恢复出厂设置失败：键盘没有响应"},
    };
    const std::string hint = shownText(DeviceActivity().lineText());
    EXPECT_EQ(hint.rfind("提示：", 0), 0u);
    for (const auto& [kind, working, completed, failed] : cases)
        for (bool ok : {true, false}) {
            ManualClock clock;
            DeviceActivity a(&clock);
            a.jobStarted(kind);
            EXPECT_EQ(shownText(a.lineText()), working); // no step told yet
            a.jobProgressed(12, 45);
            EXPECT_EQ(shownText(a.lineText()), working + " 12 / 45");
            a.jobEnded(kind, ok);
            clock.advanceMs(DeviceActivity::kOutcomeShownMs - 1);
            EXPECT_EQ(shownText(a.lineText()), ok ? completed : failed);
            clock.advanceMs(1);
            EXPECT_EQ(shownText(a.lineText()), hint);
        }
}

TEST(DeviceActivity, SaveCancelAndRestoreAreDrawnDisabledWhileTheKeyboardWorks) {
    testing::TestFolder folder;
    RecordingSliders sliders;
    testing::SimulatorJobs jobs;
    MainWindowRig rig(AppPaths{folder.path(), folder.path()}, sliders, jobs);
    rig.keys.workingSettings = rig.snapshot = jobs.keyboard().image();
    const char* const buttons[][3] = {{"button-cancel-normal.png", "800,605", "\"恢复\" 810,612"},
                                      {"button-cancel-normal.png", "862,605", "\"取消\" 872,612"},
                                      {"button-save-normal.png", "924,605", "\"保存\" 934,612"}};
    const auto expectDrawn = [&](bool disabled) {
        testing::TextCanvas canvas;
        rig.commands.paint(canvas);
        for (const auto& [image, at, caption] : buttons) {
            EXPECT_TRUE(canvas.has(
                "image " + std::string(disabled ? "button-disabled.png" : image) + " " + at));
            EXPECT_TRUE(canvas.has("caption " + std::string(caption) + " h16 " +
                                   (disabled ? "110,110,116" : "255,255,255")));
        }
    };
    expectDrawn(false);
    jobs.holdJobs = true;
    rig.keys.workingSettings.lightBrightness ^= 1;
    rig.commands.save();
    ASSERT_TRUE(jobs.busy());
    expectDrawn(true);
    jobs.release();
    expectDrawn(false);
}

} // namespace
} // namespace talvex
