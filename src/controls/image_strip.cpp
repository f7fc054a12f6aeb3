#include "controls/image_strip.h"

#include <algorithm>

namespace talvex {

ImageStripLayout::ImageStripLayout(int imageWidth, int imageHeight, int frameWidth, int frameHeight)
    : imageWidth_(std::max(0, imageWidth)), imageHeight_(std::max(0, imageHeight)),
      frameWidth_(frameWidth > 0 ? frameWidth : imageWidth_),
      frameHeight_(frameHeight > 0 ? frameHeight : imageHeight_) {}

int ImageStripLayout::frameCount() const {
    if (vertical())
        return frameHeight_ > 0 ? imageHeight_ / frameHeight_ : 0;
    return frameWidth_ > 0 ? imageWidth_ / frameWidth_ : 0;
}

std::optional<Rect> ImageStripLayout::frame(int i) const {
    if (i < 0 || i >= frameCount())
        return std::nullopt;
    int left = vertical() ? 0 : i * frameWidth_;
    int top = vertical() ? i * frameHeight_ : 0;
    return Rect{left, top, left + frameWidth_, top + frameHeight_};
}

} // namespace talvex
