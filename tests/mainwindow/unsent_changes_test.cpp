// The record of saved changes the keyboard has not received, and its file.

#include "hostile_files.h"
#include "keys/factory_configuration.h"
#include "keys/key_positions.h"
#include "mainwindow/unsent_changes.h"
#include "test_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

namespace talvex {
namespace {

namespace fs = std::filesystem;
using Kind = UnsentFieldKind;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint16_t kQ = 42;
const std::size_t kQCell = keyPositions()[kQ].matrixCell;
const std::size_t kQFlag = 7477 + flagByteOfCell(kQCell);
const std::size_t kQSlot = 792 + 4 * kQCell;

KeyAssignments freshEntries() {
    KeyAssignments entries;
    resetAssignments(entries);
    return entries;
}

Bytes fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Flips `mask` in image byte `at`; the field covers image bytes [from, from + length).
struct Edit {
    UnsentField field;
    std::size_t at;
    std::uint8_t mask;
    std::size_t from, length;
};
const Edit kEdits[] = {
    {{Kind::Setting, 11}, 11, 1, 11, 1},
    {{Kind::Setting, 7498}, 7498, 1, 7498, 1},
    {{Kind::Colour, 6}, 7455 + 20, 1, 7455 + 18, 3},
    {{Kind::Key, kQ}, kQSlot + 3, 1, kQSlot, 4},
    {{Kind::Key, kQ}, kQFlag, flagMaskOfCell(kQCell), kQSlot, 4},
    {{Kind::MacroSlot, 31}, 1304 + 32 * 192 - 1, 1, 1304 + 31 * 192, 192},
    {{Kind::LayoutCell, 639}, 10058, 1, 10055, 4},
};

TEST(UnsentChangesTest, EachEditRecordsExactlyItsFieldAndLayOverCopiesOnlyThatField) {
    const DeviceSettings keyboard = factorySettings();
    const KeyAssignments entries = freshEntries();
    DeviceSettings random;
    ASSERT_TRUE(settingsFromBytes(testing::randomBytes(kDeviceSettingsSize, 7), random));
    for (const Edit& edit : kEdits) {
        SCOPED_TRACE(edit.at);
        DeviceSettings saved = keyboard;
        saved.bytes()[edit.at] ^= edit.mask;
        UnsentChanges record;
        record.recordDifferences(saved, entries, keyboard, entries);
        EXPECT_EQ(record.fields(), std::set<UnsentField>{edit.field});

        DeviceSettings expected = keyboard, onto = keyboard;
        std::copy_n(random.bytes().begin() + edit.from, edit.length,
                    expected.bytes().begin() + edit.from);
        const std::uint8_t keyBit = edit.field.kind == Kind::Key ? flagMaskOfCell(kQCell) : 0;
        expected.bytes()[kQFlag] =
            (expected.bytes()[kQFlag] & ~keyBit) | (random.bytes()[kQFlag] & keyBit);
        record.layOver(random, onto);
        EXPECT_EQ(onto, expected);
    }
}

TEST(UnsentChangesTest, AKeyKeepsTheEntryOfTheKeyboardSlotAcrossSavesAndLeavesWhenEditedBack) {
    const DeviceSettings keyboard = factorySettings();
    const KeyAssignments original = freshEntries();
    KeyAssignments first = original, second = original;
    first[kQ].type = 1; // the entry only
    second[kQ].type = 2;
    DeviceSettings secondSettings = keyboard;
    secondSettings.keyTable[kQCell * 4 + 2] = 0x15;

    UnsentChanges record;
    record.recordDifferences(keyboard, first, keyboard, original);
    EXPECT_EQ(record.fields(), (std::set<UnsentField>{{Kind::Key, kQ}}));
    record.recordDifferences(secondSettings, second, keyboard, first);
    KeyAssignments entries = second;
    record.restoreKeyboardEntries(entries);
    EXPECT_EQ(entries, original);

    const UnsentChanges before = record;
    record.recordDifferences(keyboard, original, keyboard, second);
    EXPECT_TRUE(record.empty());
    // A save that may only add keeps the earlier fields with their keyboard copies.
    record.add(before);
    entries = second;
    record.restoreKeyboardEntries(entries);
    EXPECT_EQ(entries[kQ], original[kQ]);
}

class UnsentChangesFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        DeviceSettings saved = factorySettings();
        saved.reportInterval ^= 1;
        saved.customLayout(4)[4 * 3] ^= 1; // cell 4 * 128 + 3 = 515
        KeyAssignments savedEntries = keyboardEntries;
        savedEntries[kQ].type = 1;
        keyboardEntries[kQ].data[0] = 0xAB;
        record.recordDifferences(saved, savedEntries, factorySettings(), keyboardEntries);
        ASSERT_TRUE(saveUnsentChanges(file, record).ok());
        good = fileBytes(file);
    }
    testing::TestFolder folder{"talvex-unsent"};
    const fs::path file = folder / "unsent.bin";
    KeyAssignments keyboardEntries = freshEntries();
    UnsentChanges record;
    Bytes good;
};

