#pragma once
// Where the key dialog's parts sit and what they show: click areas, skin images and captions, in
// pixels of its 325 x 278 background. The logic hit-tests these areas and the painter draws
// them, so a part moves in one place.

#include "controls/canvas.h"
#include "platform/ui_text.h"

#include <array>
#include <cstddef>
#include <iterator>

namespace talvex {

enum class KeyMapPage { Keys, Macro, Function, Advanced };
inline constexpr int kKeyMapPageCount = 4;

enum class KeyMapButton {
    Close,
    TabKeys,
    TabMacro,
    TabFunction,
    TabAdvanced,
    DisableSwitch,
    Restore,
    Cancel,
    Save
};

inline constexpr SkinFolder kKeyMapSkin = SkinFolder::Custom;
inline constexpr const char* kKeyMapBackground = "Custom_BK.png";
inline constexpr Rect kKeyMapBounds{0, 0, 325, 278}; // exclusive, as drawn

inline constexpr int kKeyMapCaptionHeight = 14;
inline constexpr Colour kKeyMapLitText{255, 255, 255};
inline constexpr Colour kKeyMapDimText{192, 192, 192};

// A caption's cell starts at (x, y) inside the area it names, and its text must end before the
// area's right edge.
struct KeyMapCaption {
    const char* text;
    int x, y;
    Rect area;
};

constexpr int captionAreaWidth(const KeyMapCaption& caption) {
    return caption.area.right - caption.x;
}

struct KeyMapButtonArea {
    KeyMapButton button;
    Rect rect;          // inclusive, as clicked
    const char* normal; // image
    const char* over;   // under the mouse; for the switch: switched on
};

// clang-format off
inline constexpr KeyMapButtonArea kKeyMapButtons[] = {
    {KeyMapButton::Close, {303, 2, 318, 17}, "button-close-normal.png", "button-close-over.png"},
    {KeyMapButton::TabKeys, {0, 31, 81, 57}, "large_button.png", "large_button.png"},
    {KeyMapButton::TabMacro, {81, 31, 162, 57}, "large_button.png", "large_button.png"},
    {KeyMapButton::TabFunction, {162, 31, 243, 57}, "large_button.png", "large_button.png"},
    {KeyMapButton::TabAdvanced, {243, 31, 324, 57}, "large_button.png", "large_button.png"},
    {KeyMapButton::DisableSwitch, {19, 251, 29, 260}, "Disable.png", "Enable.png"},
    {KeyMapButton::Restore, {156, 246, 197, 268}, "button-cancel-normal.png", "button-cancel-over.png"},
    {KeyMapButton::Cancel, {210, 246, 251, 268}, "button-cancel-normal.png", "button-cancel-over.png"},
    {KeyMapButton::Save, {264, 246, 305, 268}, "button-save-normal.png", "button-save-over.png"},
};
// clang-format on

constexpr bool buttonsInEnumOrder() {
    for (std::size_t i = 0; i < std::size(kKeyMapButtons); ++i)
        if (static_cast<std::size_t>(kKeyMapButtons[i].button) != i)
            return false;
    return true;
}
static_assert(buttonsInEnumOrder());

constexpr const KeyMapButtonArea& keyMapButtonArea(KeyMapButton button) {
    return kKeyMapButtons[static_cast<std::size_t>(button)];
}

// The switch is small, so it takes clicks a little around it too.
inline constexpr int kSwitchSlack = 5;

struct KeyMapButtonCaption {
    KeyMapButton button;
    KeyMapCaption caption;
};
inline constexpr KeyMapButtonCaption kKeyMapButtonCaptions[] = {
    {KeyMapButton::DisableSwitch, {TALVEX_TEXT("禁用按键"), 34, 249, {30, 246, 150, 268}}},
    {KeyMapButton::Restore, {TALVEX_TEXT("初始值"), 158, 248, {156, 246, 197, 268}}},
    {KeyMapButton::Cancel, {TALVEX_TEXT("取消"), 218, 248, {210, 246, 251, 268}}},
    {KeyMapButton::Save, {TALVEX_TEXT("保存"), 272, 248, {264, 246, 305, 268}}},
};

// The caption is followed by the selected key's name.
inline constexpr KeyMapCaption kKeyMapTitle{TALVEX_TEXT("当前按键：%1"), 2, 2, {0, 0, 302, 17}};

// One per page, in KeyMapPage order; the marker image sits above the current one.
struct KeyMapTab {
    KeyMapCaption caption;
    int markerX;
};
inline constexpr std::array<KeyMapTab, kKeyMapPageCount> kKeyMapTabs{{
    {{TALVEX_TEXT("单键/组合键"), 6, 39, {0, 31, 81, 57}}, 35},
    {{TALVEX_TEXT("宏"), 115, 39, {81, 31, 162, 57}}, 115},
    {{TALVEX_TEXT("基本功能"), 182, 39, {162, 31, 243, 57}}, 200},
    {{TALVEX_TEXT("高级功能"), 259, 39, {243, 31, 324, 57}}, 280},
}};
inline constexpr const char* kTabMarkerImage = "cursor.png";
inline constexpr int kTabMarkerY = 30;

// The panel below the tabs that the pages draw on.
inline constexpr Rect kPagePanel{15, 66, 311, 184};

inline constexpr KeyMapCaption kKeyPageCaptions[] = {{TALVEX_TEXT("单键"), 20, 69, kPagePanel},
                                                     {TALVEX_TEXT("组合键"), 20, 119, kPagePanel}};

// The advanced page: one row per host action kind, in HostActionKind order.
inline constexpr int kAdvancedRows = 4;
inline constexpr int kRowPitch = 30;
inline constexpr const char* kAdvancedPanelImage = "Macro_BK.png";
inline constexpr std::array<const char*, kAdvancedRows> kRowCaptions = {
    TALVEX_TEXT("播放声音"), TALVEX_TEXT("启动程序"), TALVEX_TEXT("打开文件"),
    TALVEX_TEXT("打开目录")};
inline constexpr const char* kSelectorImage = "disable.png";
inline constexpr const char* kSelectorOnImage = "enable.png";
inline constexpr const char* kSelectorOffImage = "Disable.png";
inline constexpr const char* kPathBoxImage = "Advanced.png";
inline constexpr int kPathBoxImageX = 85;
inline constexpr const char* kBrowseImage = "view.png";
inline constexpr const char* kBrowseOverImage = "view02.png";
inline constexpr const char* kBrowseCaption = TALVEX_TEXT("浏览…");
inline constexpr int kBrowseCaptionInset = 5; // nearly centred in Chinese, room for "Browse"
inline constexpr int kBrowseCaptionHeight = 11;
inline constexpr int kPathCaptionX = 85;
inline constexpr int kPathCaptionY = 69;      // of row 0
inline constexpr int kPathCaptionWidth = 157; // up to the path box's right border

constexpr Rect selectorRect(int row) {
    return {15, 72 + kRowPitch * row, 25, 81 + kRowPitch * row};
}
// A row's caption, which may run up to the path box.
constexpr Rect labelRect(int row) {
    return {30, 69 + kRowPitch * row, 82, 84 + kRowPitch * row};
}
constexpr Rect pathBoxRect(int row) {
    return {83, 68 + kRowPitch * row, 243, 83 + kRowPitch * row};
}
constexpr Rect browseRect(int row) {
    return {256, 68 + kRowPitch * row, 302, 83 + kRowPitch * row};
}

} // namespace talvex
