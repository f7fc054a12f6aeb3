// The settings panel's drawing. It only reads: the window brings the settings and the sliders
// into shape with normalise() before every paint.
#include "mainwindow/lighting_effects.h"
#include "mainwindow/main_window_caption_areas.h"
#include "mainwindow/settings_panel.h"
#include "platform/ui_text.h"

#include <string>

namespace talvex {

namespace {

constexpr Colour kWhite{255, 255, 255};
constexpr Colour kListRow{59, 59, 59};
constexpr Colour kListRowHovered{80, 0, 0};
constexpr Colour kGreyedSwatch{192, 192, 192};
constexpr Colour kBackdrop{38, 38, 40}; // the column's own colour: the list stands on it alone
constexpr Colour kHeaderValue{170, 170, 176};

// A slider's value stands right of its track, which ends at 248; the column ends at 267.
constexpr int kSliderValueX = 252;
constexpr int kSliderValueWidth = 14;
// A section's value stands in its header, between the title and the chevron.
constexpr int kHeaderValueX = 200;
constexpr int kHeaderValueWidth = 44;

// The direction buttons from left to right and the direction each one sets.
struct DirectionButton {
    std::uint8_t direction;
    const char* disabled;
    const char* enabled;
    int x;
};
constexpr DirectionButton kDirectionButtons[] = {
    {3, "Direction-T-Disable.png", "Direction-T-Enable.png", 29},
    {4, "Direction-B-Disable.png", "Direction-B-Enable.png", 79},
    {2, "Direction-R-Disable.png", "Direction-R-Enable.png", 129},
    {1, "Direction-L-Disable.png", "Direction-L-Enable.png", 179},
};

void image(Canvas& canvas, const char* file, int x, int y) {
    canvas.drawImage(SkinFolder::Main, file, x, y);
}

void statusMark(Canvas& canvas, bool enabled, int x, int y) {
    image(canvas, enabled ? "Enable.png" : "Disable.png", x, y);
}

} // namespace

void SettingsPanel::paint(Canvas& canvas) const {
    const PanelLayout l = layout();
    image(canvas, lightingCollapsed_ ? "itemBK_close.png" : "itemBK.png", 19, kLightingHeaderTop);
    writeCaption(canvas, TALVEX_TEXT("灯光"), 19, kLightingHeaderTop, 15, kWhite,
                 kCaptionAreas.lightingTitle);
    if (!lightingCollapsed_)
        paintLighting(canvas);

    image(canvas, "MacroManagementBK.png", 19, l.macroTop);
    image(canvas, "MacroButton3.png", 19, l.macroTop + 10);
    writeCaption(canvas, TALVEX_TEXT("宏管理器"), 21, l.macroTop + 12, 15, kWhite,
                 kCaptionAreas.macroButton);

    paintGame(canvas, l.gameTop);
    paintResponse(canvas, l.responseTop);
    paintReport(canvas, l.reportTop);
    paintOpenList(canvas);
}

void SettingsPanel::paintLighting(Canvas& canvas) const {
    const std::uint8_t effect = settings_.lightEffect;
    image(canvas, "LEDEffect_open.png", 19, 130);
    writeCaption(canvas, TALVEX_TEXT("效果"), 28, 137, 15, kWhite, kCaptionAreas.heading);
    image(canvas, "Light_Item.png", 28, 158);

    if (speedShown()) {
        image(canvas, "freq.png", 19, 245);
        if (sliderVisible(SliderId::Speed))
            sliders_.draw(SliderId::Speed, canvas);
        writeCaption(canvas, TALVEX_TEXT("频率"), 28, 290, 13, kWhite, kCaptionAreas.heading);
        writeCaption(canvas, TALVEX_TEXT("慢"), 28, 317, 13, kWhite, kCaptionAreas.sliderLow);
        writeCaption(canvas, TALVEX_TEXT("快"), 230, 317, 13, kWhite, kCaptionAreas.sliderHigh);
        writeCaption(canvas, std::to_string(settings_.lightSpeed), kSliderValueX, 305, 13, kWhite,
                     kSliderValueWidth);
    }

    writeCaption(canvas, TALVEX_TEXT("亮度"), 28, 247, 13, kWhite, kCaptionAreas.heading);
    writeCaption(canvas, TALVEX_TEXT("暗"), 28, 274, 13, kWhite, kCaptionAreas.sliderLow);
    writeCaption(canvas, TALVEX_TEXT("亮"), 230, 274, 13, kWhite, kCaptionAreas.sliderHigh);
    if (sliderVisible(SliderId::Brightness))
        sliders_.draw(SliderId::Brightness, canvas);
    writeCaption(canvas, std::to_string(settings_.lightBrightness), kSliderValueX, 262, 13, kWhite,
                 kSliderValueWidth);

    if (!isCustomEffect(effect))
        paintColourSwatches(canvas);
    paintDirectionOrViewSwitch(canvas);
    if (auto name = lightingEffectCaption(effect))
        writeCaption(canvas, std::string(*name), 28, 158, 14, kWhite, kCaptionAreas.effectName);
}

void SettingsPanel::paintColourSwatches(Canvas& canvas) const {
    const std::uint8_t effect = settings_.lightEffect;
    if (effect != kEffectSteady)
        image(canvas, "8.png", 203, kSwatchTop);
    const bool greyed = usesAllColours(effect);
    for (int k = 0; k < 7; ++k) {
        const Colour colour = greyed
                                  ? kGreyedSwatch
                                  : Colour{settings_.palette[3 * k], settings_.palette[3 * k + 1],
                                           settings_.palette[3 * k + 2]};
        canvas.fillRect(swatchRect(k), colour);
    }
    const int left = 26 + 25 * (settings_.lightColour - 1);
    canvas.outlineRect(Rect{left, 221, left + 24, 245}, kWhite);
}

void SettingsPanel::paintDirectionOrViewSwitch(Canvas& canvas) const {
    const std::uint8_t effect = settings_.lightEffect;
    if (hasDirection(effect)) {
        writeCaption(canvas, TALVEX_TEXT("方向"), 29, 177, 15, kWhite, kCaptionAreas.heading);
        for (const DirectionButton& button : kDirectionButtons)
            image(canvas, button.disabled, button.x, 197);
        for (const DirectionButton& button : kDirectionButtons)
            if (button.direction == settings_.lightDirection)
                image(canvas, button.enabled, button.x, 197);
    } else if (isCustomEffect(effect)) {
        const bool diy = keyboardView_.diyView();
        statusMark(canvas, !diy, 28, 199);
        statusMark(canvas, diy, 130, 199);
        writeCaption(canvas, "Keymap", 45, 197, 15, kWhite, kCaptionAreas.keymapChoice);
        writeCaption(canvas, "DIY", 147, 197, 15, kWhite, kCaptionAreas.diyChoice);
    }
}

void SettingsPanel::paintGame(Canvas& canvas, int top) const {
    if (gameCollapsed_) {
        image(canvas, "gamemode_Close.png", 19, top);
        writeCaption(canvas, TALVEX_TEXT("游戏模式"), 19, top, 15, kWhite, kCaptionAreas.gameTitle);
        writeCaption(canvas, TALVEX_TEXT("Win Lock模式"), 149, top, 15, kWhite,
                     kCaptionAreas.winLockTitle);
        return;
    }
    image(canvas, "gamemode_open.png", 19, top);
    writeCaption(canvas, TALVEX_TEXT("游戏模式"), 19, top, 15, kWhite, kCaptionAreas.gameTitle);
    statusMark(canvas, settings_.gameMode == 1, 34, top + 33);
    statusMark(canvas, settings_.gameMode == 0, 88, top + 33);
    writeCaption(canvas, TALVEX_TEXT("开启"), 51, top + 31, 15, kWhite, kCaptionAreas.onChoice);
    writeCaption(canvas, TALVEX_TEXT("关闭"), 105, top + 31, 15, kWhite,
                 kCaptionAreas.gameOffChoice);
    writeCaption(canvas, TALVEX_TEXT("Win Lock模式"), 149, top, 15, kWhite,
                 kCaptionAreas.winLockTitle);
    statusMark(canvas, settings_.winLock == 1, 164, top + 33);
    statusMark(canvas, settings_.winLock == 0, 218, top + 33);
    writeCaption(canvas, TALVEX_TEXT("开启"), 181, top + 31, 15, kWhite, kCaptionAreas.onChoice);
    writeCaption(canvas, TALVEX_TEXT("关闭"), 235, top + 31, 15, kWhite,
                 kCaptionAreas.lockOffChoice);
}

void SettingsPanel::paintResponse(Canvas& canvas, int top) const {
    image(canvas, responseCollapsed_ ? "responsetime_close.png" : "responsetime_open.png", 19, top);
    writeCaption(canvas, TALVEX_TEXT("按键响应时间"), 19, top, 15, kWhite,
                 kCaptionAreas.valuedTitle);
    const std::string time = responseTimeText(settings_.responseTime);
    writeCaption(canvas, time, kHeaderValueX, top + 2, 13, kHeaderValue, kHeaderValueWidth);
    if (responseCollapsed_)
        return;
    image(canvas, "Light_Item.png", 28, top + 28);
    writeCaption(canvas, time, 100, top + 28, 15, kWhite, kCaptionAreas.responseValue);
}

void SettingsPanel::paintReport(Canvas& canvas, int top) const {
    image(canvas, reportCollapsed_ ? "reportrate_Close.png" : "reportrate_Open.png", 19, top);
    writeCaption(canvas, TALVEX_TEXT("USB报告率"), 19, top, 15, kWhite, kCaptionAreas.valuedTitle);
    // The keyboard's steps are not known in Hz: the step is shown as the number it is stored as.
    writeCaption(canvas,
                 fillText(TALVEX_TEXT("档位 %1"), {std::to_string(settings_.reportInterval)}),
                 kHeaderValueX, top + 2, 13, kHeaderValue, kHeaderValueWidth);
    if (sliderVisible(SliderId::ReportRate))
        sliders_.draw(SliderId::ReportRate, canvas);
}

void SettingsPanel::paintOpenList(Canvas& canvas) const {
    const auto list = openList();
    if (!list)
        return;
    canvas.fillRect(list->backdrop, kBackdrop);
    const std::uint8_t hovered = effectListOpen_ ? effectHoverRow_ : responseHoverRow_;
    const std::size_t count = effectListOpen_ ? kLightingEffectCount : kResponseTimeCount;
    for (std::size_t r = 0; r < count; ++r) {
        const int top = list->rows.top + kListRowHeight * static_cast<int>(r);
        canvas.fillRect(Rect{list->rows.left, top, list->rows.right, top + kListRowHeight},
                        r == hovered ? kListRowHovered : kListRow);
        if (effectListOpen_)
            writeCaption(canvas, std::string(lightingEffects[r].caption), list->rows.left, top, 18,
                         kWhite, list->rows.width());
        else
            writeCaption(canvas, responseTimeText(static_cast<std::uint8_t>(r + 1)),
                         list->rows.left + 70, top, 18, kWhite, list->rows.width() - 70);
    }
}

} // namespace talvex
