#include "mainwindow/key_geometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace talvex {
namespace {

TEST(KeyGeometry, EmptyPositionsAreExactlyTheKeysThisKeyboardLacks) {
    std::vector<std::size_t> empty;
    for (std::size_t p = 0; p < kKeyPositionCount; ++p)
        if (keyGeometry[p].isEmpty()) {
            empty.push_back(p);
            EXPECT_EQ(keyGeometry[p].rect, Rect{}) << p;
        }
    EXPECT_EQ(empty, (std::vector<std::size_t>{16, 17, 18, 19, 37, 38, 39, 40, 58,  59, 60,
                                               61, 75, 76, 77, 91, 92, 93, 94, 106, 107}));
}

TEST(KeyGeometry, EveryKeyHasAPositiveRectangleInsideThePicture) {
    for (std::size_t p = 0; p < kKeyPositionCount; ++p) {
        if (keyGeometry[p].isEmpty())
            continue;
        const Rect& r = keyGeometry[p].rect;
        EXPECT_GT(r.width(), 0) << p;
        EXPECT_GT(r.height(), 0) << p;
        EXPECT_GE(r.left, 0) << p;
        EXPECT_LE(r.right, 600) << p;
    }
}

TEST(KeyGeometry, WideKeysAndWindowCoordinates) {
    EXPECT_EQ(keyGeometry[98].label, "Space");
    EXPECT_EQ(keyGeometry[98].rect, (Rect{125, 227, 322, 252}));
    EXPECT_EQ(keyGeometry[54].label, "\\");
    EXPECT_EQ(keyGeometry[62].label, "Caps Lock");
    EXPECT_EQ(keyRectOnWindow(0), (Rect{330, 240, 355, 265}));
    EXPECT_EQ(keyRectOnWindow(105), (Rect{900, 415, 925, 440}));
}

} // namespace
} // namespace talvex
