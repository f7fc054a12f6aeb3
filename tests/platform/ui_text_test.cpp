#include "platform/ui_text.h"

#include <gtest/gtest.h>

namespace talvex {
namespace {

TEST(UiTextTest, TemplateAndArgumentsComeBackApart) {
    const FilledText filled = splitText(fillText("已连接 · 固件 %1 · %2 项", {"1.3", "", "x"}));
    EXPECT_EQ(filled.templ, "已连接 · 固件 %1 · %2 项");
    EXPECT_EQ(filled.args, (std::vector<std::string>{"1.3", "", "x"}));

    const FilledText plain = splitText("保存");
    EXPECT_EQ(plain.templ, "保存");
    EXPECT_TRUE(plain.args.empty());
}

TEST(UiTextTest, ShownTextPutsEachArgumentInItsPlaces) {
    const struct {
        std::string text, shown;
    } rows[] = {
        {fillText("有 %1 项", {"3"}), "有 3 项"},
        {fillText("%2 / %1", {"6", "3"}), "3 / 6"},
        {fillText("%1 与 %1", {"a"}), "a 与 a"},     // a place used twice
        {fillText("100% %3 %", {"a"}), "100% %3 %"}, // not a place, or one without argument
        {fillText("%1", {"%2"}), "%2"},              // an argument is not read again
        {"档位 2", "档位 2"},                        // a plain text
    };
    for (const auto& row : rows)
        EXPECT_EQ(shownText(row.text), row.shown) << row.shown;
}

} // namespace
} // namespace talvex
