#include "platform/evdev_vk_table.h"

#include <gtest/gtest.h>
#include <map>

namespace talvex {
namespace {

TEST(EvdevVkTable, TellsLeftAndRightModifiersApart) {
    EXPECT_EQ(vkFromEvdev(42), 160);  // left Shift
    EXPECT_EQ(vkFromEvdev(54), 161);  // right Shift
    EXPECT_EQ(vkFromEvdev(29), 162);  // left Ctrl
    EXPECT_EQ(vkFromEvdev(97), 163);  // right Ctrl
    EXPECT_EQ(vkFromEvdev(56), 164);  // left Alt
    EXPECT_EQ(vkFromEvdev(100), 165); // right Alt (also AltGr)
    EXPECT_EQ(vkFromEvdev(125), 91);  // left Windows
    EXPECT_EQ(vkFromEvdev(126), 92);  // right Windows
}

TEST(EvdevVkTable, TellsKeypadKeysFromTheirMainTwins) {
    EXPECT_EQ(vkFromEvdev(28), 13);  // Enter
    EXPECT_EQ(vkFromEvdev(96), 108); // keypad Enter
    EXPECT_EQ(vkFromEvdev(12), 189); // -
    EXPECT_EQ(vkFromEvdev(74), 109); // keypad -
    EXPECT_EQ(vkFromEvdev(52), 190); // .
    EXPECT_EQ(vkFromEvdev(83), 110); // keypad .
    EXPECT_EQ(vkFromEvdev(53), 191); // /
    EXPECT_EQ(vkFromEvdev(98), 111); // keypad /
    EXPECT_EQ(vkFromEvdev(11), '0'); // 0
    EXPECT_EQ(vkFromEvdev(82), 96);  // keypad 0
    EXPECT_EQ(vkFromEvdev(79), 97);  // keypad 1
    EXPECT_EQ(vkFromEvdev(73), 105); // keypad 9
}

TEST(EvdevVkTable, MapsTheMediaKeys) {
    EXPECT_EQ(vkFromEvdev(114), 174); // Volume Down
    EXPECT_EQ(vkFromEvdev(115), 175); // Volume Up
    EXPECT_EQ(vkFromEvdev(164), 179); // Play/Pause
    EXPECT_EQ(vkFromEvdev(171), 181); // consumer 0x183, the keyboard's media key
}

TEST(EvdevVkTable, NativeScanCodeIsEvdevPlusEightAndBadCodesGiveNothing) {
    EXPECT_EQ(vkFromNativeScanCode(38), 'A');
    EXPECT_EQ(vkFromNativeScanCode(9), 27);
    for (std::uint32_t code : {0u, 1u, 7u, 8u})
        EXPECT_EQ(vkFromNativeScanCode(code), 0) << code;
    EXPECT_EQ(vkFromNativeScanCode(0xFFFFFFFFu), 0);
    EXPECT_EQ(vkFromEvdev(0), 0);
    EXPECT_EQ(vkFromEvdev(255), 0);
    EXPECT_EQ(vkFromEvdev(256), 0);
    EXPECT_EQ(vkFromEvdev(0x10000), 0);
}

TEST(EvdevVkTable, EachKeyHasOneRowAndOnlyTheMenuAndMediaKeysShareACode) {
    std::map<int, int> rowsPerEvdev;
    std::map<int, int> rowsPerVk;
    for (const EvdevVk& row : evdevVkTable()) {
        ++rowsPerEvdev[row.evdev];
        ++rowsPerVk[row.vk];
        EXPECT_NE(row.vk, 0) << row.evdev;
        EXPECT_EQ(vkFromEvdev(row.evdev), row.vk) << row.evdev;
    }
    for (auto [evdev, count] : rowsPerEvdev)
        EXPECT_EQ(count, 1) << "evdev " << evdev;
    for (auto [vk, count] : rowsPerVk) {
        bool alias = vk == 93 || vk == 181; // Menu/Compose; consumer 0x183 and KEY_MEDIA
        EXPECT_EQ(count, alias ? 2 : 1) << "vk " << vk;
    }
}

} // namespace
} // namespace talvex
