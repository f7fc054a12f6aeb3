#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <vector>

#include "keys/default_key_table.h"
#include "keys/function_catalogue.h"
#include "keys/key_assignment_store.h"
#include "keys/key_positions.h"
#include "keys/keymap_file.h"
#include "platform/file_io.h"
#include "test_folder.h"

namespace talvex {
namespace {

constexpr std::size_t kEsc = 0;
constexpr std::size_t kVolumeDown = 16;
constexpr std::size_t kMedia = 17;
constexpr std::size_t kBackslash = 54;
constexpr std::size_t kEnter = 74;
constexpr std::size_t kApps = 101;

using Slot = std::array<std::uint8_t, 4>;

// The working state right after a factory reset: factory key table, every key enabled.
class KeyAssignmentStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        fillDefaultKeyTable(state.workingSettings.keyTable);
        state.workingSettings.keyFlags.fill(0xFF);
        resetAssignments(state.assignments);
    }

    Slot slotAt(std::size_t position) const {
        return readSlot(state.workingSettings, keyPositions()[position].matrixCell).bytes;
    }

    // The dialog's Save for one position.
    CommitResult save(std::size_t position, std::optional<KeyChoice> choice,
                      bool keyEnabled = true) {
        KeyEdit edit;
        EXPECT_TRUE(selectPosition(edit, position));
        edit.choice = std::move(choice);
        edit.keyEnabled = keyEnabled;
        return commitKeyAssignment(state, edit, names, refresh, file);
    }
    void saveApplied(std::size_t position, std::optional<KeyChoice> choice,
                     bool keyEnabled = true) {
        EXPECT_EQ(save(position, std::move(choice), keyEnabled).apply, KeyApplyResult::Applied);
    }

    static KeyChoice single(std::uint8_t vk) { return SingleKeyChoice{vk}; }
    static KeyChoice combo(std::vector<std::uint8_t> vks) {
        return CombinationChoice{std::move(vks)};
    }

    KeyAssignmentState state;
    KeyNameTable names = buildKeyNameTable();
    int refreshCount = 0;
    MacroSlotRefresh refresh = [this](DeviceSettings&) { ++refreshCount; };
    testing::TestFolder folder{"talvex-store"};
    std::filesystem::path file = folder / "keymap.bin";
};

TEST_F(KeyAssignmentStoreTest, SingleKeyWritesThePlainSlotAndMarksTheKey) {
    const CommitResult result = save(kEsc, single('A'));
    EXPECT_EQ(result.apply, KeyApplyResult::Applied);
    EXPECT_TRUE(result.save.ok());
    EXPECT_EQ(slotAt(kEsc), (Slot{0, 0, 4, 0}));
    EXPECT_EQ(state.assignments[kEsc].type, 0);
    EXPECT_EQ(state.assignments[kEsc].keyCount, 1);
    EXPECT_EQ(state.assignments[kEsc].data[0], 'A');
    EXPECT_EQ(state.keyModified[kEsc], 1);
    // The file on disk holds exactly the state in memory.
    auto bytes = readFileBytes(file, kKeymapFileSize + 1);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, keymapFileBytes(state.workingSettings, state.assignments));
}

TEST_F(KeyAssignmentStoreTest, SingleMediaKeysBecomeConsumerSlots) {
    saveApplied(kEsc, single(181));
    EXPECT_EQ(slotAt(kEsc), (Slot{3, 0, 131, 1}));
    saveApplied(kEsc, single(179));
    EXPECT_EQ(slotAt(kEsc), (Slot{3, 0, 205, 0}));
    saveApplied(kEsc, single(175));
    EXPECT_EQ(slotAt(kEsc), (Slot{3, 0, 233, 0}));
    saveApplied(kEsc, single(174));
    EXPECT_EQ(slotAt(kEsc), (Slot{3, 0, 234, 0}));
}

