#include "mainwindow/keyboard_view.h"

#include "fakes.h"
#include "keys/key_positions.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace talvex {
namespace {

using testing::colourQuestions;
using testing::TextCanvas;

constexpr std::size_t kEsc = 0, kQ = 42, kWin = 96, kFn = 100;

class KeyboardViewTest : public ::testing::Test {
protected:
    KeyboardViewTest()
        : view(settings, modified, prompts, [this](std::size_t p) { edited.push_back(p); }) {}

    std::span<std::uint8_t, 4> layoutEntry(std::size_t layout, std::size_t position) {
        return settings.customLayout(layout)
            .subspan(keyPositions()[position].cellOffset)
            .first<4>();
    }

    DeviceSettings settings = zeroSettings();
    std::array<std::uint8_t, 256> modified{};
    ScriptedPrompts prompts;
    std::vector<std::size_t> edited;
    KeyboardView view;
};

TEST_F(KeyboardViewTest, HitTestIncludesEveryEdgeAndMissesGaps) {
    // Esc spans (330, 240)-(355, 265) in the window.
    EXPECT_EQ(view.hitTestKey(330, 240), kEsc);
    EXPECT_EQ(view.hitTestKey(355, 265), kEsc);
    EXPECT_EQ(view.hitTestKey(356, 250), std::nullopt);
    EXPECT_EQ(view.hitTestKey(340, 266), std::nullopt);
    EXPECT_EQ(view.hitTestKey(360, 250), std::nullopt); // between Esc and F1
    EXPECT_EQ(view.hitTestKey(392, 240), 1u);
    // The origin of the picture is not a key, although empty positions have zero rectangles.
    EXPECT_EQ(view.hitTestKey(328, 188), std::nullopt);
}

TEST_F(KeyboardViewTest, WinAndFnAreHitOnlyInTheDiyView) {
    EXPECT_EQ(view.hitTestKey(380, 420), std::nullopt);
    EXPECT_EQ(view.hitTestKey(710, 420), std::nullopt);
    view.onClick(380, 420);
    view.onClick(710, 420);
    EXPECT_TRUE(edited.empty());

    settings.lightEffect = 51;
    view.setDiyView(true);
    EXPECT_EQ(view.hitTestKey(380, 420), kWin);
    EXPECT_EQ(view.hitTestKey(710, 420), kFn);
    prompts.colourAnswers.push_back(Rgb{1, 2, 3});
    view.onClick(710, 420);
    EXPECT_EQ(colourQuestions(prompts), 1);
    EXPECT_EQ(layoutEntry(0, kFn)[3], 3);
}

TEST_F(KeyboardViewTest, KeyMapClickEditsTheKeyUnderThePoint) {
    view.onClick(330 + 49, 188 + 128 + 1); // Q at (51, 128) in the picture
    view.onClick(360, 250);                // gap
    EXPECT_EQ(edited, (std::vector<std::size_t>{kQ}));
    EXPECT_EQ(colourQuestions(prompts), 0);
}

TEST_F(KeyboardViewTest, HoverRepaintsOnlyWhenTheKeyChanges) {
    EXPECT_TRUE(view.onMouseMove(335, 245));
    EXPECT_FALSE(view.onMouseMove(340, 250));
    EXPECT_FALSE(view.onMouseMove(355, 265));
    EXPECT_TRUE(view.onMouseMove(360, 250));
    EXPECT_EQ(view.hoveredPosition(), kNoPosition);
    EXPECT_FALSE(view.onMouseMove(361, 250));

    TextCanvas canvas;
    view.paint(canvas);
    EXPECT_EQ(canvas.lines(), (std::vector<std::string>{"image kb_BK.png 328,188"}));
}

TEST_F(KeyboardViewTest, KeyMapLightsHoveredAndModifiedKeysButNeverWin) {
    modified[kQ] = 1;
    modified[kWin] = 1;
    view.onMouseMove(340, 250);
    TextCanvas canvas;
    view.paint(canvas);
    EXPECT_EQ(canvas.lines(), (std::vector<std::string>{
                                  "image kb_BK.png 328,188",
                                  "part kb_hl.png 2,52,27,77 at 330,240",
                                  "part kb_hl.png 51,128,76,153 at 379,316",
                              }));
}

TEST_F(KeyboardViewTest, DiyViewFillsColouredKeysWithInverseLabels) {
    settings.lightEffect = 53;
    view.setDiyView(true);
    auto esc = layoutEntry(2, kEsc);
    esc[1] = 1;
    auto q = layoutEntry(2, kQ);
    q[0] = 0x7f; // byte 0 carries no colour
    modified[kQ] = 1;
    view.onMouseMove(340, 250);

    TextCanvas canvas;
    view.paint(canvas);
    EXPECT_EQ(canvas.lines(), (std::vector<std::string>{
                                  "image kb_BK.png 328,188",
                                  "fill 330,240,355,265 1,0,0",
                                  "caption \"Esc\" 335,246 h10 254,255,255",
                                  "outline 328,238,357,267 255,255,255",
                              }));
}

TEST_F(KeyboardViewTest, DiyClickStoresThePickedColourOnlyOnOk) {
    settings.lightEffect = 55;
    view.setDiyView(true);
    auto q = layoutEntry(4, kQ);
    q[0] = 9;
    q[1] = 8;
    view.onClick(380, 317); // cancelled picker
    EXPECT_EQ(q[0], 9);
    EXPECT_EQ(q[1], 8);

    prompts.colourAnswers.push_back(Rgb{10, 20, 30});
    view.onClick(380, 317);
    EXPECT_EQ((std::array<std::uint8_t, 4>{q[0], q[1], q[2], q[3]}),
              (std::array<std::uint8_t, 4>{0, 10, 20, 30}));
    EXPECT_TRUE(edited.empty());
    // Other layouts are untouched.
    EXPECT_EQ(layoutEntry(3, kQ)[1], 0);
}

TEST_F(KeyboardViewTest, HeaderSaysWhatAClickDoesAndOnlyTheKeyMapShowsTheLegend) {
    const std::vector<std::string> keyMap = {
        "caption \"按键设置\" 328,112 h23 255,255,255",
        "caption \"点击按键即可更改它的功能，已修改的按键以红色点亮。\" 328,147 h14 150,150,156",
        "image legend-default.png 760,147",
        "caption \"默认\" 780,147 h14 150,150,156",
        "image legend-modified.png 840,147",
        "caption \"已修改\" 860,147 h14 150,150,156"};
    const std::vector<std::string> diy = {
        "caption \"自定义灯光\" 328,112 h23 255,255,255",
        "caption \"点击按键为它选择颜色，按“保存”后写入键盘。\" 328,147 h14 150,150,156"};
    settings.lightEffect = 51;
    for (bool inDiy : {false, true}) {
        view.setDiyView(inDiy);
        TextCanvas canvas;
        view.paintHeader(canvas);
        EXPECT_EQ(canvas.lines(), inDiy ? diy : keyMap);
        // Without the legend the line may run to the case's edge.
        EXPECT_EQ(canvas.calls()[1].style.areaWidth, inDiy ? 616 : 760 - 8 - 328);
    }
}

TEST_F(KeyboardViewTest, AnEffectBeyondTheLastLayoutShowsOnlyThePicture) {
    settings.lightEffect = 200; // as a damaged file or keyboard might report it
    view.setDiyView(true);
    TextCanvas canvas;
    view.paint(canvas);
    EXPECT_EQ(canvas.lines().size(), 1u);
    view.onClick(380, 317);
    EXPECT_EQ(colourQuestions(prompts), 0);
}

} // namespace
} // namespace talvex
