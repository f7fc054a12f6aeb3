// Key capture must be able to produce every key the utility can name, or a key of the keyboard
// could never be entered in the key assignment or macro dialogs.

#include "keys/default_key_table.h"
#include "keys/key_assignment_store.h"
#include "keys/key_name_table.h"
#include "keys/key_positions.h"
#include "keys/key_reach.h"
#include "keys/key_slot.h"
#include "platform/evdev_vk_table.h"

#include <gtest/gtest.h>
#include <map>
#include <memory>
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

// How Linux turns the USB usages of a keyboard into evdev codes (the hid_keyboard table of
// drivers/hid/hid-input.c, written out for the usages of the keyboard picture's keys), keyed by the
// usage as the keyboard's slots carry it: a Keyboard/Keypad usage, or 0x0C0000 + a Consumer one.
const std::map<std::uint32_t, std::uint16_t> kLinuxUsageToEvdev = {
    {0x04, 30},      {0x05, 48},  {0x06, 46},  {0x07, 32},      {0x08, 18},      {0x09, 33},
    {0x0a, 34},      {0x0b, 35},  {0x0c, 23},  {0x0d, 36},      {0x0e, 37},      {0x0f, 38},
    {0x10, 50},      {0x11, 49},  {0x12, 24},  {0x13, 25},      {0x14, 16},      {0x15, 19},
    {0x16, 31},      {0x17, 20},  {0x18, 22},  {0x19, 47},      {0x1a, 17},      {0x1b, 45},
    {0x1c, 21},      {0x1d, 44},  {0x1e, 2},   {0x1f, 3},       {0x20, 4},       {0x21, 5},
    {0x22, 6},       {0x23, 7},   {0x24, 8},   {0x25, 9},       {0x26, 10},      {0x27, 11},
    {0x28, 28},      {0x29, 1},   {0x2a, 14},  {0x2b, 15},      {0x2c, 57},      {0x2d, 12},
    {0x2e, 13},      {0x2f, 26},  {0x30, 27},  {0x31, 43},      {0x32, 43},      {0x33, 39},
    {0x34, 40},      {0x35, 41},  {0x36, 51},  {0x37, 52},      {0x38, 53},      {0x39, 58},
    {0x3a, 59},      {0x3b, 60},  {0x3c, 61},  {0x3d, 62},      {0x3e, 63},      {0x3f, 64},
    {0x40, 65},      {0x41, 66},  {0x42, 67},  {0x43, 68},      {0x44, 87},      {0x45, 88},
    {0x46, 99},      {0x47, 70},  {0x48, 119}, {0x49, 110},     {0x4a, 102},     {0x4b, 104},
    {0x4c, 111},     {0x4d, 107}, {0x4e, 109}, {0x4f, 106},     {0x50, 105},     {0x51, 108},
    {0x52, 103},     {0x53, 69},  {0x54, 98},  {0x55, 55},      {0x56, 74},      {0x57, 78},
    {0x58, 96},      {0x59, 79},  {0x5a, 80},  {0x5b, 81},      {0x5c, 75},      {0x5d, 76},
    {0x5e, 77},      {0x5f, 71},  {0x60, 72},  {0x61, 73},      {0x62, 82},      {0x63, 83},
    {0x65, 127},     {0xe0, 29},  {0xe1, 42},  {0xe2, 56},      {0xe3, 125},     {0xe4, 97},
    {0xe5, 54},      {0xe6, 100}, {0xe7, 126}, {0x0c00cd, 164}, {0x0c00e9, 115}, {0x0c00ea, 114},
    {0x0c0183, 171},
};

TEST(EvdevVkCoverage, EveryFactoryKeyComesBackThroughLinuxAsItsOwnVkAndCode) {
    const KeyNameTable names = buildKeyNameTable();
    int checked = 0;
    for (std::size_t p = 0; p < kKeyPositionCount; ++p) {
        const KeyPosition& position = keyPositions()[p];
        const KeySlot& slot = defaultKeyTable()[position.matrixCell];
        if (position.vk == 0 || p == kFnPosition)
            continue;
        const bool consumer = slot.bytes[0] == kSlotConsumer;
        const std::uint32_t usage =
            consumer ? 0x0c0000u + (slot.bytes[2] | (slot.bytes[3] << 8)) : slot.bytes[2];
        const auto evdev = kLinuxUsageToEvdev.find(usage);
        ASSERT_NE(evdev, kLinuxUsageToEvdev.end()) << "position " << p << " usage " << usage;
        EXPECT_EQ(vkFromEvdev(evdev->second), position.vk) << "position " << p;
        // A consumer code is the usage's low byte. The name table gives backslash the non-US
        // usage, which Linux maps to the same key.
        const std::uint8_t code = names.deviceCode(position.vk);
        if (consumer) {
            EXPECT_EQ(code, slot.bytes[2]) << "position " << p;
        } else {
            const auto back = kLinuxUsageToEvdev.find(code);
            ASSERT_NE(back, kLinuxUsageToEvdev.end()) << "position " << p;
            EXPECT_EQ(back->second, evdev->second) << "position " << p;
        }
        ++checked;
    }
    EXPECT_EQ(checked, 107); // every position but Fn
}

// Whatever key the capture can produce, assigning it either gives the key a slot that sends
// something or is refused with nothing changed: no key is left dead.
TEST(EvdevVkCoverage, NoCapturableKeyLeavesADeadSlot) {
    const KeyNameTable names = buildKeyNameTable();
    int refused = 0;
    for (int vk : capturableVks()) {
        for (const KeyChoice& choice :
             {KeyChoice{SingleKeyChoice{static_cast<std::uint8_t>(vk)}},
              KeyChoice{CombinationChoice{{162, static_cast<std::uint8_t>(vk)}}}}) {
            auto state = std::make_unique<KeyAssignmentState>();
            const std::size_t position = 20;
            const KeySlot before =
                readSlot(state->workingSettings, keyPositions()[position].matrixCell);
            const KeyApplyResult result = applyKeyAssignment(*state, position, choice, names, {});
            const KeySlot after =
                readSlot(state->workingSettings, keyPositions()[position].matrixCell);
            if (keyReach(names, static_cast<std::uint8_t>(vk)) == KeyReach::Sendable) {
                EXPECT_EQ(result, KeyApplyResult::Applied) << vk;
                EXPECT_NE(after.bytes[2] | after.bytes[3], 0) << vk;
            } else {
                EXPECT_EQ(result, KeyApplyResult::KeyUnsendable) << vk;
                EXPECT_EQ(after, before) << vk;
                ++refused;
            }
        }
    }
    EXPECT_EQ(refused, 2 * 32); // the keys Linux can report that the keyboard has no code for
}

} // namespace
} // namespace talvex
