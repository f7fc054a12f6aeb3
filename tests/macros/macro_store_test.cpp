#include "macros/macro_file.h"
#include "macros/macro_record.h"
#include "macros/macro_slots.h"
#include "platform/file_io.h"
#include "test_folder.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace talvex {
namespace {

namespace fs = std::filesystem;

MacroRecord namedRecord(const std::u16string& name, std::uint16_t loops, std::uint8_t fill) {
    MacroRecord record = emptyMacroRecord();
    EXPECT_TRUE(record.setNameText(name));
    record.setLoopCountValue(loops);
    record.deviceEvents.fill(fill);
    record.keyEvents.fill(static_cast<std::uint8_t>(fill + 1));
    return record;
}

TEST(MacroRecordTest, NameAndLoopCountLandAtTheirFileOffsets) {
    MacroStore store = emptyMacroStore();
    store.records[1] = namedRecord(u"Ab", 300, 7);
    auto bytes = store.bytes();
    std::size_t base = kMacroRecordSize;
    EXPECT_EQ(bytes[base + 0], 'A');
    EXPECT_EQ(bytes[base + 1], 0);
    EXPECT_EQ(bytes[base + 2], 'b');
    EXPECT_EQ(bytes[base + 4], 0); // terminating zero unit
    EXPECT_EQ(bytes[base + 510], 0x2C);
    EXPECT_EQ(bytes[base + 511], 0x01);
    EXPECT_EQ(bytes[base + 513], 7);
    EXPECT_EQ(bytes[base + 703], 8);
    EXPECT_EQ(bytes[base + 893], 0);
    EXPECT_EQ(store.records[1].nameText(), u"Ab");
    EXPECT_EQ(store.records[1].loopCountValue(), 300);
}

TEST(MacroRecordTest, NamesThatDoNotFitAreRefusedAndLeaveTheOldName) {
    MacroRecord record = emptyMacroRecord();
    ASSERT_TRUE(record.setNameText(u"Macro_001"));
    EXPECT_TRUE(record.setNameText(std::u16string(254, u'x')));
    EXPECT_EQ(record.nameText().size(), 254u);
    EXPECT_EQ(record.name[508], 0); // still terminated
    ASSERT_TRUE(record.setNameText(u"Macro_001"));
    EXPECT_FALSE(record.setNameText(std::u16string(255, u'x')));
    EXPECT_FALSE(record.setNameText(std::u16string(u"a\0b", 3)));
    EXPECT_EQ(record.nameText(), u"Macro_001");
    EXPECT_TRUE(record.setNameText(u""));
    EXPECT_FALSE(record.inUse());

    record.name.fill('z'); // a file's name without terminator is read within the field
    EXPECT_EQ(record.nameText().size(), kMacroNameUnits);
}

class MacroFileTest : public ::testing::Test {
protected:
    testing::TestFolder folder{"talvex-macros"};
    fs::path file = folder / "MacroDefine.bin";
};

TEST_F(MacroFileTest, MissingFileIsCreatedWithZeroBytes) {
    MacroStore macros = emptyMacroStore();
    macros.records[0] = namedRecord(u"stale", 5, 5);
    EXPECT_EQ(loadMacroFile(file, macros).status, FileStatus::Created);
    EXPECT_EQ(macros, emptyMacroStore());
    auto data = readFileBytes(file, 1 << 20);
    ASSERT_TRUE(data);
    EXPECT_EQ(data->size(), 169860u);
    EXPECT_EQ(std::count(data->begin(), data->end(), 0), 169860);
}

TEST_F(MacroFileTest, SaveThenLoadGivesTheSameImage) {
    MacroStore macros = emptyMacroStore();
    macros.records[0] = namedRecord(u"Macro_001", 300, 3);
    macros.records[1] = namedRecord(u"Zeta", 1, 9);
    ASSERT_TRUE(saveMacroFile(file, macros));
    auto data = readFileBytes(file, 1 << 20);
    ASSERT_TRUE(data);
    ASSERT_EQ(data->size(), kMacroStoreSize);
    EXPECT_EQ((*data)[510], 0x2C);
    EXPECT_EQ((*data)[511], 0x01);
    MacroStore loaded;
    EXPECT_EQ(loadMacroFile(file, loaded).status, FileStatus::Ok);
    EXPECT_EQ(loaded, macros);
}

TEST_F(MacroFileTest, AFileOfAnotherSizeIsReadAsFarAsItGoesAndCalledWrongSize) {
    std::vector<std::uint8_t> shortFile(1000, 0x41);
    ASSERT_TRUE(writeFileAtomically(file, shortFile));
    MacroStore macros;
    EXPECT_EQ(loadMacroFile(file, macros).status, FileStatus::WrongSize);
    EXPECT_EQ(macros.bytes()[999], 0x41);
    EXPECT_EQ(macros.bytes()[1000], 0);
    EXPECT_EQ(macros.bytes()[kMacroStoreSize - 1], 0);

    std::vector<std::uint8_t> longFile(kMacroStoreSize + 50, 0x42);
    ASSERT_TRUE(writeFileAtomically(file, longFile));
    EXPECT_EQ(loadMacroFile(file, macros).status, FileStatus::WrongSize);
    EXPECT_EQ(macros.bytes()[kMacroStoreSize - 1], 0x42);
}

TEST_F(MacroFileTest, UnreadableFileIsNotReplacedWithZeros) {
    fs::create_directory(file); // exists, but cannot be read as a file
    MacroStore macros;
    EXPECT_EQ(loadMacroFile(file, macros).status, FileStatus::NotRegularFile);
    EXPECT_EQ(macros, emptyMacroStore());
    EXPECT_TRUE(fs::is_directory(file));
    EXPECT_FALSE(saveMacroFile(file, macros));
}

TEST(MacroSlotsTest, SlotHoldsLoopCountBigEndianAndTheDeviceSequence) {
    MacroStore macros = emptyMacroStore();
    macros.records[0] = namedRecord(u"a", 300, 0x11);
    DeviceSettings settings = zeroSettings();
    buildMacroSlots(macros, settings);
    auto slot = settings.macroSlot(0);
    EXPECT_EQ(slot[0], 0x01);
    EXPECT_EQ(slot[1], 0x2C);
    EXPECT_EQ(slot[2], 0x11);
    EXPECT_EQ(slot[191], 0x11);
    EXPECT_EQ(settings.macroSlot(1)[0], 0); // the next slot is untouched
}

TEST(MacroSlotsTest, FillingStopsAtTheFirstUnusedRecordAndAtSlot32) {
    MacroStore macros = emptyMacroStore();
    for (std::size_t i = 0; i < 3; ++i)
        macros.records[i] = namedRecord(u"m" + std::u16string(1, char16_t(u'a' + i)), 2, 0x20);
    macros.records[4] = namedRecord(u"after gap", 2, 0x20);
    DeviceSettings settings = zeroSettings();
    for (auto& b : settings.macroSlots)
        b = 0xEE;
    buildMacroSlots(macros, settings);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(settings.macroSlot(i)[5], 0x20) << i;
    for (std::size_t i = 3; i < kMacroSlotCount; ++i)
        EXPECT_EQ(settings.macroSlot(i)[5], 0xEE) << i;

    for (std::size_t i = 0; i < 40; ++i)
        macros.records[i] = namedRecord(u"x", 1, static_cast<std::uint8_t>(i));
    DeviceSettings full = zeroSettings();
    buildMacroSlots(macros, full);
    EXPECT_EQ(full.macroSlot(31)[2], 31);
    EXPECT_EQ(full.reserved2, 0); // nothing written past slot 31
}

TEST(MacroStoreTest, UsedNamesStopAtTheFirstRecordWithoutAName) {
    MacroStore store = emptyMacroStore();
    EXPECT_TRUE(store.usedNames().empty());
    store.records[0].setNameText(u"Rapid fire");
    store.records[1].setNameText(u"Greeting");
    store.records[3].setNameText(u"Stranded");
    EXPECT_EQ(store.usedNames(), (std::vector<std::u16string>{u"Rapid fire", u"Greeting"}));
}

} // namespace
} // namespace talvex
