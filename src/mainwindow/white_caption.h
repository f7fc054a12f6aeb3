#pragma once
// The main window writes nearly every caption in white; only the background colour it names
// differs (it has no visible effect, captions are drawn transparent).

#include "controls/canvas.h"

#include <string>

namespace talvex {

inline void drawWhiteCaption(Canvas& canvas, const std::string& text, int x, int y, int height,
                             Colour background) {
    CaptionStyle style;
    style.height = height;
    style.text = Colour{255, 255, 255};
    style.background = background;
    canvas.drawCaption(text, x, y, style);
}

} // namespace talvex
