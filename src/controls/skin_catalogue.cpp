#include "controls/skin_catalogue.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace talvex {

namespace {

// Sizes follow the places the windows give the images: each covers the click rectangle or
// the area of its window that it stands for.
constexpr std::array kSkinImages = std::to_array<SkinImageEntry>({
    // Main window.
    {"png/main.png", 1000, 640},
    {"png/logo.png", 243, 68},
    {"png/kb_BK.png", 600, 258},
    {"png/kb_hl.png", 600, 258},
    {"png/Config.png", 74, 32},
    {"png/legend-default.png", 14, 14},
    {"png/legend-modified.png", 14, 14},
    {"png/help-web.png", 13, 13},
    {"png/help-update.png", 13, 13},
    {"png/help-version.png", 13, 13},
    {"png/button-help-normal.png", 17, 16},
    {"png/button-min-normal.png", 17, 16},
    {"png/button-close-normal.png", 17, 16},
    {"png/button-cancel-normal.png", 57, 31},
    {"png/button-save-normal.png", 57, 31},
    {"png/button-disabled.png", 57, 31},
    {"png/itemBK.png", 243, 21},
    {"png/itemBK_close.png", 243, 21},
    {"png/LEDEffect_open.png", 243, 200},
    {"png/Light_Item.png", 221, 17},
    {"png/freq.png", 243, 85},
    {"png/8.png", 20, 20},
    {"png/Direction-T-Disable.png", 36, 16},
    {"png/Direction-B-Disable.png", 36, 16},
    {"png/Direction-R-Disable.png", 36, 16},
    {"png/Direction-L-Disable.png", 36, 16},
    {"png/Direction-T-Enable.png", 36, 16},
    {"png/Direction-B-Enable.png", 36, 16},
    {"png/Direction-R-Enable.png", 36, 16},
    {"png/Direction-L-Enable.png", 36, 16},
    {"png/Enable.png", 13, 13},
    {"png/Disable.png", 13, 13},
    {"png/MacroManagementBK.png", 243, 52},
    {"png/MacroButton3.png", 241, 19},
    {"png/gamemode_Close.png", 243, 21},
    {"png/gamemode_open.png", 243, 52},
    {"png/responsetime_close.png", 243, 21},
    {"png/responsetime_open.png", 243, 52},
    {"png/reportrate_Close.png", 243, 21},
    {"png/reportrate_Open.png", 243, 46},
    {"png/Thumb.png", 15, 14},
    {"png/SplashScreen.png", 480, 270},
    // Profile manager.
    {"png/Config/Config.png", 264, 606},
    {"png/Config/New.png", 67, 26},
    {"png/Config/Delete.png", 67, 26},
    {"png/Config/button-close-normal.png", 16, 15},
    // Key assignment dialog.
    {"png/Custom/Custom_BK.png", 325, 278},
    {"png/Custom/button-close-normal.png", 16, 16},
    {"png/Custom/button-close-over.png", 16, 16},
    {"png/Custom/large_button.png", 82, 27},
    {"png/Custom/cursor.png", 11, 4},
    {"png/Custom/Enable.png", 11, 10},
    {"png/Custom/Disable.png", 11, 10},
    {"png/Custom/button-cancel-normal.png", 42, 23},
    {"png/Custom/button-cancel-over.png", 42, 23},
    {"png/Custom/button-save-normal.png", 42, 23},
    {"png/Custom/button-save-over.png", 42, 23},
    {"png/Custom/Macro_BK.png", 296, 118},
    {"png/Custom/Advanced.png", 158, 16},
    {"png/Custom/view.png", 47, 16},
    {"png/Custom/view02.png", 47, 16},
    // Macro manager.
    {"png/MacroManagement/MacroManagement.png", 410, 436},
    {"png/MacroManagement/Record-normal.png", 90, 25},
    {"png/MacroManagement/Record-over.png", 90, 25},
    {"png/MacroManagement/Record-leave.png", 90, 25},
    {"png/MacroManagement/Pane.png", 15, 15},
    {"png/MacroManagement/PaneMakingTick.png", 15, 15},
    {"png/MacroManagement/button-new-normal.png", 58, 25},
    {"png/MacroManagement/button-new-over.png", 58, 25},
    {"png/MacroManagement/button-new-leave.png", 58, 25},
    // Bitmaps built into the program.
    {":/bitmaps/139.png", 220, 17},
    {":/bitmaps/140.png", 220, 17},
    {":/bitmaps/141.png", 15, 14},
    {":/bitmaps/145.png", 127, 305},
    {":/bitmaps/131.png", 10, 14},
    {":/bitmaps/138.png", 10, 14},
    {":/bitmaps/137.png", 14, 14},
    {":/bitmaps/133.png", 9, 9},
    {":/bitmaps/134.png", 9, 9},
    // The application icon, in the sizes that desktops ask for.
    {":/icons/154.png", 64, 64},
    {":/icons/154-16.png", 16, 16},
    {":/icons/154-24.png", 24, 24},
    {":/icons/154-32.png", 32, 32},
    {":/icons/154-48.png", 48, 48},
    {":/icons/154-64.png", 64, 64},
    {":/icons/154-128.png", 128, 128},
    {":/icons/154-256.png", 256, 256},
});

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

std::span<const SkinImageEntry> skinImages() {
    return kSkinImages;
}

std::string skinImagePath(SkinFolder folder, std::string_view file) {
    std::string path;
    switch (folder) {
    case SkinFolder::Main:
        path = "png/";
        break;
    case SkinFolder::Config:
        path = "png/Config/";
        break;
    case SkinFolder::Custom:
        path = "png/Custom/";
        break;
    case SkinFolder::MacroManagement:
        path = "png/MacroManagement/";
        break;
    case SkinFolder::Bitmaps:
        path = ":/bitmaps/";
        break;
    }
    path += file;
    return path;
}

const SkinImageEntry* findSkinImage(std::string_view path) {
    auto it =
        std::find_if(kSkinImages.begin(), kSkinImages.end(), [&](const SkinImageEntry& entry) {
            return equalIgnoringCase(entry.path, path);
        });
    return it == kSkinImages.end() ? nullptr : &*it;
}

} // namespace talvex