TEST_F(UnsentChangesFileTest, RoundTripsByteForByteInTheDocumentedLayout) {
    const auto* entry = reinterpret_cast<const std::uint8_t*>(&keyboardEntries[kQ]);
    Bytes expected = {'K', 'X', 'U', 'C', 1, 3, 0, 1, 11, 0, 3, kQ, 0};
    expected.insert(expected.end(), entry, entry + 772);
    expected.insert(expected.end(), {5, 3, 2});
    EXPECT_EQ(good, expected);

    UnsentChanges loaded;
    ASSERT_EQ(loadUnsentChanges(file, loaded).status, FileStatus::Ok);
    EXPECT_EQ(loaded, record);
    ASSERT_TRUE(saveUnsentChanges(folder / "again.bin", loaded).ok());
    EXPECT_EQ(fileBytes(folder / "again.bin"), good);
}

const std::size_t kBadBytes[][2] = {{3, 'D'}, {4, 2},  {5, 4},    {7, 0},
                                    {7, 6},   {8, 12}, {11, 108}, {786, 0x80}};

TEST_F(UnsentChangesFileTest, AnythingButWhatASaveWritesIsRefusedWhole) {
    std::vector<Bytes> hostile = {Bytes(good.begin(), good.begin() + 6),
                                  Bytes(good.begin(), good.end() - 4),
                                  {'K', 'X', 'U', 'C', 1, 2, 0, 1, 11, 0, 1, 11, 0}, // twice
                                  testing::randomBytes(900, 3)};
    hostile.push_back(good);
    hostile.back().push_back(0);
    // magic, version, count, kind 0 and 6, a byte that is no setting, key 108, layout cell 640
    for (auto [at, value] : kBadBytes) {
        hostile.push_back(good);
        hostile.back()[at] = static_cast<std::uint8_t>(value);
    }
    for (std::size_t i = 0; i < hostile.size() + 2; ++i) {
        SCOPED_TRACE(i);
        fs::remove_all(file);
        if (i == hostile.size())
            fs::create_directory(file);
        else if (i > hostile.size())
            ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
        else
            std::ofstream(file, std::ios::binary)
                .write(reinterpret_cast<const char*>(hostile[i].data()), hostile[i].size());
        UnsentChanges loaded = record;
        const FileResult result = loadUnsentChanges(file, loaded);
        EXPECT_TRUE(result.damaged()) << result.message;
        EXPECT_NE(result.message.find(file.string()), std::string::npos);
        EXPECT_TRUE(loaded.empty());
    }
}

TEST_F(UnsentChangesFileTest, AnEmptyRecordRemovesTheFileButNeverAFolder) {
    ASSERT_TRUE(saveUnsentChanges(file, UnsentChanges{}).ok());
    EXPECT_FALSE(fs::exists(file));
    EXPECT_TRUE(saveUnsentChanges(file, UnsentChanges{}).ok());
    UnsentChanges loaded = record;
    EXPECT_EQ(loadUnsentChanges(file, loaded).status, FileStatus::Missing);
    EXPECT_TRUE(loaded.empty());

    fs::create_directory(file);
    EXPECT_EQ(saveUnsentChanges(file, UnsentChanges{}).status, FileStatus::NotRegularFile);
    EXPECT_TRUE(fs::is_directory(file));
}

} // namespace
} // namespace talvex
