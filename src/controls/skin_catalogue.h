#pragma once
// Every image that the skinned windows draw, with its size in pixels. The skin generator paints
// exactly these files and the tests hold the generated skin against this one table, so a window
// can never name an image that does not ship or has the wrong size for its place.

#include "controls/canvas.h"

#include <span>
#include <string>
#include <string_view>

namespace talvex {

struct SkinImageEntry {
    // "png/..." below the program folder, or a resource path ":/bitmaps/...", ":/icons/...".
    std::string_view path;
    int width = 0;
    int height = 0;
};

std::span<const SkinImageEntry> skinImages();

// Where a window's image lives: "png/Config/New.png" or ":/bitmaps/139.png".
std::string skinImagePath(SkinFolder folder, std::string_view file);

// The table entry for a path; file names match without regard to case, as the windows name
// some files in two spellings ("kb_BK.png", "kb_bk.png"). Null when the path is not listed.
const SkinImageEntry* findSkinImage(std::string_view path);

} // namespace talvex
