#include "mainwindow/settings_panel.h"

#include "mainwindow/area_table.h"
#include "mainwindow/lighting_effects.h"

namespace talvex {

namespace {

constexpr int kResponseBoxOffset = 28;

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
constexpr AreaRect<PanelArea> kResponseBoxArea[] = {
    {PanelArea::ResponseBox, {28, kResponseBoxOffset, 248, kResponseBoxOffset + 16}}};
constexpr AreaRect<PanelArea> kResponseHeaderArea[] = {
    {PanelArea::ResponseHeader, {19, 0, 261, 20}}};
constexpr AreaRect<PanelArea> kReportHeaderArea[] = {{PanelArea::ReportHeader, {19, 0, 261, 20}}};

// The list row under a point: x inclusive on both sides, y from the first row's top up to (not
// including) the bottom of the last row.
std::optional<int> listRow(int x, int y, const Rect& rows) {
    if (x < rows.left || x > rows.right || y < rows.top || y >= rows.bottom)
        return std::nullopt;
    return (y - rows.top) / kListRowHeight;
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

std::optional<ListPlacement> SettingsPanel::openList() const {
    if (effectListOpen_)
        return placeList(kEffectBoxTop, kLightingEffectCount, 28, 248);
    if (responseListOpen_)
        return placeList(layout().responseTop + kResponseBoxOffset, kResponseTimeCount, 27, 247);
    return std::nullopt;
}

void SettingsPanel::onListClick(int x, int y) {
    if (const auto list = openList()) {
        if (const auto row = listRow(x, y, list->rows)) {
            if (effectListOpen_) {
                chooseEffectRow(*row);
            } else {
                responseHoverRow_ = static_cast<std::uint8_t>(*row);
                settings_.responseTime = static_cast<std::uint8_t>(*row + 1);
            }
        }
    }
    effectListOpen_ = false;
    responseListOpen_ = false;
}

bool SettingsPanel::onListMouseMove(int x, int y) {
    const auto list = openList();
    if (!list)
        return false;
    const auto row = listRow(x, y, list->rows);
    std::uint8_t& hovered = effectListOpen_ ? effectHoverRow_ : responseHoverRow_;
    hovered = row ? static_cast<std::uint8_t>(*row) : kNoRow;
    return row.has_value();
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

bool SettingsPanel::speedShown() const {
    const std::uint8_t effect = settings_.lightEffect;
    return !lightingCollapsed_ && effect != kEffectSteady && effect < 50;
}

bool SettingsPanel::brightnessShown() const {
    return !lightingCollapsed_ && !effectListOpen_;
}

bool SettingsPanel::sliderVisible(SliderId id) const {
    if (listOpen())
        return false;
    switch (id) {
    case SliderId::Speed:
        return speedShown();
    case SliderId::Brightness:
        return brightnessShown();
    case SliderId::ReportRate:
        break;
    }
    return !reportCollapsed_;
}

void SettingsPanel::normalise() {
    const std::uint8_t effect = settings_.lightEffect;
    // Only the colour swatches show the selection, so it is brought back into range only
    // where they are drawn; a hidden one reaches the keyboard as it was.
    if (!lightingCollapsed_ && !isCustomEffect(effect)) {
        std::uint8_t& colour = settings_.lightColour;
        if (colour > kAllColours || usesAllColours(effect))
            colour = kAllColours;
        if (colour == 0)
            colour = 1;
    }
    // A shown slider is what the user sees, so its field follows it; a hidden one keeps its
    // field as the settings had it.
    const bool shown[] = {speedShown(), brightnessShown(), !reportCollapsed_};
    for (SliderId id : {SliderId::Speed, SliderId::Brightness, SliderId::ReportRate})
        if (shown[sliderIndex(id)])
            sliderField(settings_, id) = static_cast<std::uint8_t>(sliders_.position(id));

    const int reportTop = layout().reportTop;
    if (!reportCollapsed_ && reportSliderTop_ != reportTop) {
        sliders_.moveTo(SliderId::ReportRate, 28, reportTop + 23);
        reportSliderTop_ = reportTop;
    }
    for (SliderId id : {SliderId::Speed, SliderId::Brightness, SliderId::ReportRate})
        sliders_.setVisible(id, sliderVisible(id));
}

} // namespace talvex
