#pragma once
// Where each of the 108 key positions sits in the keyboard picture, and where its label goes.
// The skin generator draws the keycaps of "kb_BK.png" and "kb_hl.png" on exactly these
// rectangles, so the picture and the hit test can never disagree.

#include "controls/canvas.h"
#include "keys/key_positions.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace talvex {

// Top-left corner of the keyboard picture in main-window coordinates; every rectangle of
// keyGeometry is relative to it.
inline constexpr int kKeyboardPictureX = 328;
inline constexpr int kKeyboardPictureY = 188;

struct KeyGeometry {
    std::string_view label; // empty for a position that this keyboard lacks
    Rect rect;              // relative to the picture origin; all zero for an empty position
    int labelX = 0;         // top-left corner of the label, relative to the picture origin
    int labelY = 0;

    bool isEmpty() const { return label.empty(); }
};

// Indexed by key position: rows of the picture from the top, each row from left to right.
extern const std::array<KeyGeometry, kKeyPositionCount> keyGeometry;

// The key rectangle of a position moved into main-window coordinates.
Rect keyRectOnWindow(std::size_t position);

} // namespace talvex
