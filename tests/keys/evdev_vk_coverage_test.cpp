// Key capture must be able to produce every key the utility can name, or a key of the keyboard
// could never be entered in the key assignment or macro dialogs.

#include "keys/key_name_table.h"
#include "keys/key_positions.h"
#include "platform/evdev_vk_table.h"

#include <gtest/gtest.h>
#include <set>

namespace talvex {
namespace {

std::set<int> capturableVks() {
    std::set<int> vks;
    for (const EvdevVk& row : evdevVkTable())
        vks.insert(row.vk);
    return vks;
}

TEST(EvdevVkCoverage, EveryNamedKeyboardKeyCanBeCaptured) {
    const std::set<int> capturable = capturableVks();
    const KeyNameTable names = buildKeyNameTable();
    for (int vk = 0; vk < 240; ++vk) { // 240 and up are mouse actions, not keys
        if (names.deviceCode(static_cast<std::uint8_t>(vk)) != 0) {
            EXPECT_TRUE(capturable.count(vk)) << "vk " << vk;
        }
    }
}

TEST(EvdevVkCoverage, EveryKeyPositionCanBeCaptured) {
    const std::set<int> capturable = capturableVks();
    for (const KeyPosition& position : keyPositions())
        EXPECT_TRUE(capturable.count(position.vk)) << "vk " << int(position.vk);
}

} // namespace
} // namespace talvex
