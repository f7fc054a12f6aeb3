#include "mainwindow/help_panel.h"

#include "fakes.h"
#include "mainwindow/main_window_rig.h"

#include <gtest/gtest.h>

namespace talvex {
namespace {

struct HelpRig {
    explicit HelpRig(std::function<UpdaterStart()> start, std::string address = "")
        : rig(AppPaths{}, sliders, jobs, MainWindowDialogs{{}, {}, {}, std::move(start)},
              std::move(address)) {}
    void clickRow(int row) {
        for (auto [x, y] : {std::pair{940, 10}, std::pair{900, 30 + 25 * row}}) {
            rig.commands.onLButtonDown(x, y);
            rig.commands.onLButtonUp(x, y);
        }
    }
    RecordingSliders sliders;
    UnansweredDeviceJobs jobs;
    MainWindowRig rig;
};

TEST(HelpPanel, ClicksRunTheRowDrawnThereWithAndWithoutAWebAddress) {
    const std::vector<std::string> rows = {"www.kestrix.example.com", "驱动更新", "Ver: 1.1"};
    for (const std::string address : {"https://www.kestrix.example.com", ""}) {
        SCOPED_TRACE(address);
        int starts = 0;
        HelpRig help(
            [&starts] {
                ++starts;
                return UpdaterStart::Started;
            },
            address);
        testing::TextCanvas canvas;
        help.rig.commands.helpPanel().paint(canvas);
        std::vector<std::string> drawn;
        for (const CanvasCall& call : canvas.calls())
            if (call.kind == CanvasCall::Kind::Caption) {
                EXPECT_EQ(call.y, 25 + 25 * static_cast<int>(drawn.size())); // where clicks hit
                EXPECT_LE(call.x + call.style.areaWidth, 997);
                drawn.push_back(call.text);
            }
        const bool web = !address.empty();
        EXPECT_EQ(drawn, std::vector(rows.begin() + (web ? 0 : 1), rows.end()));

        help.clickRow(0);
        EXPECT_EQ(starts, web ? 0 : 1);
        if (web) {
            EXPECT_EQ(help.rig.shell.calls.at(0).target, address); // opened whole
        }
        help.clickRow(static_cast<int>(drawn.size()) - 1); // the version starts nothing
        EXPECT_EQ(starts + help.rig.shell.calls.size(), 1u);
    }
}

TEST(HelpPanel, TheUpdaterRowSaysWhenTheUpdaterIsMissingOrWouldNotStart) {
    const std::pair<std::function<UpdaterStart()>, std::vector<std::string>> cases[] = {
        {[] { return UpdaterStart::Started; }, {}},
        {[] { return UpdaterStart::NotInstalled; }, {"未安装驱动更新程序。"}},
        {[] { return UpdaterStart::Failed; }, {"无法启动驱动更新程序。"}},
        {{}, {"未安装驱动更新程序。"}},
    };
    for (const auto& [start, messages] : cases) {
        HelpRig help(start);
        help.clickRow(0);
        EXPECT_EQ(help.rig.prompts.messageTexts(), messages);
    }
}

} // namespace
} // namespace talvex
