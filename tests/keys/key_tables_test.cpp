#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "keys/default_key_table.h"
#include "keys/key_name_table.h"
#include "keys/key_position_names.h"
#include "keys/key_positions.h"

namespace talvex {
namespace {

class KeyNameTableTest : public ::testing::Test {
protected:
    KeyNameTable table = buildKeyNameTable();
};

TEST_F(KeyNameTableTest, RuleRowsAndTheirBoundaries) {
    EXPECT_EQ(table.deviceCode('A'), 4);
    EXPECT_EQ(table.name('A'), u"A ");
    EXPECT_EQ(table.deviceCode('Z'), 29);
    EXPECT_EQ(table.deviceCode('1'), 30);
    EXPECT_EQ(table.deviceCode('9'), 38);
    EXPECT_EQ(table.name('9'), u"9 ");
    EXPECT_EQ(table.deviceCode('0'), 39);
    EXPECT_EQ(table.name('0'), u"0");
    EXPECT_EQ(table.deviceCode(112), 58);
    EXPECT_EQ(table.name(112), u"F1 ");
    EXPECT_EQ(table.deviceCode(123), 69);
    EXPECT_EQ(table.name(123), u"F12 ");
    EXPECT_EQ(table.deviceCode(97), 89);
    EXPECT_EQ(table.name(97), u"1-num ");
    EXPECT_EQ(table.name(105), u"9-num ");
    EXPECT_EQ(table.deviceCode(96), 98);
    EXPECT_EQ(table.name(96), u"0-num ");
}

TEST_F(KeyNameTableTest, NamedRowsKeepTheirExactText) {
    EXPECT_EQ(table.name(179), u"Play/Pause");
    EXPECT_EQ(table.deviceCode(179), 205);
    EXPECT_EQ(table.name(181), u"Media ");
    EXPECT_EQ(table.deviceCode(181), 131);
    EXPECT_EQ(table.name(192), u"` ");
    EXPECT_EQ(table.deviceCode(192), 53);
    EXPECT_EQ(table.name(220), u"\\ ");
    EXPECT_EQ(table.name(247), u"Mouse pointer Down");
    // Main and keypad keys share a name but not a code.
    EXPECT_EQ(table.name(13), table.name(108));
    EXPECT_EQ(table.deviceCode(13), 40);
    EXPECT_EQ(table.deviceCode(108), 88);
    EXPECT_EQ(table.deviceCode(189), 45);
    EXPECT_EQ(table.deviceCode(109), 86);
    // Mouse codes equal their VK; 243 and 244 have a code but no name.
    for (unsigned vk = 240; vk <= 249; ++vk)
        EXPECT_EQ(table.deviceCode(vk), vk);
    EXPECT_TRUE(table.name(243).empty());
    EXPECT_TRUE(table.name(244).empty());
}

TEST_F(KeyNameTableTest, UnlistedKeysStayUnmappedAndEveryRecordKnowsItsVk) {
    std::size_t mapped = 0;
    for (std::size_t vk = 0; vk < kKeyNameCount; ++vk) {
        EXPECT_EQ(table.records[vk].vk, vk);
        if (table.records[vk].deviceCode != 0)
            ++mapped;
        else
            EXPECT_TRUE(table.records[vk].name.empty()) << vk;
    }
    // 26 letters, 10 digits, 12 F-keys, 10 keypad digits and 60 named rows.
    EXPECT_EQ(mapped, 26u + 10 + 12 + 10 + 60);
    EXPECT_EQ(table.deviceCode(0), 0);
    EXPECT_EQ(table.deviceCode(255), 0);
    EXPECT_EQ(table.deviceCode(250), 0);
}

TEST_F(KeyNameTableTest, CombinationTextJoinsNamesWithPlus) {
    const std::vector<std::uint8_t> ctrlAltDel{162, 164, 46};
    EXPECT_EQ(combinationText(table, ctrlAltDel), u"LCtrl + LAlt + Del ");
    const std::vector<std::uint8_t> ctrlZero{162, '0'};
    EXPECT_EQ(combinationText(table, ctrlZero), u"LCtrl + 0");
    const std::vector<std::uint8_t> playThenA{179, 'A'};
    EXPECT_EQ(combinationText(table, playThenA), u"Play/Pause+ A ");
    const std::vector<std::uint8_t> unmapped{0, 'A'};
    EXPECT_EQ(combinationText(table, unmapped), u"+ A ");
    const std::vector<std::uint8_t> single{27};
    EXPECT_EQ(combinationText(table, single), u"Esc ");
    const std::vector<std::uint8_t> four{'A', 'B', 'C', 'D'};
    EXPECT_EQ(combinationText(table, four), u"A + B + C ");
    EXPECT_EQ(combinationText(table, {}), u"");
}

// The position list and the factory table are written independently; a typo in either shows up
// as a position whose factory slot does not send its own key.
TEST(KeyPositionsTest, FactorySlotOfEveryPositionSendsItsOwnKey) {
    constexpr std::size_t kBackslashPosition = 54;
    const KeyNameTable names = buildKeyNameTable();
    std::set<unsigned> cells;
    for (std::size_t p = 0; p < kKeyPositionCount; ++p) {
        const KeyPosition& pos = keyPositions()[p];
        EXPECT_EQ(pos.cellOffset, 4u * pos.matrixCell) << p;
        EXPECT_LT(pos.matrixCell, kKeyCellCount) << p;
        EXPECT_TRUE(cells.insert(pos.matrixCell).second) << "cell used twice at " << p;
        const KeySlot slot = defaultKeyTable()[pos.matrixCell];
        if (p == kFnPosition) {
            EXPECT_EQ(slot, (KeySlot{{2, 0, 0, 0}}));
            continue;
        }
        // Backslash is the one key whose factory usage (0x31, US) differs from the usage the
        // host sends for it (0x32, non-US); both type a backslash.
        const std::uint8_t expected = p == kBackslashPosition ? 49 : names.deviceCode(pos.vk);
        EXPECT_EQ(slot.bytes[2], expected) << p;
    }
}

TEST(KeyPositionsTest, LandmarkPositions) {
    const auto& pos = keyPositions();
    EXPECT_EQ(pos[0].vk, 27);
    EXPECT_EQ(pos[0].matrixCell, 5);
    EXPECT_EQ(pos[61].vk, 107); // keypad + at (20, 2)
    EXPECT_EQ(pos[61].cellOffset, 4 * (20 * 6 + 2));
    EXPECT_EQ(pos[74].vk, 13); // Enter at (13, 2)
    EXPECT_EQ(pos[74].matrixCell, 80);
    EXPECT_EQ(pos[kFnPosition].vk, pos[101].vk);
    EXPECT_EQ(pos[107].vk, 110);
    EXPECT_EQ(pos[107].matrixCell, 19 * 6);
    EXPECT_EQ(flagByteOfCell(pos[96].matrixCell), 1u); // left Windows: byte 1, bit 0
    EXPECT_EQ(flagMaskOfCell(pos[96].matrixCell), 1u);
}

// Stored documents name keys by these names, so every one must lead back to where it came from.
TEST(KeyPositionNamesTest, EveryNameIsAsciiUniqueAndLeadsBack) {
    std::set<std::string_view> seen;
    for (std::size_t p = 0; p < kKeyPositionCount; ++p) {
        const std::string_view name = positionName(p);
        EXPECT_TRUE(!name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
            return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        })) << p;
        EXPECT_TRUE(seen.insert(name).second) << name;
        EXPECT_EQ(positionOfName(name), p);
    }
    const KeyNameTable names = buildKeyNameTable();
    for (int vk = 0; vk < 256; ++vk) {
        const auto name = vkName(static_cast<std::uint8_t>(vk));
        if (name) {
            EXPECT_EQ(vkOfName(*name), vk) << *name;
        }
        // Only the two codes nobody knows the meaning of go without a name.
        const bool unnamedCode = names.deviceCode(static_cast<std::uint8_t>(vk)) != 0 && !name;
        EXPECT_EQ(unnamedCode, vk == 243 || vk == 244) << vk;
    }
    EXPECT_FALSE(positionOfName("keyA"));
}

TEST(DefaultKeyTableTest, FillsTheKeyTableBytes) {
    DeviceSettings settings = zeroSettings();
    settings.keyTable.fill(0xEE);
    fillDefaultKeyTable(settings.keyTable);
    const std::uint8_t fnCell[] = {2, 0, 0, 0};
    const std::uint8_t mediaCell[] = {3, 0, 131, 1};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(settings.keyTable[4 * 60 + i], fnCell[i]);
        EXPECT_EQ(settings.keyTable[4 * 113 + i], mediaCell[i]);
    }
    EXPECT_EQ(settings.keyTable[4 * 0 + 2], 224);
    EXPECT_EQ(settings.keyTable[4 * 125 + 0], 3);
    EXPECT_EQ(settings.keyTable[4 * 125 + 2], 233);
    for (std::size_t i = 4 * kKeyCellCount; i < kKeyTableSize; ++i)
        EXPECT_EQ(settings.keyTable[i], 0) << i;
}

} // namespace
} // namespace talvex
