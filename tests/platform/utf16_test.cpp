#include <gtest/gtest.h>

#include "platform/utf16.h"

#include <array>

namespace talvex {
namespace {

TEST(Utf16Test, RoundTripsAsciiChineseAndSurrogatePairs) {
    const std::u16string text = u"a/保存/\U0001F600 x";
    const std::string utf8 = utf16ToUtf8(text);
    EXPECT_EQ(utf8, "a/\xE4\xBF\x9D\xE5\xAD\x98/\xF0\x9F\x98\x80 x");
    EXPECT_EQ(utf8ToUtf16(utf8), text);
}

TEST(Utf16Test, MalformedInputBecomesReplacementCharacters) {
    EXPECT_EQ(utf16ToUtf8(std::u16string{u'a', char16_t(0xD800)}), "a\xEF\xBF\xBD");
    EXPECT_EQ(utf16ToUtf8(std::u16string{char16_t(0xDC00), u'b'}), "\xEF\xBF\xBD"
                                                                   "b");
    EXPECT_EQ(utf8ToUtf16("\xC3"), u"\uFFFD");                     // truncated sequence
    EXPECT_EQ(utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");           // overlong "/"
    EXPECT_EQ(utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD"); // encoded surrogate
    EXPECT_EQ(utf8ToUtf16("\xFF"
                          "a"),
              u"\uFFFDa");
}

TEST(Utf16Test, TextFieldsKeepRoomForTheirTerminator) {
    std::array<std::uint8_t, 8> field;
    field.fill(0xEE);
    EXPECT_FALSE(writeUtf16Field(field, u"abcd"));
    EXPECT_FALSE(writeUtf16Field(field, std::u16string(u"a\0b", 3)));
    EXPECT_EQ(field[0], 0xEE);
    ASSERT_TRUE(writeUtf16Field(field, u"\u4e2dz"));
    EXPECT_EQ(field, (std::array<std::uint8_t, 8>{0x2D, 0x4E, 'z', 0, 0, 0, 0, 0}));
    EXPECT_EQ(readUtf16Field(field), u"\u4e2dz");
    // A damaged field without a terminator is read to its end, an odd last byte ignored.
    const std::uint8_t unterminated[] = {'a', 0, 'b', 0, 'c'};
    EXPECT_EQ(readUtf16Field(unterminated), u"ab");
}

} // namespace
} // namespace talvex
