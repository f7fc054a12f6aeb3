#include "controls/slider_geometry.h"

#include <algorithm>

namespace talvex {

namespace {

// The platform trackbar's proportions: the channel keeps 8 pixels free at either end and its
// thumb is 11 pixels wide.
constexpr int kChannelInset = 8;
constexpr int kTrackbarThumbWidth = 11;

} // namespace

Rect trackbarChannel(int width, int height) {
    return Rect{kChannelInset, height / 2 - 2, std::max(kChannelInset, width - kChannelInset),
                height / 2 + 2};
}

Rect trackbarThumb(int width, int height, int position, int min, int max) {
    // The thumb travels the whole channel, so the drawn thumb stays under the mouse that drags
    // it: a click at x jumps to the position whose thumb is centred at x.
    Rect channel = trackbarChannel(width, height);
    int travel = std::max(0, channel.width());
    int left = channel.left;
    if (max > min) {
        long long offset = static_cast<long long>(std::clamp(position, min, max) - min) * travel;
        left += static_cast<int>(offset / (max - min));
    }
    return Rect{left, 0, left + kTrackbarThumbWidth, height};
}

ThumbPlacement placeThumb(Rect trackbarThumbRect, int thumbWindowWidth, int verticalOffset) {
    int left = trackbarThumbRect.left + (thumbWindowWidth - trackbarThumbRect.width()) / 2;
    return ThumbPlacement{left - 10, verticalOffset};
}

int jumpPosition(int x, Rect client, Rect channel, int min, int max) {
    long long w = channel.right - channel.left;
    if (w <= 0 || max <= min)
        return min;
    long long d = static_cast<long long>(x) - channel.left - client.left;
    long long scaled = d * (max - min);
    // Floor division, then one more when the fraction is a half or above.
    long long quotient = scaled / w;
    long long remainder = scaled % w;
    if (remainder < 0) {
        quotient -= 1;
        remainder += w;
    }
    if (2 * remainder >= w)
        quotient += 1;
    return static_cast<int>(std::clamp<long long>(quotient, min, max));
}

void drawSlider(Canvas& canvas, Rect slider, ThumbPlacement thumb, int controlId, int position) {
    int thumbX = thumb.x;
    if (controlId == kReportRateSliderId && position == 0)
        thumbX += 2;
    int height = slider.height();
    if (thumbX > 0)
        canvas.drawImagePart(SkinFolder::Bitmaps, "140.png", Rect{0, 0, thumbX, height},
                             slider.left, slider.top);
    int emptyStart = std::max(thumbX, 0);
    if (slider.right > slider.left + emptyStart)
        canvas.drawImagePart(SkinFolder::Bitmaps, "139.png",
                             Rect{emptyStart, 0, slider.width(), height}, slider.left + emptyStart,
                             slider.top);
    canvas.drawImagePart(SkinFolder::Main, "Thumb.png",
                         Rect{0, 0, kSliderThumbWidth, kSliderThumbHeight}, slider.left + thumbX,
                         slider.top + thumb.y + 1);
}

} // namespace talvex
