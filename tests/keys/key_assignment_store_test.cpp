#include <gtest/gtest.h>

#include <filesystem>

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
    CommitResult save(std::size_t position, PendingAssignment pending) {
        EXPECT_TRUE(selectPosition(state, position));
        state.pendingAssignment = std::move(pending);
        return commitKeyAssignment(state, names, refresh, file);
    }
    void saveApplied(std::size_t position, PendingAssignment pending) {
        EXPECT_EQ(save(position, std::move(pending)).apply, KeyApplyResult::Applied);
    }

    static PendingAssignment keys(std::uint8_t type, std::initializer_list<std::uint8_t> vks,
                                  int count = -1) {
        PendingAssignment p;
        p.type = type;
        std::size_t i = 0;
        for (std::uint8_t vk : vks)
            p.keys[i++] = vk;
        p.keyCount = count < 0 ? static_cast<int>(vks.size()) : count;
        return p;
    }

    static PendingAssignment ofType(AssignmentType type) {
        PendingAssignment p;
        p.type = static_cast<std::uint8_t>(type);
        return p;
    }

    KeyAssignmentState state;
    KeyNameTable names = buildKeyNameTable();
    int refreshCount = 0;
    MacroSlotRefresh refresh = [this](DeviceSettings&) { ++refreshCount; };
    testing::TestFolder folder{"talvex-store"};
    std::filesystem::path file = folder / "keymap.bin";
};

TEST_F(KeyAssignmentStoreTest, SingleKeyWritesThePlainSlotAndMarksTheKey) {
    const CommitResult result = save(kEsc, keys(0, {'A'}));
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
    saveApplied(kEsc, keys(0, {181}));
    EXPECT_EQ(slotAt(kEsc), (Slot{3, 0, 131, 1}));
    saveApplied(kEsc, keys(0, {179}));
    EXPECT_EQ(slotAt(kEsc), (Slot{3, 0, 205, 0}));
    saveApplied(kEsc, keys(0, {175}));
    EXPECT_EQ(slotAt(kEsc), (Slot{3, 0, 233, 0}));
    saveApplied(kEsc, keys(0, {174}));
    EXPECT_EQ(slotAt(kEsc), (Slot{3, 0, 234, 0}));
}

TEST_F(KeyAssignmentStoreTest, AssigningAKeyToItselfRestoresItsFactoryState) {
    saveApplied(kEsc, keys(0, {'A'}));
    saveApplied(kEsc, keys(0, {27}));
    EXPECT_EQ(slotAt(kEsc), (Slot{0, 0, 41, 0}));
    EXPECT_EQ(state.assignments[kEsc].keyCount, 0);
    EXPECT_EQ(state.assignments[kEsc].data[0], 0);
    EXPECT_EQ(state.keyModified[kEsc], 0);
    // Backslash goes back to the usage it shipped with, so it does not show as modified later.
    saveApplied(kBackslash, keys(0, {'B'}));
    saveApplied(kBackslash, keys(0, {220}));
    EXPECT_EQ(slotAt(kBackslash), (Slot{0, 0, 49, 0}));
    recomputeKeyModified(state);
    EXPECT_EQ(state.keyModified[kBackslash], 0);
}

TEST_F(KeyAssignmentStoreTest, SingleKeyWithoutExactlyOneKeyLeavesTheSlot) {
    saveApplied(kEsc, keys(0, {'A', 'B'}));
    EXPECT_EQ(slotAt(kEsc), (Slot{0, 0, 41, 0}));
    EXPECT_EQ(state.assignments[kEsc].keyCount, 2);
    EXPECT_EQ(state.keyModified[kEsc], 0);
}

TEST_F(KeyAssignmentStoreTest, CombinationUsesOnlyTheCapturedKeys) {
    saveApplied(kEnter, keys(1, {162, 164, 46}));
    EXPECT_EQ(slotAt(kEnter), (Slot{0, 224, 226, 76}));
    EXPECT_EQ(state.assignments[kEnter].type, 1);
    EXPECT_EQ(state.keyModified[kEnter], 1);

    // One captured key: slot 0, code, 0, 0 and not marked. Stale keys past the count (left by
    // an earlier capture) must not reach the keyboard.
    saveApplied(kEnter, keys(1, {'A', 'B', 'C'}, 1));
    EXPECT_EQ(slotAt(kEnter), (Slot{0, 4, 0, 0}));
    EXPECT_EQ(state.keyModified[kEnter], 0);
}

