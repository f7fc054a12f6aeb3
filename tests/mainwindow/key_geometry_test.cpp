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

// The hit test takes the first key that holds a point, so no two keys may share a pixel.
TEST(KeyGeometry, NoTwoKeysTouch) {
    for (std::size_t a = 0; a < kKeyPositionCount; ++a)
        for (std::size_t b = a + 1; b < kKeyPositionCount; ++b) {
            if (keyGeometry[a].isEmpty() || keyGeometry[b].isEmpty())
                continue;
            const Rect& p = keyGeometry[a].rect;
            const Rect& q = keyGeometry[b].rect;
            const bool apart =
                p.right < q.left || q.right < p.left || p.bottom < q.top || q.bottom < p.top;
            EXPECT_TRUE(apart) << a << " and " << b;
        }
}

} // namespace
} // namespace talvex
