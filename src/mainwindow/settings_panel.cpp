#include "mainwindow/settings_panel.h"

#include "mainwindow/area_table.h"
#include "mainwindow/lighting_effects.h"
#include "mainwindow/white_caption.h"

#include <cstdio>
#include <string>

namespace talvex {

namespace {

constexpr Colour kWhite{255, 255, 255};
constexpr Colour kPanelBackground{53, 53, 53};
constexpr Colour kListRow{59, 59, 59};
constexpr Colour kListRowHovered{80, 0, 0};
constexpr Colour kListCaptionBackground{239, 14, 2};
constexpr Colour kGreyedSwatch{192, 192, 192};

constexpr int kEffectListTop = 173;
constexpr int kSwatchTop = 223;

void image(Canvas& canvas, const char* file, int x, int y) {
    canvas.drawImage(SkinFolder::Main, file, x, y);
}

void caption(Canvas& canvas, const std::string& text, int x, int y, int height,
             Colour background = kPanelBackground) {
    drawWhiteCaption(canvas, text, x, y, height, background);
}

void statusMark(Canvas& canvas, bool enabled, int x, int y) {
    image(canvas, enabled ? "Enable.png" : "Disable.png", x, y);
}

// Areas at fixed places, and areas of a section relative to the section's top.
constexpr AreaRect<PanelArea> kLightingHeaderArea[] = {
    {PanelArea::LightingHeader, {19, 0, 261, 20}}};
constexpr AreaRect<PanelArea> kViewSwitchAreas[] = {
    {PanelArea::KeymapSwitch, {28, 200, 42, 214}},
    {PanelArea::DiySwitch, {130, 200, 144, 214}},
};
// The direction buttons take clicks whenever the section is open, drawn or not.
constexpr AreaRect<PanelArea> kLightingAreas[] = {
    {PanelArea::EffectBox, {28, 158, 248, 173}},
    {PanelArea::DirectionTop, {29, 197, 64, 212}},
    {PanelArea::DirectionBottom, {79, 197, 114, 212}},
    {PanelArea::DirectionRight, {129, 197, 164, 212}},
    {PanelArea::DirectionLeft, {179, 197, 214, 212}},
};
constexpr AreaRect<PanelArea> kMacroButtonArea[] = {{PanelArea::MacroButton, {19, 10, 259, 28}}};
constexpr AreaRect<PanelArea> kGameHeaderArea[] = {{PanelArea::GameHeader, {19, 0, 261, 20}}};
constexpr AreaRect<PanelArea> kGameAreas[] = {
    {PanelArea::GameOn, {34, 33, 44, 42}},     {PanelArea::GameOff, {88, 33, 115, 42}},
    {PanelArea::GameHeader, {19, 0, 261, 20}}, {PanelArea::LockOn, {164, 33, 174, 42}},
    {PanelArea::LockOff, {218, 33, 245, 42}},
};
constexpr AreaRect<PanelArea> kResponseBoxArea[] = {{PanelArea::ResponseBox, {28, 28, 248, 44}}};
constexpr AreaRect<PanelArea> kResponseHeaderArea[] = {
    {PanelArea::ResponseHeader, {19, 0, 261, 20}}};
constexpr AreaRect<PanelArea> kReportHeaderArea[] = {{PanelArea::ReportHeader, {19, 0, 261, 20}}};

// Swatch k, 0..6 for the palette colours and 7 for all colours at once.
Rect swatchRect(int k) {
    return Rect{28 + 25 * k, kSwatchTop, 48 + 25 * k, kSwatchTop + 20};
}

// The list row under a point: rows of 20 pixels from `top`, x inclusive on both sides, y from
// the first row's top up to (not including) the bottom of the last row.
std::optional<int> listRow(int x, int y, int left, int right, int top, int rows) {
    if (x < left || x > right || y < top || y >= top + rows * kListRowHeight)
        return std::nullopt;
    return (y - top) / kListRowHeight;
}

std::uint8_t& sliderField(DeviceSettings& settings, SliderId id) {
    switch (id) {
    case SliderId::Speed:
        return settings.lightSpeed;
    case SliderId::Brightness:
        return settings.lightBrightness;
    case SliderId::ReportRate:
        break;
    }
    return settings.reportInterval;
}

std::size_t sliderIndex(SliderId id) {
    switch (id) {
    case SliderId::Speed:
        return 0;
    case SliderId::Brightness:
        return 1;
    case SliderId::ReportRate:
        break;
    }
    return 2;
}

} // namespace

SettingsPanel::SettingsPanel(DeviceSettings& workingSettings, KeyboardView& keyboardView,
                             PanelSliders& sliders, Prompts& prompts)
    : settings_(workingSettings), keyboardView_(keyboardView), sliders_(sliders),
      prompts_(prompts) {}

std::optional<PanelArea> SettingsPanel::hitTest(int x, int y) const {
    const PanelLayout l = layout();
    std::optional<PanelArea> hit;
    auto tryAreas = [&](const auto& areas, int dy) {
        if (!hit)
            hit = firstAreaAt(areas, x, y, dy);
    };
    tryAreas(kLightingHeaderArea, kLightingHeaderTop);
    if (!lightingCollapsed_) {
        if (isCustomEffect(settings_.lightEffect))
            tryAreas(kViewSwitchAreas, 0);
        tryAreas(kLightingAreas, 0);
        tryAreas(kMacroButtonArea, l.macroTop);
        for (int k = 0; k < 8 && !hit; ++k)
            if (swatchRect(k).containsInclusive(x, y))
                hit = static_cast<PanelArea>(static_cast<int>(PanelArea::Swatch0) + k);
    } else {
        tryAreas(kMacroButtonArea, l.macroTop);
    }
    if (gameCollapsed_)
        tryAreas(kGameHeaderArea, l.gameTop);
    else
        tryAreas(kGameAreas, l.gameTop);
    if (!responseCollapsed_)
        tryAreas(kResponseBoxArea, l.responseTop);
    tryAreas(kResponseHeaderArea, l.responseTop);
    tryAreas(kReportHeaderArea, l.reportTop);
    return hit;
}

void SettingsPanel::onAreaClick(PanelArea area) {
    switch (area) {
    case PanelArea::LightingHeader:
        lightingCollapsed_ = !lightingCollapsed_;
        break;
    case PanelArea::EffectBox:
        effectListOpen_ = true;
        hideSpeedAndBrightness();
        break;
    case PanelArea::DirectionTop:
        settings_.lightDirection = 3;
        break;
    case PanelArea::DirectionBottom:
        settings_.lightDirection = 4;
        break;
    case PanelArea::DirectionRight:
        settings_.lightDirection = 2;
        break;
    case PanelArea::DirectionLeft:
        settings_.lightDirection = 1;
        break;
    case PanelArea::Swatch0:
    case PanelArea::Swatch1:
    case PanelArea::Swatch2:
    case PanelArea::Swatch3:
    case PanelArea::Swatch4:
    case PanelArea::Swatch5:
    case PanelArea::Swatch6:
    case PanelArea::Swatch7:
        selectSwatch(static_cast<int>(area) - static_cast<int>(PanelArea::Swatch0));
        break;
    case PanelArea::KeymapSwitch:
        keyboardView_.setDiyView(false);
        break;
    case PanelArea::DiySwitch:
        keyboardView_.setDiyView(true);
        break;
    case PanelArea::MacroButton:
        break;
    case PanelArea::GameHeader:
        gameCollapsed_ = !gameCollapsed_;
        break;
    case PanelArea::GameOn:
        settings_.gameMode = 1;
        break;
    case PanelArea::GameOff:
        settings_.gameMode = 0;
        break;
    case PanelArea::LockOn:
        settings_.winLock = 1;
        break;
    case PanelArea::LockOff:
        settings_.winLock = 0;
        break;
    case PanelArea::ResponseHeader:
        responseCollapsed_ = !responseCollapsed_;
        break;
    case PanelArea::ResponseBox:
        responseListOpen_ = true;
        break;
    case PanelArea::ReportHeader:
        reportCollapsed_ = !reportCollapsed_;
        break;
    }
}

void SettingsPanel::selectSwatch(int k) {
    const std::uint8_t effect = settings_.lightEffect;
    if (isCustomEffect(effect))
        return;
    if (k == 7) {
        if (effect != kEffectSteady)
            settings_.lightColour = kAllColours;
        return;
    }
    if (usesAllColours(effect))
        return;
    if (settings_.lightColour == k + 1) {
        if (auto colour = prompts_.chooseColour(Rgb{})) {
            settings_.palette[3 * k] = colour->r;
            settings_.palette[3 * k + 1] = colour->g;
            settings_.palette[3 * k + 2] = colour->b;
        }
    }
    settings_.lightColour = static_cast<std::uint8_t>(k + 1);
}

void SettingsPanel::chooseEffectRow(int row) {
    const std::uint8_t code = lightingEffects[row].code;
    effectHoverRow_ = static_cast<std::uint8_t>(row);
    settings_.lightEffect = code;
    keyboardView_.setDiyView(isCustomEffect(code));
    if (code == kEffectSteady && settings_.lightColour == kAllColours)
        settings_.lightColour = 1;
    if (usesAllColours(code))
        settings_.lightColour = kAllColours;
}

void SettingsPanel::onListClick(int x, int y) {
    if (effectListOpen_) {
        if (auto row = listRow(x, y, 28, 248, kEffectListTop, kLightingEffectCount))
            chooseEffectRow(*row);
    } else if (responseListOpen_) {
        if (auto row = listRow(x, y, 27, 247, layout().responseListTop(), kResponseTimeCount)) {
            responseHoverRow_ = static_cast<std::uint8_t>(*row);
            settings_.responseTime = static_cast<std::uint8_t>(*row + 1);
        }
    }
    effectListOpen_ = false;
    responseListOpen_ = false;
}

bool SettingsPanel::onListMouseMove(int x, int y) {
    auto toRow = [](std::optional<int> row) {
        return row ? static_cast<std::uint8_t>(*row) : kNoRow;
    };
    if (effectListOpen_) {
        effectHoverRow_ = toRow(listRow(x, y, 28, 248, kEffectListTop, kLightingEffectCount));
        return effectHoverRow_ != kNoRow;
    }
    if (responseListOpen_) {
        responseHoverRow_ =
            toRow(listRow(x, y, 27, 247, layout().responseListTop(), kResponseTimeCount));
        return responseHoverRow_ != kNoRow;
    }
    return false;
}

bool SettingsPanel::onSliderMoved(SliderId id) {
    const int position = sliders_.position(id);
    int& last = lastSliderPosition_[sliderIndex(id)];
    if (position == last)
        return false;
    last = position;
    sliderField(settings_, id) = static_cast<std::uint8_t>(position);
    return true;
}

void SettingsPanel::syncSlidersFromSettings() {
    for (SliderId id : {SliderId::Brightness, SliderId::Speed, SliderId::ReportRate})
        sliders_.setPosition(id, sliderField(settings_, id));
}

void SettingsPanel::collapseAllSections() {
    lightingCollapsed_ = gameCollapsed_ = responseCollapsed_ = reportCollapsed_ = true;
}

void SettingsPanel::hideSpeedAndBrightness() {
    sliders_.setVisible(SliderId::Speed, false);
    sliders_.setVisible(SliderId::Brightness, false);
}

void SettingsPanel::drawSlider(SliderId id, Canvas& canvas) {
    sliderField(settings_, id) = static_cast<std::uint8_t>(sliders_.position(id));
    sliders_.draw(id, canvas);
}

void SettingsPanel::paint(Canvas& canvas) {
    const PanelLayout l = layout();
    image(canvas, "itemBK.png", 19, kLightingHeaderTop);
    caption(canvas, "灯光", 19, kLightingHeaderTop, 15);
    if (lightingCollapsed_)
        hideSpeedAndBrightness();
    else
        paintLighting(canvas);

    image(canvas, "MacroManagementBK.png", 19, l.macroTop);
    image(canvas, "MacroButton3.png", 19, l.macroTop + 10);
    caption(canvas, "宏管理器", 21, l.macroTop + 12, 15);

    paintGame(canvas, l.gameTop);
    paintResponse(canvas, l.responseTop);
    paintReport(canvas, l.reportTop);
    if (effectListOpen_)
        paintEffectList(canvas);
    if (responseListOpen_)
        paintResponseList(canvas, l.responseListTop());
}

void SettingsPanel::paintLighting(Canvas& canvas) {
    const std::uint8_t effect = settings_.lightEffect;
    image(canvas, "LEDEffect_open.png", 19, 130);
    caption(canvas, "效果", 28, 137, 15);
    image(canvas, "Light_Item.png", 28, 158);

    if (effect == kEffectSteady || effect >= 50) {
        sliders_.setVisible(SliderId::Speed, false);
    } else {
        image(canvas, "freq.png", 19, 245);
        drawSlider(SliderId::Speed, canvas);
        if (!effectListOpen_) {
            sliders_.setVisible(SliderId::Speed, true);
            caption(canvas, "频率", 28, 290, 13);
            caption(canvas, "慢", 28, 317, 13);
            caption(canvas, "快", 230, 317, 13);
        }
    }

    caption(canvas, "亮度", 28, 247, 13);
    caption(canvas, "暗", 28, 274, 13);
    caption(canvas, "亮", 230, 274, 13);
    if (effectListOpen_) {
        sliders_.setVisible(SliderId::Brightness, false);
    } else {
        sliders_.setVisible(SliderId::Brightness, true);
        drawSlider(SliderId::Brightness, canvas);
    }

    if (!isCustomEffect(effect))
        paintColourSwatches(canvas);
    paintDirectionOrViewSwitch(canvas);
    if (auto name = lightingEffectCaption(effect))
        caption(canvas, std::string(*name), 28, 158, 14);
}

void SettingsPanel::paintColourSwatches(Canvas& canvas) {
    const std::uint8_t effect = settings_.lightEffect;
    if (effect != kEffectSteady)
        image(canvas, "8.png", 203, kSwatchTop);
    if (settings_.lightColour > kAllColours)
        settings_.lightColour = kAllColours;
    if (settings_.lightColour == 0)
        settings_.lightColour = 1;
    const bool greyed = usesAllColours(effect);
    for (int k = 0; k < 7; ++k) {
        const Colour colour = greyed
                                  ? kGreyedSwatch
                                  : Colour{settings_.palette[3 * k], settings_.palette[3 * k + 1],
                                           settings_.palette[3 * k + 2]};
        canvas.fillRect(swatchRect(k), colour);
    }
    if (greyed)
        settings_.lightColour = kAllColours;
    const int left = 26 + 25 * (settings_.lightColour - 1);
    canvas.outlineRect(Rect{left, 221, left + 24, 245}, kWhite);
}

void SettingsPanel::paintDirectionOrViewSwitch(Canvas& canvas) {
    const std::uint8_t effect = settings_.lightEffect;
    if (hasDirection(effect)) {
        caption(canvas, "方向", 29, 177, 15);
        image(canvas, "Direction-T-Disable.png", 29, 197);
        image(canvas, "Direction-B-Disable.png", 79, 197);
        image(canvas, "Direction-R-Disable.png", 129, 197);
        image(canvas, "Direction-L-Disable.png", 179, 197);
        switch (settings_.lightDirection) {
        case 1:
            image(canvas, "Direction-L-Enable.png", 179, 197);
            break;
        case 2:
            image(canvas, "Direction-R-Enable.png", 129, 197);
            break;
        case 3:
            image(canvas, "Direction-T-Enable.png", 29, 197);
            break;
        case 4:
            image(canvas, "Direction-B-Enable.png", 79, 197);
            break;
        default:
            break;
        }
    } else if (isCustomEffect(effect)) {
        const bool diy = keyboardView_.diyView();
        statusMark(canvas, !diy, 28, 199);
        statusMark(canvas, diy, 130, 199);
        caption(canvas, "Keymap", 45, 197, 15);
        caption(canvas, "DIY", 147, 197, 15);
    }
}

void SettingsPanel::paintGame(Canvas& canvas, int top) {
    if (gameCollapsed_) {
        image(canvas, "gamemode_Close.png", 19, top);
        caption(canvas, "游戏模式", 19, top, 15);
        caption(canvas, "Win Lock模式", 149, top, 15);
        return;
    }
    image(canvas, "gamemode_open.png", 19, top);
    caption(canvas, "游戏模式", 19, top, 15);
    statusMark(canvas, settings_.gameMode == 1, 34, top + 33);
    statusMark(canvas, settings_.gameMode == 0, 88, top + 33);
    caption(canvas, "开启", 51, top + 31, 15);
    caption(canvas, "关闭", 105, top + 31, 15);
    caption(canvas, "Win Lock模式", 149, top, 15);
    statusMark(canvas, settings_.winLock == 1, 164, top + 33);
    statusMark(canvas, settings_.winLock == 0, 218, top + 33);
    caption(canvas, "开启", 181, top + 31, 15);
    caption(canvas, "关闭", 235, top + 31, 15);
}

void SettingsPanel::paintResponse(Canvas& canvas, int top) {
    image(canvas, responseCollapsed_ ? "responsetime_close.png" : "responsetime_open.png", 19, top);
    caption(canvas, "按键响应时间", 19, top, 15);
    if (responseCollapsed_)
        return;
    image(canvas, "Light_Item.png", 28, top + 28);
    char text[16];
    std::snprintf(text, sizeof text, "%d ms", settings_.responseTime * 2);
    caption(canvas, text, 100, top + 28, 15);
}

void SettingsPanel::paintReport(Canvas& canvas, int top) {
    image(canvas, reportCollapsed_ ? "reportrate_Close.png" : "reportrate_Open.png", 19, top);
    caption(canvas, "USB报告率", 19, top, 15);
    if (reportCollapsed_) {
        sliders_.setVisible(SliderId::ReportRate, false);
        return;
    }
    if (reportSliderTop_ != top) {
        sliders_.moveTo(SliderId::ReportRate, 28, top + 23);
        reportSliderTop_ = top;
    }
    drawSlider(SliderId::ReportRate, canvas);
    sliders_.setVisible(SliderId::ReportRate, true);
}

void SettingsPanel::paintEffectList(Canvas& canvas) {
    hideSpeedAndBrightness();
    for (std::size_t r = 0; r < kLightingEffectCount; ++r) {
        const int top = kEffectListTop + kListRowHeight * static_cast<int>(r);
        canvas.fillRect(Rect{28, top, 248, top + kListRowHeight},
                        r == effectHoverRow_ ? kListRowHovered : kListRow);
        caption(canvas, std::string(lightingEffects[r].caption), 28, top, 18,
                kListCaptionBackground);
    }
}

void SettingsPanel::paintResponseList(Canvas& canvas, int listTop) {
    hideSpeedAndBrightness();
    for (std::size_t r = 0; r < kResponseTimeCount; ++r) {
        const int top = listTop + kListRowHeight * static_cast<int>(r);
        canvas.fillRect(Rect{27, top, 247, top + kListRowHeight},
                        r == responseHoverRow_ ? kListRowHovered : kListRow);
        caption(canvas, std::string(responseTimeCaptions[r]), 97, top, 18, kListCaptionBackground);
    }
}

} // namespace talvex
