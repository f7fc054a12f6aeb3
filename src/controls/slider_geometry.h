#pragma once
// The arithmetic of the skinned slider: where the platform trackbar would put its channel and
// thumb, where the owner draws the thumb image, where a click on the track jumps to, and the
// owner's drawing of the slider. The slider window itself paints nothing.

#include "controls/canvas.h"

namespace talvex {

inline constexpr int kSpeedSliderId = 1007;
inline constexpr int kReportRateSliderId = 1010;
inline constexpr int kBrightnessSliderId = 1017;

// Size of the track bitmaps (":/bitmaps/139.png", ":/bitmaps/140.png"); the slider window
// takes this size.
inline constexpr int kSliderTrackWidth = 220;
inline constexpr int kSliderTrackHeight = 17;
// Size of the thumb window and of "Thumb.png".
inline constexpr int kSliderThumbWidth = 15;
inline constexpr int kSliderThumbHeight = 14;

// The trackbar's channel in slider client coordinates.
Rect trackbarChannel(int width, int height);
// The trackbar's own thumb rectangle for a position (clamped to min..max).
Rect trackbarThumb(int width, int height, int position, int min, int max);

struct ThumbPlacement {
    int x = 0; // where the owner draws the thumb, relative to the slider's left
    int y = 0; // and top
};

// Centres the thumb window on the trackbar thumb; the owner draws 10 pixels further left so
// the filled track ends under the thumb image.
ThumbPlacement placeThumb(Rect trackbarThumbRect, int thumbWindowWidth, int verticalOffset);

// The position a click at x (slider client coordinates) jumps to, rounded half up and clamped
// to the range. A channel without width jumps to min.
int jumpPosition(int x, Rect client, Rect channel, int min, int max);

// Draws one slider onto the owner's canvas: the red track up to the thumb, the grey track
// beyond it and "Thumb.png". `slider` is the slider window's rectangle on the owner.
void drawSlider(Canvas& canvas, Rect slider, ThumbPlacement thumb, int controlId, int position);

} // namespace talvex