TEST_F(KeyAssignmentStoreTest, AssigningAKeyToItselfRestoresItsFactoryState) {
    saveApplied(kEsc, single('A'));
    saveApplied(kEsc, single(27));
    EXPECT_EQ(slotAt(kEsc), (Slot{0, 0, 41, 0}));
    EXPECT_EQ(state.assignments[kEsc].keyCount, 0);
    EXPECT_EQ(state.assignments[kEsc].data[0], 0);
    EXPECT_EQ(state.keyModified[kEsc], 0);
    // Backslash goes back to the usage it shipped with, so it does not show as modified later.
    saveApplied(kBackslash, single('B'));
    saveApplied(kBackslash, single(220));
    EXPECT_EQ(slotAt(kBackslash), (Slot{0, 0, 49, 0}));
    recomputeKeyModified(state);
    EXPECT_EQ(state.keyModified[kBackslash], 0);
}

TEST_F(KeyAssignmentStoreTest, CombinationUsesOnlyTheCapturedKeys) {
    saveApplied(kEnter, combo({162, 164, 46}));
    EXPECT_EQ(slotAt(kEnter), (Slot{0, 224, 226, 76}));
    EXPECT_EQ(state.assignments[kEnter].type, 1);
    EXPECT_EQ(state.keyModified[kEnter], 1);

    // One captured key: slot 0, code, 0, 0 and not marked; no key of the longer combination
    // before it outlives it, on the keyboard or in the entry.
    saveApplied(kEnter, combo({'A'}));
    EXPECT_EQ(slotAt(kEnter), (Slot{0, 4, 0, 0}));
    EXPECT_EQ(state.keyModified[kEnter], 0);
    EXPECT_EQ(state.assignments[kEnter].keyCount, 1);
    EXPECT_EQ(state.assignments[kEnter].data[1], 0);

    // A longer one (from a file) keeps every key in the entry; the slot has room for three.
    saveApplied(kEnter, combo({'A', 'B', 'C', 'D'}));
    EXPECT_EQ(slotAt(kEnter), (Slot{0, 4, 5, 6}));
    EXPECT_EQ(state.assignments[kEnter].keyCount, 4);
    EXPECT_EQ(state.assignments[kEnter].data[3], 'D');
}

TEST_F(KeyAssignmentStoreTest, MacroKeyPointsTheSlotAtTheMacroAndRefreshesMacroSlots) {
    saveApplied(kEsc, MacroChoice{5});
    EXPECT_EQ(slotAt(kEsc), (Slot{4, 1, 5, 0}));
    EXPECT_EQ(state.assignments[kEsc].type, 2);
    EXPECT_EQ(state.assignments[kEsc].data[2], 5);
    EXPECT_EQ(state.keyModified[kEsc], 1);
    EXPECT_EQ(refreshCount, 1);
}

