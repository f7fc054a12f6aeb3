#pragma once
// The left column of the main window: collapsible sections for lighting (effect, colour,
// direction, speed, brightness, key-map/DIY switch), the macro manager button, game mode and
// Windows-key lock, key response time and USB report rate. Every control edits the working
// settings or a view flag; nothing reaches the keyboard before the user saves.

#include "controls/canvas.h"
#include "device/device_settings.h"
#include "mainwindow/keyboard_view.h"
#include "mainwindow/panel_layout.h"
#include "mainwindow/panel_sliders.h"
#include "platform/prompts.h"

#include <array>
#include <cstdint>
#include <optional>

namespace talvex {

enum class PanelArea {
    LightingHeader,
    EffectBox,
    DirectionTop,    // 1st direction button
    DirectionBottom, // 2nd
    DirectionRight,  // 3rd
    DirectionLeft,   // 4th
    Swatch0,         // Swatch0 + k for palette colour k; Swatch7 is "all colours"
    Swatch1,
    Swatch2,
    Swatch3,
    Swatch4,
    Swatch5,
    Swatch6,
    Swatch7,
    KeymapSwitch,
    DiySwitch,
    MacroButton,
    GameHeader,
    GameOn,
    GameOff,
    LockOn,
    LockOff,
    ResponseHeader,
    ResponseBox,
    ReportHeader,
};

inline constexpr std::uint8_t kNoRow = 255;

class SettingsPanel {
public:
    SettingsPanel(DeviceSettings& workingSettings, KeyboardView& keyboardView,
                  PanelSliders& sliders, Prompts& prompts);

    PanelLayout layout() const {
        return PanelLayout::compute(lightingCollapsed_, responseCollapsed_);
    }

    // The panel's areas under the point, tried in the main window's order.
    std::optional<PanelArea> hitTest(int x, int y) const;
    // The macro button's command belongs to the main window; here it does nothing.
    void onAreaClick(PanelArea area);

    bool listOpen() const { return effectListOpen_ || responseListOpen_; }
    // Where the open list and its backdrop are; none while no list is open.
    std::optional<ListPlacement> openList() const;
    // A click while a list is open picks the row under it, if any, and closes the list.
    void onListClick(int x, int y);
    // Updates the open list's hovered row; true when a row is hovered.
    bool onListMouseMove(int x, int y);

    // A slider reported a move; true when its position changed and the panel must redraw.
    bool onSliderMoved(SliderId id);
    // The working settings were replaced as a whole: the sliders follow them.
    void syncSlidersFromSettings();
    void collapseAllSections();

    // Before every paint: brings an out-of-range colour selection back into range where the
    // swatches show it, stores the shown sliders' positions into their fields, and shows, hides
    // and places the sliders for the sections as they are.
    void normalise();
    void paint(Canvas& canvas) const;

    bool lightingCollapsed() const { return lightingCollapsed_; }
    bool gameCollapsed() const { return gameCollapsed_; }
    bool responseCollapsed() const { return responseCollapsed_; }
    bool reportCollapsed() const { return reportCollapsed_; }
    bool effectListOpen() const { return effectListOpen_; }
    bool responseListOpen() const { return responseListOpen_; }
    std::uint8_t effectHoverRow() const { return effectHoverRow_; }
    std::uint8_t responseHoverRow() const { return responseHoverRow_; }

private:
    void selectSwatch(int k);
    void chooseEffectRow(int row);
    void hideSpeedAndBrightness();
    // Whether the section of the slider shows it. The widget is visible and drawn only when,
    // besides, no list is open: the list's backdrop covers it, and a slider left visible there
    // would take the clicks meant for the list.
    bool speedShown() const;
    bool brightnessShown() const;
    bool sliderVisible(SliderId id) const;

    void paintLighting(Canvas& canvas) const;
    void paintColourSwatches(Canvas& canvas) const;
    void paintDirectionOrViewSwitch(Canvas& canvas) const;
    void paintGame(Canvas& canvas, int top) const;
    void paintResponse(Canvas& canvas, int top) const;
    void paintReport(Canvas& canvas, int top) const;
    void paintOpenList(Canvas& canvas) const;

    DeviceSettings& settings_;
    KeyboardView& keyboardView_;
    PanelSliders& sliders_;
    Prompts& prompts_;

    bool lightingCollapsed_ = true;
    bool gameCollapsed_ = true;
    bool responseCollapsed_ = true;
    bool reportCollapsed_ = true;
    bool effectListOpen_ = false;
    bool responseListOpen_ = false;
    std::uint8_t effectHoverRow_ = kNoRow;
    std::uint8_t responseHoverRow_ = kNoRow;
    std::optional<int> reportSliderTop_;
    // Last position seen per slider (speed, brightness, report rate).
    std::array<int, 3> lastSliderPosition_{};
};

} // namespace talvex
