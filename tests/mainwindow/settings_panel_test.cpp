#include "mainwindow/settings_panel.h"

#include "controls/skin_catalogue.h"
#include "fakes.h"
#include "mainwindow/lighting_effects.h"
#include "mainwindow/recording_ports.h"

#include <gtest/gtest.h>

namespace talvex {
namespace {

using testing::colourQuestions;
using testing::TextCanvas;

class SettingsPanelTest : public ::testing::Test {
protected:
    SettingsPanelTest()
        : view(settings, modified, prompts, [](std::size_t) {}),
          panel(settings, view, sliders, prompts) {
        settings.lightEffect = 2;
        settings.lightColour = 1;
    }

    void click(int x, int y) {
        if (panel.listOpen()) {
            panel.onListClick(x, y);
            return;
        }
        if (auto area = panel.hitTest(x, y))
            panel.onAreaClick(*area);
    }
    void expandLighting() { click(100, 115); }
    void chooseEffectRow(int row) {
        click(100, 165);
        ASSERT_TRUE(panel.effectListOpen());
        click(100, 175 + 20 * row + 5);
    }
    TextCanvas paint() {
        TextCanvas canvas;
        panel.normalise();
        panel.paint(canvas);
        return canvas;
    }

    DeviceSettings settings = zeroSettings();
    std::array<std::uint8_t, 256> modified{};
    ScriptedPrompts prompts;
    RecordingSliders sliders;
    KeyboardView view;
    SettingsPanel panel;
};

TEST_F(SettingsPanelTest, SectionsMoveWhenTheSectionsAboveExpand) {
    EXPECT_EQ(panel.layout().macroTop, 140);
    EXPECT_EQ(panel.layout().gameTop, 195);
    EXPECT_EQ(panel.layout().responseTop, 250);
    EXPECT_EQ(panel.layout().reportTop, 290);
    expandLighting();
    EXPECT_EQ(panel.layout().macroTop, 335);
    EXPECT_EQ(panel.layout().reportTop, 485);
    click(100, 450); // response header at 445
    EXPECT_FALSE(panel.responseCollapsed());
    EXPECT_EQ(panel.layout().reportTop, 520);
    click(100, 405); // the game section moves nothing
    EXPECT_FALSE(panel.gameCollapsed());
    EXPECT_EQ(panel.layout().reportTop, 520);
}

TEST_F(SettingsPanelTest, ReportSliderFollowsItsSectionAndStoresItsPosition) {
    click(100, 295); // report header
    sliders[SliderId::ReportRate].position = 3;
    paint();
    EXPECT_EQ(sliders[SliderId::ReportRate].y, 313);
    EXPECT_TRUE(sliders[SliderId::ReportRate].visible);
    EXPECT_EQ(settings.reportInterval, 3);
    paint();
    EXPECT_EQ(sliders[SliderId::ReportRate].moves, 1); // not reloaded while it stays put

    click(100, 255); // response header expands: 35 pixels lower on the next paint
    paint();
    EXPECT_EQ(sliders[SliderId::ReportRate].y, 348);
    EXPECT_EQ(sliders[SliderId::ReportRate].moves, 2);

    click(100, 330); // report header, now at 325
    paint();
    EXPECT_FALSE(sliders[SliderId::ReportRate].visible);
}

TEST_F(SettingsPanelTest, EffectChoiceAppliesItsColourRule) {
    expandLighting();
    settings.lightColour = kAllColours;
    chooseEffectRow(0); // "全亮" cannot show every colour
    EXPECT_EQ(settings.lightEffect, 1);
    EXPECT_EQ(settings.lightColour, 1);
    EXPECT_FALSE(panel.effectListOpen());

    settings.lightColour = 4;
    chooseEffectRow(2); // "波浪"
    EXPECT_EQ(settings.lightColour, kAllColours);
    settings.lightColour = 4;
    chooseEffectRow(6); // "霓虹"
    EXPECT_EQ(settings.lightEffect, 8);
    EXPECT_EQ(settings.lightColour, kAllColours);

    auto canvas = paint();
    EXPECT_TRUE(canvas.has("fill 28,223,48,243 192,192,192"));
    EXPECT_TRUE(canvas.has("fill 178,223,198,243 192,192,192"));
    EXPECT_TRUE(canvas.has("outline 201,221,225,245 255,255,255"));

    chooseEffectRow(13); // "DIY3" switches the keyboard to its custom view
    EXPECT_EQ(settings.lightEffect, 53);
    EXPECT_TRUE(view.diyView());
    chooseEffectRow(1);
    EXPECT_FALSE(view.diyView());
}

TEST_F(SettingsPanelTest, AClickBelowTheLastRowOnlyClosesTheList) {
    expandLighting();
    click(100, 165);
    click(100, 175 + 16 * 20); // one pixel below the last row
    EXPECT_FALSE(panel.effectListOpen());
    EXPECT_EQ(settings.lightEffect, 2);

    click(100, 450); // response header at 445
    ASSERT_FALSE(panel.responseCollapsed());
    click(100, 480); // response box at 445 + 28: no room below, the list ends on the box
    ASSERT_TRUE(panel.responseListOpen());
    const int top = 473 - 200;
    click(100, top - 1);
    EXPECT_FALSE(panel.responseListOpen());
    EXPECT_EQ(settings.responseTime, 0);
}

TEST_F(SettingsPanelTest, ResponseListSetsTheTimeAndTheBoxShowsMilliseconds) {
    click(100, 255);
    settings.responseTime = 10;
    EXPECT_TRUE(paint().has("caption \"20 ms\" 100,278 h15 255,255,255"));

    click(100, 285); // response box, with room below it
    const int top = 250 + 28 + 17;
    EXPECT_TRUE(panel.onListMouseMove(100, top + 5));
    EXPECT_EQ(panel.responseHoverRow(), 0);
    auto canvas = paint();
    EXPECT_TRUE(canvas.has("fill 27,295,247,315 80,0,0"));
    EXPECT_TRUE(canvas.has("caption \"2 ms\" 97,295 h18 255,255,255"));
    EXPECT_FALSE(sliders[SliderId::Brightness].visible);
    EXPECT_FALSE(panel.onListMouseMove(10, top + 5));
    EXPECT_EQ(panel.responseHoverRow(), kNoRow);

    click(100, top + 5);
    EXPECT_EQ(settings.responseTime, 1);
    EXPECT_TRUE(paint().has("caption \"2 ms\" 100,278 h15 255,255,255"));
}

TEST_F(SettingsPanelTest, ValuesStandBesideTheirSlidersAndInTheSectionHeaders) {
    expandLighting();
    sliders[SliderId::Speed].position = 7;
    sliders[SliderId::Brightness].position = 50;
    settings.responseTime = 4;
    settings.reportInterval = 3;
    const auto canvas = paint();
    // A slider's value keeps inside the column, a header's before the chevron.
    for (auto [text, x, y, end] : {std::tuple{"7", 252, 305, 266},
                                   {"50", 252, 262, 266},
                                   {"8 ms", 200, 447, 245},
                                   {"档位 3", 200, 487, 245}}) {
        const auto calls = canvas.captionCalls(text);
        ASSERT_EQ(calls.size(), 1u) << text;
        EXPECT_EQ(std::pair(calls[0].x, calls[0].y), std::pair(x, y)) << text;
        EXPECT_LE(x + calls[0].style.areaWidth, end) << text;
    }
    sliders[SliderId::Brightness].position = 12;
    panel.onSliderMoved(SliderId::Brightness);
    EXPECT_EQ(paint().captionCalls("12").size(), 1u);
}

TEST_F(SettingsPanelTest, LightingChevronFollowsTheSection) {
    EXPECT_TRUE(paint().has("image itemBK_close.png 19,110"));
    expandLighting();
    EXPECT_TRUE(paint().has("image itemBK.png 19,110"));
}

// Wherever a list opens, its backdrop stays in the column and every other element beneath it is
// hidden whole (only the list's own section shows above its box); the sliders hide meanwhile.
TEST_F(SettingsPanelTest, AnOpenListStandsOnABackdropThatCoversEverythingBeneath) {
    const std::tuple<std::vector<std::pair<int, int>>, const char*, bool> cases[] = {
        {{{100, 295}, {100, 115}, {100, 165}}, "LEDEffect_open.png", true},
        {{{100, 295}, {100, 255}, {100, 285}}, "responsetime_open.png", true},
        {{{100, 295}, {100, 115}, {100, 450}, {100, 480}}, "responsetime_open.png", false},
    };
    auto inside = [](const Rect& r, const Rect& area) {
        return r.left >= area.left && r.right <= area.right && r.top >= area.top &&
               r.bottom <= area.bottom;
    };
    for (const auto& [clicks, ownSection, dropsDown] : cases) {
        SCOPED_TRACE(::testing::Message() << ownSection << (dropsDown ? " down" : " up"));
        RecordingSliders localSliders;
        SettingsPanel local(settings, view, localSliders, prompts);
        for (auto [x, y] : clicks)
            local.onAreaClick(local.hitTest(x, y).value());
        const ListPlacement list = local.openList().value();
        EXPECT_TRUE(inside(list.backdrop, kColumnInside));
        EXPECT_EQ(list.backdrop.bottom == kColumnInside.bottom, dropsDown);
        TextCanvas canvas;
        local.normalise();
        local.paint(canvas);
        for (const auto& entry : localSliders.sliders)
            EXPECT_FALSE(entry.second.visible || entry.second.draws);
        bool behind = true;
        for (const CanvasCall& call : canvas.calls()) {
            Rect r = call.rect;
            if (call.kind == CanvasCall::Kind::Caption)
                r = Rect{call.x, call.y, call.x + 1, call.y + call.style.height};
            if (call.kind == CanvasCall::Kind::Image) {
                const SkinImageEntry* image = findSkinImage(skinImagePath(call.folder, call.text));
                ASSERT_NE(image, nullptr) << call.text;
                r = Rect{call.x, call.y, call.x + image->width, call.y + image->height};
            }
            if (call.kind == CanvasCall::Kind::Fill && r == list.backdrop) {
                behind = false;
            } else if (!behind) {
                EXPECT_TRUE(inside(r, list.rows)) << call.text;
            } else if (call.text != ownSection) {
                const bool clear = r.bottom <= list.backdrop.top || r.top >= list.backdrop.bottom;
                EXPECT_TRUE(clear || inside(r, list.backdrop)) << call.text << " " << r.top;
            }
        }
        EXPECT_FALSE(behind);
    }
}

TEST_F(SettingsPanelTest, SelectedSwatchOpensThePickerAndCancelKeepsEverything) {
    expandLighting();
    settings.palette[3] = 7;
    click(38 + 25, 233); // swatch 1 is not selected yet: just select it
    EXPECT_EQ(settings.lightColour, 2);
    EXPECT_EQ(colourQuestions(prompts), 0);

    click(38 + 25, 233); // selected: picker, cancelled
    EXPECT_EQ(colourQuestions(prompts), 1);
    EXPECT_EQ(settings.palette[3], 7);
    EXPECT_EQ(settings.lightColour, 2);

    prompts.colourAnswers.push_back(Rgb{9, 8, 7});
    click(38 + 25, 233);
    EXPECT_EQ(settings.palette[3], 9);
    EXPECT_EQ(settings.palette[4], 8);
    EXPECT_EQ(settings.palette[5], 7);
}

TEST_F(SettingsPanelTest, SwatchRulesPerEffect) {
    expandLighting();
    settings.lightEffect = 1;
    click(38 + 25 * 7, 233); // all colours is not offered for "全亮"
    EXPECT_EQ(settings.lightColour, 1);
    click(38 + 25 * 3, 233);
    EXPECT_EQ(settings.lightColour, 4);

    settings.lightEffect = 3;
    click(38, 233); // wave lights every colour: single swatches do nothing
    EXPECT_EQ(settings.lightColour, 4);
    click(38 + 25 * 7, 233);
    EXPECT_EQ(settings.lightColour, kAllColours);

    settings.lightEffect = 52;
    click(38, 233);
    EXPECT_EQ(settings.lightColour, kAllColours);
}

TEST_F(SettingsPanelTest, OutOfRangeColourIsCorrectedWhenTheSwatchesAreDrawn) {
    settings.lightColour = 0;
    paint(); // lighting collapsed: nothing drawn, nothing corrected
    EXPECT_EQ(settings.lightColour, 0);
    expandLighting();
    paint();
    EXPECT_EQ(settings.lightColour, 1);
    settings.lightColour = 200;
    auto canvas = paint();
    EXPECT_EQ(settings.lightColour, kAllColours);
    EXPECT_TRUE(canvas.has("outline 201,221,225,245 255,255,255"));
}

TEST_F(SettingsPanelTest, SpeedSliderHiddenForSteadyAndCustomEffects) {
    expandLighting();
    sliders[SliderId::Speed].position = 6;
    sliders[SliderId::Brightness].position = 40;
    auto canvas = paint();
    EXPECT_TRUE(sliders[SliderId::Speed].visible);
    EXPECT_TRUE(canvas.has("caption \"频率\" 28,290 h13 255,255,255"));
    EXPECT_EQ(settings.lightSpeed, 6);
    EXPECT_EQ(settings.lightBrightness, 40);

    for (std::uint8_t effect : {1, 51}) {
        settings.lightEffect = effect;
        sliders[SliderId::Speed].position = 2;
        canvas = paint();
        EXPECT_FALSE(sliders[SliderId::Speed].visible);
        EXPECT_TRUE(sliders[SliderId::Brightness].visible);
        EXPECT_FALSE(canvas.has("image freq.png 19,245"));
        EXPECT_EQ(settings.lightSpeed, 6); // a hidden slider stores nothing
    }

    settings.lightEffect = 2;
    click(100, 165); // the open effect list covers both sliders
    paint();
    EXPECT_FALSE(sliders[SliderId::Speed].visible);
    EXPECT_FALSE(sliders[SliderId::Brightness].visible);
}

TEST_F(SettingsPanelTest, ViewSwitchAndDirectionShareTheirPlace) {
    expandLighting();
    settings.lightEffect = 13; // radar shows the direction buttons
    click(40, 205);
    EXPECT_EQ(settings.lightDirection, 3);
    auto canvas = paint();
    EXPECT_TRUE(canvas.has("image Direction-T-Enable.png 29,197"));
    EXPECT_TRUE(canvas.has("caption \"雷达\" 28,158 h14 255,255,255"));

    settings.lightEffect = 54; // custom layouts show the view switch over the first button
    click(135, 205);
    EXPECT_TRUE(view.diyView());
    click(30, 205);
    EXPECT_FALSE(view.diyView());
    EXPECT_EQ(settings.lightDirection, 3);
    click(185, 205); // the hidden fourth button still takes the click
    EXPECT_EQ(settings.lightDirection, 1);
    canvas = paint();
    EXPECT_TRUE(canvas.has("image Enable.png 28,199"));
    EXPECT_TRUE(canvas.has("image Disable.png 130,199"));
}

TEST_F(SettingsPanelTest, GameAndLockSwitches) {
    click(100, 200); // game header at 195
    click(40, 195 + 35);
    click(170, 195 + 35);
    EXPECT_EQ(settings.gameMode, 1);
    EXPECT_EQ(settings.winLock, 1);
    auto canvas = paint();
    EXPECT_TRUE(canvas.has("image Enable.png 34,228"));
    EXPECT_TRUE(canvas.has("image Disable.png 88,228"));
    click(100, 195 + 35);
    click(230, 195 + 35);
    EXPECT_EQ(settings.gameMode, 0);
    EXPECT_EQ(settings.winLock, 0);
    EXPECT_EQ(panel.hitTest(40, 195 + 35), PanelArea::GameOn);
    click(100, 200);
    EXPECT_EQ(panel.hitTest(40, 195 + 35), std::nullopt);
}

TEST_F(SettingsPanelTest, SliderMovesAreStoredOnlyWhenThePositionChanges) {
    sliders[SliderId::Brightness].position = 0;
    settings.lightBrightness = 33;
    EXPECT_FALSE(panel.onSliderMoved(SliderId::Brightness)); // last seen starts at 0
    EXPECT_EQ(settings.lightBrightness, 33);
    sliders[SliderId::Brightness].position = 20;
    EXPECT_TRUE(panel.onSliderMoved(SliderId::Brightness));
    EXPECT_EQ(settings.lightBrightness, 20);

    settings.lightSpeed = 4;
    settings.reportInterval = 2;
    panel.syncSlidersFromSettings();
    EXPECT_EQ(sliders[SliderId::Speed].position, 4);
    EXPECT_EQ(sliders[SliderId::ReportRate].position, 2);
    EXPECT_EQ(sliders[SliderId::Brightness].position, 20);
}

} // namespace
} // namespace talvex
