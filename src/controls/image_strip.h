#pragma once
// A bitmap cut into equal frames, one per state of an image button: frames run downwards when
// the bitmap is taller than wide, else across.

#include "controls/canvas.h"

#include <optional>

namespace talvex {

class ImageStripLayout {
public:
    ImageStripLayout() = default;
    // A frame size of 0 takes the bitmap's own width or height.
    ImageStripLayout(int imageWidth, int imageHeight, int frameWidth, int frameHeight);

    bool vertical() const { return imageHeight_ > imageWidth_; }
    int frameWidth() const { return frameWidth_; }
    int frameHeight() const { return frameHeight_; }
    int frameCount() const;
    // The bitmap rectangle of frame i; none for a frame at or beyond the count.
    std::optional<Rect> frame(int i) const;

private:
    int imageWidth_ = 0, imageHeight_ = 0;
    int frameWidth_ = 0, frameHeight_ = 0;
};

} // namespace talvex
