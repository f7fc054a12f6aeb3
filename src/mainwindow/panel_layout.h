#pragma once
// Where the collapsible sections of the settings panel sit. Expanding the lighting section
// pushes everything below it down; expanding the response section pushes the report section.

#include "controls/canvas.h"

#include <algorithm>

namespace talvex {

struct PanelLayout {
    int macroTop;    // yM
    int gameTop;     // yG
    int responseTop; // yR
    int reportTop;   // yP

    static PanelLayout compute(bool lightingCollapsed, bool responseCollapsed) {
        const int a = lightingCollapsed ? 30 : 225;
        const int responseTop = a + 220;
        return PanelLayout{a + 110, a + 165, responseTop,
                           responseTop + (responseCollapsed ? 40 : 75)};
    }
};

inline constexpr int kLightingHeaderTop = 110;
inline constexpr int kListRowHeight = 20;
inline constexpr int kEffectBoxTop = 158;
inline constexpr int kBoxHeight = 17; // "Light_Item.png"
inline constexpr int kSwatchTop = 223;
// Inside the settings column's rounded edge: where an open list and its backdrop may go.
inline constexpr Rect kColumnInside{16, 106, 265, 590};

struct ListPlacement {
    Rect rows; // kListRowHeight each
    // Everything of the column beneath the list, from its box to the column's end the list runs
    // towards, so no section is left half covered.
    Rect backdrop;
};

// A list of a box at boxTop drops down from under the box when it fits inside the column, else
// it opens upwards and ends on the box.
inline ListPlacement placeList(int boxTop, int rowCount, int left, int right) {
    const int height = rowCount * kListRowHeight;
    const int below = boxTop + kBoxHeight;
    if (below + height <= kColumnInside.bottom)
        return {Rect{left, below, right, below + height},
                Rect{kColumnInside.left, below, kColumnInside.right, kColumnInside.bottom}};
    const int top = std::max(kColumnInside.top, boxTop - height);
    return {Rect{left, top, right, top + height},
            Rect{kColumnInside.left, kColumnInside.top, kColumnInside.right, top + height}};
}

// Swatch k, 0..6 for the palette colours and 7 for all colours at once.
inline Rect swatchRect(int k) {
    return Rect{28 + 25 * k, kSwatchTop, 48 + 25 * k, kSwatchTop + 20};
}

} // namespace talvex
