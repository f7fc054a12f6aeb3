// The small rules under the skinned controls: image strips, the splash ticks and the image
// catalogue's lookups.

#include "controls/image_strip.h"
#include "controls/skin_catalogue.h"
#include "controls/splash_ticker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>

namespace talvex {
namespace {

TEST(ImageStrip, FramesRunDownATallBitmapAndAcrossAWideOne) {
    ImageStripLayout tall(15, 42, 15, 14);
    EXPECT_TRUE(tall.vertical());
    EXPECT_EQ(tall.frameCount(), 3);
    EXPECT_EQ(tall.frame(2), (Rect{0, 28, 15, 42}));

    ImageStripLayout wide(60, 20, 20, 0);
    EXPECT_FALSE(wide.vertical());
    EXPECT_EQ(wide.frameHeight(), 20);
    EXPECT_EQ(wide.frame(1), (Rect{20, 0, 40, 20}));
}

TEST(ImageStrip, FramesBeyondTheCountAndEmptyBitmapsDrawNothing) {
    ImageStripLayout thumb(15, 14, 15, 14);
    EXPECT_EQ(thumb.frameCount(), 1);
    EXPECT_FALSE(thumb.frame(1).has_value());
    EXPECT_FALSE(thumb.frame(-1).has_value());
    ImageStripLayout none(0, 0, 0, 0);
    EXPECT_EQ(none.frameCount(), 0);
    EXPECT_FALSE(none.frame(0).has_value());
}

TEST(SplashTicker, EndsOnThe52ndTickAndASecondShowingOnItsFirst) {
    SplashTicker ticker;
    for (int tick = 1; tick <= 51; ++tick)
        ASSERT_FALSE(ticker.tick()) << "tick " << tick;
    EXPECT_TRUE(ticker.tick());
    EXPECT_TRUE(ticker.tick());
}

TEST(SkinCatalogue, WindowsFindTheirImagesWhateverTheSpelling) {
    EXPECT_EQ(skinImagePath(SkinFolder::Main, "kb_bk.png"), "png/kb_bk.png");
    EXPECT_EQ(skinImagePath(SkinFolder::Config, "New.png"), "png/Config/New.png");
    EXPECT_EQ(skinImagePath(SkinFolder::Custom, "view.png"), "png/Custom/view.png");
    EXPECT_EQ(skinImagePath(SkinFolder::MacroManagement, "Pane.png"),
              "png/MacroManagement/Pane.png");
    EXPECT_EQ(skinImagePath(SkinFolder::Bitmaps, "139.png"), ":/bitmaps/139.png");

    const SkinImageEntry* unlit = findSkinImage("png/kb_bk.png");
    ASSERT_NE(unlit, nullptr);
    EXPECT_EQ(unlit, findSkinImage("png/kb_BK.png"));
    EXPECT_NE(findSkinImage("png/Custom/enable.png"), nullptr);
    EXPECT_EQ(findSkinImage("png/nothing.png"), nullptr);
}

TEST(SkinCatalogue, NoImageIsListedTwice) {
    std::set<std::string> seen;
    for (const auto& entry : skinImages()) {
        std::string lower(entry.path);
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return std::tolower(c); });
        EXPECT_TRUE(seen.insert(lower).second) << entry.path;
        EXPECT_GT(entry.width, 0) << entry.path;
        EXPECT_GT(entry.height, 0) << entry.path;
    }
}

} // namespace
} // namespace talvex
