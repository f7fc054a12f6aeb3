#pragma once
// A Canvas that draws nothing and remembers every call in order, so that a window's paint can
// be checked without a display ("key 42 is drawn lit from kb_hl.png").

#include "controls/canvas.h"

#include <cstddef>
#include <string>
#include <vector>

namespace talvex {

struct CanvasCall {
    enum class Kind { Image, ImagePart, Fill, Outline, Caption };
    Kind kind = Kind::Image;
    SkinFolder folder = SkinFolder::Main; // Image, ImagePart
    std::string text;                     // file name (Image, ImagePart) or caption text
    Rect rect;                            // source (ImagePart) or target (Fill, Outline)
    int x = 0, y = 0;                     // destination (Image, ImagePart, Caption)
    Colour colour;                        // Fill, Outline
    CaptionStyle style;                   // Caption
};

class RecordingCanvas : public Canvas {
public:
    void drawImage(SkinFolder folder, const std::string& file, int x, int y) override;
    void drawImagePart(SkinFolder folder, const std::string& file, Rect source, int x,
                       int y) override;
    void fillRect(Rect r, Colour c) override;
    void outlineRect(Rect r, Colour c) override;
    void drawCaption(const std::string& text, int x, int y, const CaptionStyle& style) override;

    const std::vector<CanvasCall>& calls() const { return calls_; }
    // The calls that drew `file` (whole or in part), in order.
    std::vector<CanvasCall> imageCalls(const std::string& file) const;
    // The caption calls that wrote `text`, in order.
    std::vector<CanvasCall> captionCalls(const std::string& text) const;
    void clear() { calls_.clear(); }

private:
    std::vector<CanvasCall> calls_;
};

} // namespace talvex
