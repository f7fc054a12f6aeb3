#pragma once
// The drawing vocabulary of the skinned windows. Window logic paints through this interface;
// QtCanvas draws with QPainter, RecordingCanvas records the calls for tests.

#include <cstdint>
#include <string>

namespace talvex {

struct Colour {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Colour&) const = default;
};

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0; // right and bottom exclusive for drawing
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    // Click rectangles include all four edges.
    bool containsInclusive(int x, int y) const {
        return x >= left && x <= right && y >= top && y <= bottom;
    }
    bool operator==(const Rect&) const = default;
};

// The skin folders below the program folder's "png/", and the bitmaps built into the program
// (":/bitmaps/": slider tracks and thumb, list background, arrows, tree glyphs).
enum class SkinFolder { Main, Config, Custom, MacroManagement, Bitmaps };

struct CaptionStyle {
    int height = 12;            // pixel height of the text cell (ascent + descent)
    Colour text{255, 255, 255}; // captions are drawn transparent: there is no background
    int weight = 300;
    std::string face = "Arial";
    // The width of what the caption labels, or of the free space to the next drawn element or
    // the window's edge. A caption wider than that shrinks, down to captionFloorHeight(height),
    // and is then elided; 0 leaves it unbounded.
    int areaWidth = 0;
};

// The smallest height a caption shrinks to: 80 % of its own, rounded up so that it never goes
// below, and at least 11 px, under which Chinese text stops being legible; a caption already
// smaller than that keeps its height.
constexpr int captionFloorHeight(int height) {
    if (height < 11)
        return height;
    const int fourFifths = (height * 4 + 4) / 5;
    return fourFifths < 11 ? 11 : fourFifths;
}

class Canvas {
public:
    virtual ~Canvas() = default;
    // Copies the whole image unscaled and opaque with its top-left corner at (x, y).
    // A missing image draws nothing.
    virtual void drawImage(SkinFolder folder, const std::string& file, int x, int y) = 0;
    // Copies the rectangle `source` of the image to (x, y).
    virtual void drawImagePart(SkinFolder folder, const std::string& file, Rect source, int x,
                               int y) = 0;
    virtual void fillRect(Rect r, Colour c) = 0;
    // A one-pixel outline on the rectangle's edge pixels.
    virtual void outlineRect(Rect r, Colour c) = 0;
    // UTF-8 text with the top-left corner of its cell at (x, y).
    virtual void drawCaption(const std::string& text, int x, int y, const CaptionStyle& style) = 0;
};

// Nearly every caption of every window is the skin's face and weight at some height and colour.
inline void writeCaption(Canvas& canvas, const std::string& text, int x, int y, int height,
                         Colour colour = Colour{255, 255, 255}, int areaWidth = 0) {
    CaptionStyle style;
    style.height = height;
    style.text = colour;
    style.areaWidth = areaWidth;
    canvas.drawCaption(text, x, y, style);
}

// One row of a window's caption table: a caption that always stands in the same place.
struct CaptionCell {
    const char* text;
    int x, y, height;
    int areaWidth;
};

inline void writeCaption(Canvas& canvas, const CaptionCell& cell,
                         Colour colour = Colour{255, 255, 255}) {
    writeCaption(canvas, cell.text, cell.x, cell.y, cell.height, colour, cell.areaWidth);
}

} // namespace talvex