TEST_F(KeyAssignmentStoreTest, MacroKeyPointsTheSlotAtTheMacroAndRefreshesMacroSlots) {
    PendingAssignment p = ofType(AssignmentType::MacroKey);
    p.macroIndex = 5;
    saveApplied(kEsc, p);
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
        PendingAssignment p = ofType(AssignmentType::MacroKey);
        p.macroIndex = index;
        p.keyEnabled = false;
        EXPECT_EQ(save(kEsc, p).apply, KeyApplyResult::MacroRefused) << index;
        EXPECT_TRUE(state.workingSettings == settingsBefore) << index;
        EXPECT_TRUE(state.assignments == before) << index;
        EXPECT_EQ(state.keyModified[kEsc], 0);
    }
    EXPECT_EQ(refreshCount, 0);
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(KeyAssignmentStoreTest, FunctionFromTheCatalogue) {
    PendingAssignment p = ofType(AssignmentType::Function);
    p.functionName = u"任务管理器";
    saveApplied(kEsc, p);
    EXPECT_EQ(slotAt(kEsc), (Slot{0, 224, 226, 76}));
    const auto& data = state.assignments[kEsc].data;
    EXPECT_EQ((Slot{data[0], data[1], data[2], data[3]}), (Slot{0, 224, 226, 76}));
    EXPECT_EQ(functionNameOfSlot(KeySlot{{data[0], data[1], data[2], data[3]}}), u"任务管理器");

    p.functionName = u"浏览器-主页 "; // not an exact name
    saveApplied(kEnter, p);
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
    PendingAssignment p = ofType(AssignmentType::StartProgram);
    p.actionPath = u"/usr/bin/true";
    saveApplied(kEnter, p);
    EXPECT_EQ(slotAt(kEnter), (Slot{10, 0, 13, 0}));
    const KeyAssignment& e = state.assignments[kEnter];
    EXPECT_EQ(e.type, 5);
    EXPECT_EQ(e.vk, 13);
    EXPECT_EQ((Slot{e.data[0], e.data[1], e.data[2], e.data[3]}), (Slot{3, 0, 35, 2}));
    EXPECT_EQ(e.pathText(), u"/usr/bin/true");
    EXPECT_EQ(state.keyModified[kEnter], 1);

    // A shorter path replaces the longer one completely.
    p.type = static_cast<std::uint8_t>(AssignmentType::OpenFolder);
    p.actionPath = u"/x";
    saveApplied(kEnter, p);
    EXPECT_EQ(state.assignments[kEnter].pathText(), u"/x");
    EXPECT_EQ(state.assignments[kEnter].path[4], 0);
}

TEST_F(KeyAssignmentStoreTest, OverlongOrBrokenPathIsRefusedAndNothingChanges) {
    const KeyAssignmentState before = state;
    PendingAssignment p = ofType(AssignmentType::PlaySound);
    p.actionPath = std::u16string(256, u'a');
    EXPECT_EQ(save(kEnter, p).apply, KeyApplyResult::PathRefused);
    p.actionPath = std::u16string(u"/a\0b", 4);
    p.keyEnabled = false;
    const CommitResult result = save(kEnter, p);
    EXPECT_EQ(result.apply, KeyApplyResult::PathRefused);
    EXPECT_EQ(state.workingSettings, before.workingSettings);
    EXPECT_EQ(state.assignments, before.assignments);
    EXPECT_EQ(state.keyModified, before.keyModified);
    EXPECT_FALSE(std::filesystem::exists(file));

    p.actionPath = std::u16string(255, u'a');
    EXPECT_EQ(save(kEnter, p).apply, KeyApplyResult::Applied);
    EXPECT_EQ(state.assignments[kEnter].pathText().size(), 255u);
}

