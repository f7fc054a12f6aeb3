#pragma once
// Where the collapsible sections of the settings panel sit. Expanding the lighting section
// pushes everything below it down; expanding the response section pushes the report section.

#include "controls/canvas.h"

namespace talvex {

struct PanelLayout {
    int macroTop;    // yM
    int gameTop;     // yG
    int responseTop; // yR
    int reportTop;   // yP
    int responseListTop() const { return responseTop - 173; }

    static PanelLayout compute(bool lightingCollapsed, bool responseCollapsed) {
        const int a = lightingCollapsed ? 30 : 225;
        const int responseTop = a + 220;
        return PanelLayout{a + 110, a + 165, responseTop,
                           responseTop + (responseCollapsed ? 40 : 75)};
    }
};

inline constexpr int kLightingHeaderTop = 110;
inline constexpr int kListRowHeight = 20;
inline constexpr int kEffectListTop = 173;
inline constexpr int kSwatchTop = 223;

// Swatch k, 0..6 for the palette colours and 7 for all colours at once.
inline Rect swatchRect(int k) {
    return Rect{28 + 25 * k, kSwatchTop, 48 + 25 * k, kSwatchTop + 20};
}

} // namespace talvex
