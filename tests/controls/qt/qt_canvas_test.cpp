// QtCanvas fits a caption into its area: the largest height down to the floor that fits, else
// elided at the floor; an elided caption shows its whole text as a tooltip where it is visible.
#include "controls/qt/qt_canvas.h"
#include "controls/qt/skinned_window.h"
#include "qt_test_app.h"

#include <gtest/gtest.h>

#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

namespace talvex {
namespace {

int advanceAt(const std::string& text, int height) {
    CaptionStyle style;
    style.height = height;
    return QFontMetrics(QtCanvas::captionFont(style))
        .horizontalAdvance(QString::fromStdString(text));
}

TEST(QtCanvasCaptions, ShrinkToTheLargestFittingHeightThenElideAtTheFloorWithATooltip) {
    const int floors[][2] = {{8, 8}, {10, 10}, {13, 11}, {14, 12}, {15, 12}, {18, 15}, {20, 16}};
    for (const auto& [height, floor] : floors)
        EXPECT_EQ(captionFloorHeight(height), floor) << height;

    testing::qtTestApp();
    SkinImages images{"."};
    QImage target(400, 200, QImage::Format_RGB32);
    QtCanvas canvas(target, images);
    const std::string text = "记录按键动作 Record";
    const int full = advanceAt(text, 15), atFloor = advanceAt(text, 12);
    ASSERT_GT(full, atFloor);
    const int areas[] = {0, full, full - 1, (full + atFloor) / 2, atFloor, atFloor - 1, 40, 30};
    for (int i = 0; i < 8; ++i)
        writeCaption(canvas, text, 10, 20 * i, 15, Colour{}, areas[i]);
    canvas.fillRect(Rect{10, 0, 14, 200}, Colour{}); // over the start of every caption
    const std::vector<DrawnCaption>& captions = canvas.drawnCaptions();
    ASSERT_EQ(captions.size(), 8u);
    for (int i = 0; i < 8; ++i) {
        const DrawnCaption& c = captions[static_cast<std::size_t>(i)];
        const int area = areas[i];
        EXPECT_EQ(c.fullText, text);
        EXPECT_EQ(c.elided, area > 0 && area < atFloor) << area;
        EXPECT_EQ(c.elided, c.text != text) << area;
        if (area == 0 || area >= full || c.elided) {
            EXPECT_EQ(c.height, c.elided ? 12 : 15) << area;
        } else { // the largest height that fits
            EXPECT_GT(advanceAt(text, c.height + 1), area) << area;
        }
        EXPECT_LE(c.rect.width(), area == 0 ? full : area) << area;
        EXPECT_EQ(c.rect.top(), 20 * i + (15 - c.height) / 2) << area; // centred on its cell
        EXPECT_EQ(elidedCaptionAt(captions, c.rect.center()), c.elided ? &c : nullptr) << area;
        EXPECT_EQ(elidedCaptionAt(captions, {11, c.rect.center().y()}), nullptr) << area;
    }

    QWidget window;
    window.show();
    const QPoint over = captions[6].rect.center(), beside(399, 5);
    QHelpEvent onElided(QEvent::ToolTip, over, window.mapToGlobal(over));
    EXPECT_TRUE(showCaptionTip(window, onElided, captions));
    EXPECT_EQ(QToolTip::text(), QString::fromStdString(text));
    QHelpEvent offCaptions(QEvent::ToolTip, beside, window.mapToGlobal(beside));
    EXPECT_TRUE(showCaptionTip(window, offCaptions, captions));
    EXPECT_FALSE(offCaptions.isAccepted());
}

} // namespace
} // namespace talvex