TEST_F(KeyAssignmentStoreTest, AMacroTheKeyboardCannotHoldChangesNothing) {
    const KeyAssignments before = state.assignments;
    const DeviceSettings settingsBefore = state.workingSettings;
    for (int index : {-1, 32, 300}) {
        EXPECT_EQ(save(kEsc, MacroChoice{index}, false).apply, KeyApplyResult::MacroRefused)
            << index;
        EXPECT_TRUE(state.workingSettings == settingsBefore) << index;
        EXPECT_TRUE(state.assignments == before) << index;
        EXPECT_EQ(state.keyModified[kEsc], 0);
    }
    EXPECT_EQ(refreshCount, 0);
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(KeyAssignmentStoreTest, FunctionFromTheCatalogue) {
    saveApplied(kEsc, FunctionChoice{u"任务管理器"});
    EXPECT_EQ(slotAt(kEsc), (Slot{0, 224, 226, 76}));
    const auto& data = state.assignments[kEsc].data;
    EXPECT_EQ((Slot{data[0], data[1], data[2], data[3]}), (Slot{0, 224, 226, 76}));
    EXPECT_EQ(functionNameOfSlot(KeySlot{{data[0], data[1], data[2], data[3]}}), u"任务管理器");

    saveApplied(kEnter, FunctionChoice{u"浏览器-主页 "}); // not an exact name
    EXPECT_EQ(slotAt(kEnter), (Slot{0, 0, 40, 0}));
    EXPECT_EQ(state.assignments[kEnter].type, 3);
    EXPECT_EQ(state.keyModified[kEnter], 1);
}

TEST(FunctionCatalogueTest, NamesAndSlotsAreUniqueSoTheReverseLookupIsExact) {
    for (const FunctionEntry& entry : functionCatalogue()) {
        EXPECT_EQ(findFunction(entry.name), entry.slot);
        EXPECT_EQ(functionNameOfSlot(entry.slot), entry.name);
    }
    EXPECT_EQ(findFunction(u"浏览器-主页"), (KeySlot{{3, 0, 35, 2}}));
    EXPECT_TRUE(functionNameOfSlot(KeySlot{{3, 0, 36, 2}}).empty());
}

TEST_F(KeyAssignmentStoreTest, HostActionOnEnterReportsItsVkAndKeepsThePath) {
    saveApplied(kEnter, HostActionChoice{HostActionKind::StartProgram, u"/usr/bin/true"});
    EXPECT_EQ(slotAt(kEnter), (Slot{10, 0, 13, 0}));
    const KeyAssignment& e = state.assignments[kEnter];
    EXPECT_EQ(e.type, 5);
    EXPECT_EQ(e.vk, 13);
    EXPECT_EQ((Slot{e.data[0], e.data[1], e.data[2], e.data[3]}), (Slot{3, 0, 35, 2}));
    EXPECT_EQ(e.pathText(), u"/usr/bin/true");
    EXPECT_EQ(state.keyModified[kEnter], 1);

    // A shorter path replaces the longer one completely.
    saveApplied(kEnter, HostActionChoice{HostActionKind::OpenFolder, u"/x"});
    EXPECT_EQ(state.assignments[kEnter].type, 7);
    EXPECT_EQ(state.assignments[kEnter].pathText(), u"/x");
    EXPECT_EQ(state.assignments[kEnter].path[4], 0);
}

TEST_F(KeyAssignmentStoreTest, OverlongOrBrokenPathIsRefusedAndNothingChanges) {
    const KeyAssignmentState before = state;
    auto sound = [](std::u16string path) {
        return HostActionChoice{HostActionKind::PlaySound, std::move(path)};
    };
    EXPECT_EQ(save(kEnter, sound(std::u16string(256, u'a'))).apply, KeyApplyResult::PathRefused);
    const CommitResult result = save(kEnter, sound(std::u16string(u"/a\0b", 4)), false);
    EXPECT_EQ(result.apply, KeyApplyResult::PathRefused);
    EXPECT_EQ(state.workingSettings, before.workingSettings);
    EXPECT_EQ(state.assignments, before.assignments);
    EXPECT_EQ(state.keyModified, before.keyModified);
    EXPECT_FALSE(std::filesystem::exists(file));

    EXPECT_EQ(save(kEnter, sound(std::u16string(255, u'a'))).apply, KeyApplyResult::Applied);
    EXPECT_EQ(state.assignments[kEnter].pathText().size(), 255u);
}

TEST_F(KeyAssignmentStoreTest, RestoreResetsTheEntryToTheFactorySlotAndFollowsTheSwitch) {
    saveApplied(kEnter, combo({162, 'C'}), false);
    EXPECT_FALSE(keyEnabledAt(state.workingSettings, kEnter));
    EXPECT_EQ(state.keyModified[kEnter], 1);
    saveApplied(kEnter, RestoreKey{});
    EXPECT_TRUE(keyEnabledAt(state.workingSettings, kEnter));
    EXPECT_EQ(slotAt(kEnter), (Slot{0, 0, 40, 0}));
    EXPECT_EQ(state.assignments[kEnter].type, 0);
    EXPECT_EQ(state.assignments[kEnter].keyCount, 0);
    EXPECT_EQ(state.keyModified[kEnter], 0);

    saveApplied(kMedia, single('A'));
    saveApplied(kMedia, RestoreKey{}, false);
    // The media key goes back to its consumer usage, not to a keyboard usage 131.
    EXPECT_EQ(slotAt(kMedia), (Slot{3, 0, 131, 1}));
    EXPECT_EQ(state.assignments[kMedia].keyCount, 0);
    EXPECT_FALSE(keyEnabledAt(state.workingSettings, kMedia));
    EXPECT_EQ(state.keyModified[kMedia], 1);

    saveApplied(kFnPosition, single('A'));
    saveApplied(kFnPosition, RestoreKey{});
    EXPECT_EQ(slotAt(kFnPosition), (Slot{2, 0, 0, 0}));
}

TEST_F(KeyAssignmentStoreTest, NoChoiceKeepsTheAssignmentButAppliesTheSwitchAndSaves) {
    saveApplied(kEsc, single('A'));
    const KeyAssignmentState before = state;
    EXPECT_TRUE(save(kEsc, std::nullopt, false).save.ok());
    EXPECT_EQ(state.assignments, before.assignments);
    EXPECT_EQ(slotAt(kEsc), (Slot{0, 0, 4, 0}));
    EXPECT_FALSE(keyEnabledAt(state.workingSettings, kEsc));
    EXPECT_EQ(readFileBytes(file, kKeymapFileSize + 1),
              keymapFileBytes(state.workingSettings, state.assignments));
}

TEST_F(KeyAssignmentStoreTest, EnableSwitchClearsAndSetsTheCellBit) {
    saveApplied(kApps, single('A'), false); // Apps sits at column 11, row 0
    EXPECT_EQ(state.workingSettings.keyFlags[11], 0xFE);
    EXPECT_EQ(state.keyModified[kApps], 1);
    saveApplied(kApps, single('A'));
    EXPECT_EQ(state.workingSettings.keyFlags[11], 0xFF);
}

TEST_F(KeyAssignmentStoreTest, PositionsOutsideTheKeyboardAreRefused) {
    KeyEdit edit;
    EXPECT_FALSE(selectPosition(edit, kKeyPositionCount));
    edit.position = 200;
    edit.choice = single('A');
    const KeyAssignmentState before = state;
    EXPECT_EQ(commitKeyAssignment(state, edit, names, refresh, file).apply,
              KeyApplyResult::InvalidPosition);
    EXPECT_EQ(applyKeyAssignment(state, 200, single('A'), names, refresh),
              KeyApplyResult::InvalidPosition);
    applyEnableSwitch(state, 200, true);
    EXPECT_EQ(state.workingSettings, before.workingSettings);
    EXPECT_EQ(state.assignments, before.assignments);
    EXPECT_FALSE(keyEnabledAt(state.workingSettings, 200));
}

TEST_F(KeyAssignmentStoreTest, WriteFailureIsReportedAndMemoryKeepsTheEdit) {
    file = folder / "missing-folder" / "keymap.bin";
    const CommitResult result = save(kEsc, single('A'));
    EXPECT_EQ(result.apply, KeyApplyResult::Applied);
    EXPECT_FALSE(result.save.ok());
    EXPECT_FALSE(result.save.message.empty());
    EXPECT_EQ(slotAt(kEsc), (Slot{0, 0, 4, 0}));
}

TEST_F(KeyAssignmentStoreTest, RecomputeMarksEachKindOfDifference) {
    recomputeKeyModified(state);
    for (std::size_t p = 0; p < kKeyPositionCount; ++p)
        EXPECT_EQ(state.keyModified[p], 0) << p;

    writeSlot(state.workingSettings, keyPositions()[kEsc].matrixCell, KeySlot{{0, 0, 4, 0}});
    state.assignments[kEnter].type = 3;
    state.assignments[kVolumeDown].keyCount = 1;
    state.assignments[kVolumeDown].data[0] = 'A';
    setKeyEnabledAt(state.workingSettings, kApps, false);
    writeSlot(state.workingSettings, keyPositions()[kFnPosition].matrixCell, KeySlot{{0, 0, 4, 0}});
    state.keyModified[150] = 1;
    recomputeKeyModified(state);
    EXPECT_EQ(state.keyModified[kEsc], 1);
    EXPECT_EQ(state.keyModified[kEnter], 1);
    EXPECT_EQ(state.keyModified[kVolumeDown], 1);
    EXPECT_EQ(state.keyModified[kApps], 1);
    EXPECT_EQ(state.keyModified[kFnPosition], 0);
    EXPECT_EQ(state.keyModified[150], 0);
    EXPECT_EQ(state.keyModified[kMedia], 0);
}

} // namespace
} // namespace talvex
