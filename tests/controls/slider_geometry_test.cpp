#include "controls/recording_canvas.h"
#include "controls/slider_geometry.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace talvex {
namespace {

TEST(SliderJump, MiddleOfTheBrightnessTrackSetsHalfWay) {
    Rect client{0, 0, kSliderTrackWidth, kSliderTrackHeight};
    Rect channel = trackbarChannel(client.width(), client.height());
    int middle = (channel.left + channel.right) / 2;
    EXPECT_EQ(jumpPosition(middle, client, channel, 0, 50), 25);
}

TEST(SliderJump, RoundsHalvesUpAndStaysInRange) {
    Rect client{0, 0, 220, 17};
    Rect channel{10, 6, 110, 10}; // 100 pixels for 0..10: ten pixels a step
    EXPECT_EQ(jumpPosition(10 + 14, client, channel, 0, 10), 1); // 1.4
    EXPECT_EQ(jumpPosition(10 + 15, client, channel, 0, 10), 2); // 1.5 rounds up
    EXPECT_EQ(jumpPosition(10 + 100, client, channel, 0, 10), 10);
    EXPECT_EQ(jumpPosition(219, client, channel, 0, 10), 10); // right of the channel
    EXPECT_EQ(jumpPosition(0, client, channel, 0, 10), 0);    // left of the channel
    // A channel without width (a slider not laid out yet) must not divide by zero.
    EXPECT_EQ(jumpPosition(50, client, Rect{10, 6, 10, 10}, 0, 10), 0);
}

TEST(SliderJump, ClientOffsetMovesTheOrigin) {
    Rect channel{8, 6, 108, 10};
    EXPECT_EQ(jumpPosition(58, Rect{0, 0, 220, 17}, channel, 0, 10), 5);
    EXPECT_EQ(jumpPosition(58, Rect{10, 0, 230, 17}, channel, 0, 10), 4);
}

TEST(SliderThumb, TheDrawnThumbStaysUnderTheMouseThatDragsIt) {
    Rect client{0, 0, kSliderTrackWidth, kSliderTrackHeight};
    Rect channel = trackbarChannel(client.width(), client.height());
    for (int x = channel.left; x <= channel.right; x += 17) {
        int position = jumpPosition(x, client, channel, 0, 50);
        ThumbPlacement thumb = placeThumb(
            trackbarThumb(client.width(), client.height(), position, 0, 50), kSliderThumbWidth, 0);
        int centre = thumb.x + kSliderThumbWidth / 2;
        EXPECT_LE(std::abs(centre - x), 3) << "mouse at " << x;
    }
}

TEST(SliderThumb, PlacementCentresTheThumbWindowAndShiftsLeft) {
    EXPECT_EQ(placeThumb(Rect{40, 0, 51, 17}, 15, 0).x, 40 + 2 - 10);
    // A thumb one pixel wider than the window: (15 - 16) / 2 truncates to 0.
    EXPECT_EQ(placeThumb(Rect{40, 0, 56, 17}, 15, 0).x, 30);
    EXPECT_EQ(placeThumb(Rect{40, 0, 51, 17}, 15, 3).y, 3);
}

TEST(SliderThumb, TravelsFromTheTrackStartToItsEndAndClampsOutsideTheRange) {
    auto xAt = [](int position) {
        return placeThumb(trackbarThumb(220, 17, position, 0, 50), kSliderThumbWidth, 0).x;
    };
    EXPECT_EQ(xAt(0), 0);
    EXPECT_LT(xAt(25), xAt(26));
    EXPECT_LE(xAt(50) + kSliderThumbWidth, 220);
    EXPECT_EQ(xAt(-5), xAt(0));
    EXPECT_EQ(xAt(99), xAt(50));
    // A range of one value does not divide by zero.
    EXPECT_EQ(trackbarThumb(220, 17, 3, 3, 3).left, trackbarChannel(220, 17).left);
}

TEST(DrawSlider, RedUpToTheThumbGreyBeyondThenTheThumbImage) {
    RecordingCanvas canvas;
    drawSlider(canvas, Rect{28, 260, 248, 277}, ThumbPlacement{100, 0}, kBrightnessSliderId, 25);
    ASSERT_EQ(canvas.calls().size(), 3u);
    const auto& red = canvas.calls()[0];
    EXPECT_EQ(red.folder, SkinFolder::Bitmaps);
    EXPECT_EQ(red.text, "140.png");
    EXPECT_EQ(red.rect, (Rect{0, 0, 100, 17}));
    EXPECT_EQ(red.x, 28);
    EXPECT_EQ(red.y, 260);
    const auto& grey = canvas.calls()[1];
    EXPECT_EQ(grey.text, "139.png");
    EXPECT_EQ(grey.rect, (Rect{100, 0, 220, 17}));
    EXPECT_EQ(grey.x, 128);
    const auto& thumb = canvas.calls()[2];
    EXPECT_EQ(thumb.folder, SkinFolder::Main);
    EXPECT_EQ(thumb.text, "Thumb.png");
    EXPECT_EQ(thumb.rect, (Rect{0, 0, 15, 14}));
    EXPECT_EQ(thumb.x, 128);
    EXPECT_EQ(thumb.y, 261);
}

TEST(DrawSlider, ReportRateAtZeroNudgesTheThumbRight) {
    RecordingCanvas atZero, atOne, brightnessAtZero;
    drawSlider(atZero, Rect{28, 530, 248, 547}, ThumbPlacement{0, 0}, kReportRateSliderId, 0);
    drawSlider(atOne, Rect{28, 530, 248, 547}, ThumbPlacement{0, 0}, kReportRateSliderId, 1);
    drawSlider(brightnessAtZero, Rect{28, 530, 248, 547}, ThumbPlacement{0, 0}, kBrightnessSliderId,
               0);
    EXPECT_EQ(atZero.imageCalls("Thumb.png").at(0).x, 30);
    EXPECT_EQ(atOne.imageCalls("Thumb.png").at(0).x, 28);
    EXPECT_EQ(brightnessAtZero.imageCalls("Thumb.png").at(0).x, 28);
    // With the thumb at the very start there is no red part to draw.
    EXPECT_TRUE(brightnessAtZero.imageCalls("140.png").empty());
    EXPECT_EQ(brightnessAtZero.imageCalls("139.png").at(0).rect, (Rect{0, 0, 220, 17}));
}

} // namespace
} // namespace talvex
