#include "controls/hot_buttons.h"

#include <gtest/gtest.h>

#include <optional>

namespace talvex {
namespace {

enum class Id { A, B };

// A at x 0..9, B at x 10..19, nothing beyond.
std::optional<Id> hit(int x, int) {
    if (x < 0 || x >= 20)
        return std::nullopt;
    return x < 10 ? Id::A : Id::B;
}

TEST(HotButtonsTest, ARunsOnlyWhenReleasedOverTheButtonPressed) {
    struct Case {
        int down, up;
        std::optional<Id> runs;
    };
    const Case cases[] = {
        {5, 5, Id::A},         {5, 8, Id::A},         {15, 12, Id::B},
        {5, 15, std::nullopt}, {5, 30, std::nullopt}, {30, 5, std::nullopt},
    };
    HotButtons<Id> buttons(hit);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.down << " -> " << c.up);
        EXPECT_EQ(buttons.press(c.down, 0), hit(c.down, 0));
        EXPECT_EQ(buttons.release(c.up, 0), c.runs);
        EXPECT_EQ(buttons.release(c.down, 0), std::nullopt) << "a press counts once";
    }
}

TEST(HotButtonsTest, HoverReportsOnlyChanges) {
    HotButtons<Id> buttons(hit);
    EXPECT_TRUE(buttons.hover(Id::A));
    EXPECT_FALSE(buttons.hover(Id::A));
    EXPECT_TRUE(buttons.lit(Id::A));
    EXPECT_TRUE(buttons.hover(Id::B));
    EXPECT_FALSE(buttons.lit(Id::A));
    buttons.press(5, 0);
    buttons.reset();
    EXPECT_FALSE(buttons.lit(Id::B));
    EXPECT_EQ(buttons.release(5, 0), std::nullopt);
}

} // namespace
} // namespace talvex