TEST_F(KeyAssignmentStoreTest, RestoreMarkerResetsAndReEnablesWhateverTheSwitchSays) {
    PendingAssignment p = keys(1, {162, 'C'});
    p.keyEnabled = false;
    saveApplied(kEnter, p);
    EXPECT_FALSE(keyEnabledAt(state.workingSettings, kEnter));
    EXPECT_EQ(state.keyModified[kEnter], 1);

    PendingAssignment restore = keys(1, {'Q'}, kRestoreMarker);
    restore.keyEnabled = false;
    saveApplied(kEnter, restore);
    EXPECT_TRUE(state.pendingAssignment.keyEnabled);
    EXPECT_TRUE(keyEnabledAt(state.workingSettings, kEnter));
    EXPECT_EQ(slotAt(kEnter), (Slot{0, 0, 40, 0}));
    EXPECT_EQ(state.assignments[kEnter].type, 0);
    EXPECT_EQ(state.assignments[kEnter].keyCount, 0);
    EXPECT_EQ(state.keyModified[kEnter], 0);
}

TEST_F(KeyAssignmentStoreTest, RestoreDefaultKeepsTheSwitchAndRestoresConsumerKeys) {
    saveApplied(kMedia, keys(0, {'A'}));
    PendingAssignment p = ofType(AssignmentType::RestoreDefault);
    p.keyEnabled = false;
    saveApplied(kMedia, p);
    // The media key goes back to its consumer usage, not to a keyboard usage 131.
    EXPECT_EQ(slotAt(kMedia), (Slot{3, 0, 131, 1}));
    EXPECT_EQ(state.assignments[kMedia].keyCount, 0);
    EXPECT_FALSE(keyEnabledAt(state.workingSettings, kMedia));
    EXPECT_EQ(state.keyModified[kMedia], 1);

    saveApplied(kFnPosition, keys(0, {'A'}));
    saveApplied(kFnPosition, ofType(AssignmentType::RestoreDefault));
    EXPECT_EQ(slotAt(kFnPosition), (Slot{2, 0, 0, 0}));
}

TEST_F(KeyAssignmentStoreTest, UnknownTypeChangesNothingButIsStillSaved) {
    const KeyAssignmentState before = state;
    PendingAssignment p;
    p.type = 9;
    p.keyCount = 1;
    EXPECT_TRUE(save(kEsc, p).save.ok());
    EXPECT_EQ(state.workingSettings, before.workingSettings);
    EXPECT_EQ(state.assignments, before.assignments);
}

TEST_F(KeyAssignmentStoreTest, EnableSwitchClearsAndSetsTheCellBit) {
    PendingAssignment p = keys(0, {'A'});
    p.keyEnabled = false;
    saveApplied(kApps, p); // Apps sits at column 11, row 0
    EXPECT_EQ(state.workingSettings.keyFlags[11], 0xFE);
    EXPECT_EQ(state.keyModified[kApps], 1);
    p.keyEnabled = true;
    saveApplied(kApps, p);
    EXPECT_EQ(state.workingSettings.keyFlags[11], 0xFF);
}

TEST_F(KeyAssignmentStoreTest, PositionsOutsideTheKeyboardAreRefused) {
    EXPECT_FALSE(selectPosition(state, kKeyPositionCount));
    state.selectedPosition = 200;
    state.pendingAssignment = keys(0, {'A'});
    const KeyAssignmentState before = state;
    EXPECT_EQ(commitKeyAssignment(state, names, refresh, file).apply,
              KeyApplyResult::InvalidPosition);
    applyEnableSwitch(state);
    EXPECT_EQ(state.workingSettings, before.workingSettings);
    EXPECT_EQ(state.assignments, before.assignments);
    EXPECT_FALSE(keyEnabledAt(state.workingSettings, 200));
}

TEST_F(KeyAssignmentStoreTest, WriteFailureIsReportedAndMemoryKeepsTheEdit) {
    file = folder / "missing-folder" / "keymap.bin";
    const CommitResult result = save(kEsc, keys(0, {'A'}));
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
