// The settings panel's drawing. It only reads: the window brings the settings and the sliders
// into shape with normalise() before every paint.
#include "mainwindow/lighting_effects.h"
#include "mainwindow/settings_panel.h"

#include <cstdio>
#include <string>

namespace talvex {

namespace {

constexpr Colour kWhite{255, 255, 255};
constexpr Colour kListRow{59, 59, 59};
constexpr Colour kListRowHovered{80, 0, 0};
constexpr Colour kGreyedSwatch{192, 192, 192};

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
    image(canvas, "itemBK.png", 19, kLightingHeaderTop);
    writeCaption(canvas, "灯光", 19, kLightingHeaderTop, 15);
    if (!lightingCollapsed_)
        paintLighting(canvas);

    image(canvas, "MacroManagementBK.png", 19, l.macroTop);
    image(canvas, "MacroButton3.png", 19, l.macroTop + 10);
    writeCaption(canvas, "宏管理器", 21, l.macroTop + 12, 15);

    paintGame(canvas, l.gameTop);
    paintResponse(canvas, l.responseTop);
    paintReport(canvas, l.reportTop);
    if (effectListOpen_)
        paintEffectList(canvas);
    if (responseListOpen_)
        paintResponseList(canvas, l.responseListTop());
}

void SettingsPanel::paintLighting(Canvas& canvas) const {
    const std::uint8_t effect = settings_.lightEffect;
    image(canvas, "LEDEffect_open.png", 19, 130);
    writeCaption(canvas, "效果", 28, 137, 15);
    image(canvas, "Light_Item.png", 28, 158);

    if (speedShown()) {
        image(canvas, "freq.png", 19, 245);
        sliders_.draw(SliderId::Speed, canvas);
        if (!effectListOpen_) {
            writeCaption(canvas, "频率", 28, 290, 13);
            writeCaption(canvas, "慢", 28, 317, 13);
            writeCaption(canvas, "快", 230, 317, 13);
        }
    }

    writeCaption(canvas, "亮度", 28, 247, 13);
    writeCaption(canvas, "暗", 28, 274, 13);
    writeCaption(canvas, "亮", 230, 274, 13);
    if (brightnessShown())
        sliders_.draw(SliderId::Brightness, canvas);

    if (!isCustomEffect(effect))
        paintColourSwatches(canvas);
    paintDirectionOrViewSwitch(canvas);
    if (auto name = lightingEffectCaption(effect))
        writeCaption(canvas, std::string(*name), 28, 158, 14);
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
        writeCaption(canvas, "方向", 29, 177, 15);
        for (const DirectionButton& button : kDirectionButtons)
            image(canvas, button.disabled, button.x, 197);
        for (const DirectionButton& button : kDirectionButtons)
            if (button.direction == settings_.lightDirection)
                image(canvas, button.enabled, button.x, 197);
    } else if (isCustomEffect(effect)) {
        const bool diy = keyboardView_.diyView();
        statusMark(canvas, !diy, 28, 199);
        statusMark(canvas, diy, 130, 199);
        writeCaption(canvas, "Keymap", 45, 197, 15);
        writeCaption(canvas, "DIY", 147, 197, 15);
    }
}

void SettingsPanel::paintGame(Canvas& canvas, int top) const {
    if (gameCollapsed_) {
        image(canvas, "gamemode_Close.png", 19, top);
        writeCaption(canvas, "游戏模式", 19, top, 15);
        writeCaption(canvas, "Win Lock模式", 149, top, 15);
        return;
    }
    image(canvas, "gamemode_open.png", 19, top);
    writeCaption(canvas, "游戏模式", 19, top, 15);
    statusMark(canvas, settings_.gameMode == 1, 34, top + 33);
    statusMark(canvas, settings_.gameMode == 0, 88, top + 33);
    writeCaption(canvas, "开启", 51, top + 31, 15);
    writeCaption(canvas, "关闭", 105, top + 31, 15);
    writeCaption(canvas, "Win Lock模式", 149, top, 15);
    statusMark(canvas, settings_.winLock == 1, 164, top + 33);
    statusMark(canvas, settings_.winLock == 0, 218, top + 33);
    writeCaption(canvas, "开启", 181, top + 31, 15);
    writeCaption(canvas, "关闭", 235, top + 31, 15);
}

void SettingsPanel::paintResponse(Canvas& canvas, int top) const {
    image(canvas, responseCollapsed_ ? "responsetime_close.png" : "responsetime_open.png", 19, top);
    writeCaption(canvas, "按键响应时间", 19, top, 15);
    if (responseCollapsed_)
        return;
    image(canvas, "Light_Item.png", 28, top + 28);
    char text[16];
    std::snprintf(text, sizeof text, "%d ms", settings_.responseTime * 2);
    writeCaption(canvas, text, 100, top + 28, 15);
}

void SettingsPanel::paintReport(Canvas& canvas, int top) const {
    image(canvas, reportCollapsed_ ? "reportrate_Close.png" : "reportrate_Open.png", 19, top);
    writeCaption(canvas, "USB报告率", 19, top, 15);
    if (!reportCollapsed_)
        sliders_.draw(SliderId::ReportRate, canvas);
}

void SettingsPanel::paintEffectList(Canvas& canvas) const {
    for (std::size_t r = 0; r < kLightingEffectCount; ++r) {
        const int top = kEffectListTop + kListRowHeight * static_cast<int>(r);
        canvas.fillRect(Rect{28, top, 248, top + kListRowHeight},
                        r == effectHoverRow_ ? kListRowHovered : kListRow);
        writeCaption(canvas, std::string(lightingEffects[r].caption), 28, top, 18);
    }
}

void SettingsPanel::paintResponseList(Canvas& canvas, int listTop) const {
    for (std::size_t r = 0; r < kResponseTimeCount; ++r) {
        const int top = listTop + kListRowHeight * static_cast<int>(r);
        canvas.fillRect(Rect{27, top, 247, top + kListRowHeight},
                        r == responseHoverRow_ ? kListRowHovered : kListRow);
        writeCaption(canvas, std::string(responseTimeCaptions[r]), 97, top, 18);
    }
}

} // namespace talvex
