#pragma once
// How wide each fixed caption of the main window may run, from its own x: the image or control
// it labels, or for a free caption the space up to the next thing drawn or the window's edge.
// The painters pass these as CaptionStyle::areaWidth. Captions whose area is already data
// elsewhere take it from there: key labels (key_geometry), list rows (the list's rectangle), the
// help panel, the keyboard heading, the profile line and the slider and section values.

namespace talvex {

struct MainWindowCaptionAreas {
    // Title bar: the dot up to the status text, the status up to the help button.
    int statusDot = 14;
    int status = 850;
    // Under the keyboard case: the hint or outcome up to the window's edge, the progress text up
    // to its bar.
    int activityLine = 672;
    int progress = 200;
    // Bottom bar: the profile button and the three buttons on the right.
    int profilesButton = 46;
    int bottomButton = 47;
    // Settings column (images 243 wide from x 19).
    int lightingTitle = 228; // up to the header's chevron
    int valuedTitle = 181;   // up to the section's value in the header
    int macroButton = 223;   // up to the button's chevron
    int heading = 233;       // 效果, 方向, 亮度, 频率: up to the column's edge
    int effectName = 201;    // up to the effect box's drop-down button
    int sliderLow = 202;     // 暗, 慢: up to the high end's caption
    int sliderHigh = 22;     // 亮, 快: up to the slider's value
    int keymapChoice = 85;   // up to the DIY mark
    int diyChoice = 115;     // up to the column's edge
    int gameTitle = 130;     // up to the Win Lock title
    int winLockTitle = 98;   // up to the header's chevron
    int onChoice = 37;       // 开启: up to the 关闭 mark
    int gameOffChoice = 38;  // 关闭 of the game mode: up to the section's divider
    int lockOffChoice = 27;  // 关闭 of the Win Lock: up to the column's edge
    int responseValue = 129; // the response box, up to its drop-down button
};

inline constexpr MainWindowCaptionAreas kCaptionAreas{};

} // namespace talvex
