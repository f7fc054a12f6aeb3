#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "controls/recording_canvas.h"
#include "keys/default_key_table.h"
#include "keys/function_catalogue.h"
#include "keys/key_map_logic.h"
#include "keys/key_positions.h"
#include "platform/scripted_key_hook.h"
#include "platform/scripted_prompts.h"

namespace talvex {
namespace {

constexpr std::size_t kKeyA = 63; // position of the A key
constexpr std::uint8_t kLCtrl = 162, kLAlt = 164, kDel = 46, kVkA = 65, kVkB = 66, kVkC = 67;

class RecordingHost final : public KeyMapHost {
public:
    void focusControl(KeyMapControl control) override { focused.push_back(control); }
    void closeDialog(bool ok) override { closed = ok; }
    void startWindowDrag(int x, int y) override { drags.emplace_back(x, y); }
    void refresh() override { ++refreshes; }

    std::vector<KeyMapControl> focused;
    std::optional<bool> closed;
    std::vector<std::pair<int, int>> drags;
    int refreshes = 0;
};

// A factory keyboard with every key enabled; the dialog opens on the A key.
class KeyMapLogicTest : public ::testing::Test {
protected:
    KeyMapLogicTest() {
        fillDefaultKeyTable(state.workingSettings.keyTable);
        state.workingSettings.keyFlags.fill(0xFF);
        resetAssignments(state.assignments);
        selectPosition(state, kKeyA);
    }

    KeyAssignment& entry() { return state.assignments[kKeyA]; }
    PendingAssignment& pending() { return state.pendingAssignment; }

    KeyMapLogic& open(std::vector<std::u16string> macros = {u"Fire", u"Reload"}) {
        logic.reset(); // its hook goes before the next one's comes
        logic = std::make_unique<KeyMapLogic>(state, names, std::move(macros),
                                              KeyMapPorts{hook, prompts, host}, "/home/u");
        logic->open();
        return *logic;
    }

    void clickAt(int x, int y) {
        logic->onLButtonDown(x, y);
        logic->onLButtonUp(x, y);
    }
    void click(KeyMapLogic::Button button) {
        static const std::map<int, std::pair<int, int>> centres = {
            {KeyMapLogic::Close, {310, 9}},        {KeyMapLogic::TabKeys, {40, 44}},
            {KeyMapLogic::TabMacro, {120, 44}},    {KeyMapLogic::TabFunction, {200, 44}},
            {KeyMapLogic::TabAdvanced, {280, 44}}, {KeyMapLogic::DisableSwitch, {24, 255}},
            {KeyMapLogic::Restore, {176, 257}},    {KeyMapLogic::Cancel, {230, 257}},
            {KeyMapLogic::Save, {284, 257}}};
        auto [x, y] = centres.at(button);
        clickAt(x, y);
    }
    void clickSelector(int row) { clickAt(20, 76 + 30 * row); }
    void clickBrowse(int row) { clickAt(280, 75 + 30 * row); }

    std::vector<std::uint8_t> capturedKeys(std::size_t n = 4) const {
        return {state.pendingAssignment.keys.begin(), state.pendingAssignment.keys.begin() + n};
    }

    KeyAssignmentState state;
    KeyNameTable names = buildKeyNameTable();
    ScriptedKeyHook hook;
    ScriptedPrompts prompts;
    RecordingHost host;
    std::unique_ptr<KeyMapLogic> logic;
};

TEST_F(KeyMapLogicTest, FourthKeyStartsANewCombinationWithoutTheOldKeys) {
    open();
    logic->onCombinationBoxFocus();
    for (std::uint8_t vk : {kLCtrl, kLAlt, kDel})
        hook.press(vk);
    EXPECT_EQ(logic->combinationText(), u"LCtrl + LAlt + Del ");
    EXPECT_EQ(host.refreshes, 3);

    hook.press(kVkA);
    EXPECT_EQ(logic->combinationText(), u"A ");
    EXPECT_EQ(pending().keyCount, 1);
    EXPECT_EQ(capturedKeys(), (std::vector<std::uint8_t>{kVkA, 0, 0, 0}));

    click(KeyMapLogic::Save);
    EXPECT_EQ(host.closed, true);
    EXPECT_EQ(pending().type, 1);
    EXPECT_EQ(pending().keyCount, 1);
}

TEST_F(KeyMapLogicTest, SingleKeyBoxKeepsOnlyTheLastPressAndIgnoresReleases) {
    open();
    hook.press(kVkB);
    hook.press(kVkC);
    logic->onKeyStroke({kVkA, true});
    EXPECT_EQ(logic->singleKeyText(), u"C ");
    click(KeyMapLogic::Save);
    EXPECT_EQ(pending().type, 0);
    EXPECT_EQ(pending().keyCount, 1);
    EXPECT_EQ(capturedKeys(2), (std::vector<std::uint8_t>{kVkC, 0}));
    EXPECT_TRUE(pending().keyEnabled);
}

TEST_F(KeyMapLogicTest, WithoutTheHookNoKeyIsCaptured) {
    hook.installResult = false;
    open();
    EXPECT_FALSE(logic->hookActive());
    logic->onKeyStroke({kVkB, false});
    EXPECT_EQ(logic->singleKeyText(), u"");
    logic.reset();
    EXPECT_EQ(hook.removeCount, 0); // never installed, never removed
}

TEST_F(KeyMapLogicTest, SavingAnEmptyKeyPageRestoresAndFollowsTheSwitch) {
    open();
    click(KeyMapLogic::DisableSwitch);
    EXPECT_TRUE(logic->disableSwitch());
    click(KeyMapLogic::Save);
    EXPECT_EQ(pending().type, static_cast<std::uint8_t>(AssignmentType::RestoreDefault));
    EXPECT_FALSE(pending().keyEnabled);
}

TEST_F(KeyMapLogicTest, MacroPageSaves) {
    open();
    click(KeyMapLogic::TabMacro);
    EXPECT_TRUE(logic->controlVisible(KeyMapControl::MacroList));
    EXPECT_FALSE(logic->controlVisible(KeyMapControl::SingleKeyBox));
    click(KeyMapLogic::DisableSwitch);

    // Nothing selected: the key is restored and enabled whatever the switch says.
    click(KeyMapLogic::Save);
    EXPECT_EQ(pending().type, static_cast<std::uint8_t>(AssignmentType::RestoreDefault));
    EXPECT_EQ(pending().macroIndex, -1);
    EXPECT_TRUE(pending().keyEnabled);

    host.closed.reset();
    logic->onMacroSelection(1);
    click(KeyMapLogic::Save);
    EXPECT_EQ(pending().type, static_cast<std::uint8_t>(AssignmentType::MacroKey));
    EXPECT_EQ(pending().macroIndex, 1);
    EXPECT_FALSE(pending().keyEnabled);
}

TEST_F(KeyMapLogicTest, MacroBeyondTheKeyboardsSlotsIsRefused) {
    std::vector<std::u16string> macros(40, u"m");
    open(macros);
    click(KeyMapLogic::TabMacro);
    logic->onMacroSelection(32);
    click(KeyMapLogic::Save);
    EXPECT_FALSE(host.closed);
    ASSERT_EQ(prompts.messageTexts().size(), 1u);
}

TEST_F(KeyMapLogicTest, FunctionPageNeedsALeaf) {
    open();
    click(KeyMapLogic::TabFunction);
    click(KeyMapLogic::Save);
    logic->onTreeSelection(2); // the "多媒体" group
    click(KeyMapLogic::Save);
    EXPECT_EQ(prompts.messageTexts(), (std::vector<std::string>{"请选择子项", "请选择子项"}));
    EXPECT_FALSE(host.closed);
    EXPECT_TRUE(hook.installed()); // capture is back after the message

    logic->onTreeSelection(14); // "复制"
    click(KeyMapLogic::Save);
    EXPECT_EQ(host.closed, true);
    EXPECT_EQ(pending().type, static_cast<std::uint8_t>(AssignmentType::Function));
    EXPECT_EQ(pending().functionName, u"复制");
}

TEST_F(KeyMapLogicTest, EveryTreeLeafIsACatalogueFunction) {
    int leaves = 0;
    for (const FunctionTreeItem& item : functionTreeItems()) {
        if (item.group)
            continue;
        ++leaves;
        EXPECT_TRUE(findFunction(item.text).has_value());
    }
    EXPECT_EQ(leaves, static_cast<int>(kFunctionCount));
}

TEST_F(KeyMapLogicTest, StoredFunctionIsSelectedWithItsGroupExpanded) {
    entry().type = static_cast<std::uint8_t>(AssignmentType::Function);
    const KeySlot copy = *findFunction(u"复制");
    std::copy(copy.bytes.begin(), copy.bytes.end(), entry().data.begin());
    open();
    EXPECT_EQ(logic->page(), 2);
    EXPECT_EQ(functionTreeItems()[static_cast<std::size_t>(logic->treeSelection())].text, u"复制");
    EXPECT_TRUE(logic->treeItemExpanded(11)); // "快捷键"
    EXPECT_FALSE(logic->treeItemExpanded(2));
}

TEST_F(KeyMapLogicTest, StoredCombinationSurvivesTheFirstFocusEvent) {
    entry().type = 1;
    entry().keyCount = 2;
    entry().data[0] = kLCtrl;
    entry().data[1] = kVkB;
    open();
    EXPECT_EQ(logic->combinationText(), u"LCtrl + B ");
    EXPECT_EQ(host.focused, (std::vector<KeyMapControl>{KeyMapControl::CombinationBox}));
    logic->onCombinationBoxFocus();
    EXPECT_EQ(logic->combinationText(), u"LCtrl + B ");
    hook.press(kVkC); // the third key adds to the stored two
    EXPECT_EQ(logic->combinationText(), u"LCtrl + B + C ");

    // Moving to the single-key box starts over there.
    logic->onSingleKeyBoxFocus();
    EXPECT_EQ(logic->combinationText(), u"");
    EXPECT_EQ(pending().type, 0);
    EXPECT_EQ(pending().keyCount, 0);
}

TEST_F(KeyMapLogicTest, CombinationCountFromAFileCannotRunPastTheKeys) {
    entry().type = 1;
    entry().keyCount = 250;
    entry().data[0] = kVkA;
    open();
    hook.press(kVkB);
    EXPECT_EQ(pending().keyCount, 1);
    EXPECT_EQ(logic->combinationText(), u"B ");
}

TEST_F(KeyMapLogicTest, StoredMacroAndHostActionOpenTheirPages) {
    entry().type = static_cast<std::uint8_t>(AssignmentType::MacroKey);
    entry().data[0] = 4;
    entry().data[2] = 1;
    open();
    EXPECT_EQ(logic->page(), 1);
    EXPECT_EQ(logic->macroSelection(), 1);
    EXPECT_EQ(host.focused, (std::vector<KeyMapControl>{KeyMapControl::MacroList}));

    entry().type = static_cast<std::uint8_t>(AssignmentType::OpenFile);
    ASSERT_TRUE(entry().setPathText(u"/home/u/notes.txt"));
    setKeyEnabledAt(state.workingSettings, kKeyA, false);
    open();
    EXPECT_EQ(logic->page(), 3);
    EXPECT_EQ(logic->actionRow(), 2);
    EXPECT_EQ(pending().actionPath, u"/home/u/notes.txt");
    EXPECT_TRUE(logic->disableSwitch());
    EXPECT_FALSE(pending().keyEnabled);
}

TEST_F(KeyMapLogicTest, SelectorOnlyAdvancedSaveKeepsTheCurrentTypeWithNoPath) {
    entry().type = static_cast<std::uint8_t>(AssignmentType::OpenFile);
    ASSERT_TRUE(entry().setPathText(u"/home/u/notes.txt"));
    open();
    clickSelector(0);
    EXPECT_EQ(logic->radioRow(), 0);
    EXPECT_EQ(logic->actionRow(), 0);
    click(KeyMapLogic::Save);
    EXPECT_EQ(host.closed, true);
    EXPECT_EQ(pending().type, static_cast<std::uint8_t>(AssignmentType::OpenFile));
    EXPECT_EQ(pending().actionPath, u"");
}

TEST_F(KeyMapLogicTest, AdvancedPageWithoutARowRestores) {
    open();
    hook.press(kVkB);
    click(KeyMapLogic::TabAdvanced);
    EXPECT_EQ(pending().keyCount, 0);
    EXPECT_EQ(pending().type, KeyMapLogic::kNone);
    click(KeyMapLogic::Save);
    EXPECT_EQ(pending().type, static_cast<std::uint8_t>(AssignmentType::RestoreDefault));
}

TEST_F(KeyMapLogicTest, ChoosersSetTheRowAndSuspendCapture) {
    open();
    click(KeyMapLogic::TabAdvanced);
    prompts.pathAnswers = {std::nullopt, std::string("/usr/bin/game")};
    clickBrowse(0); // cancelled: only the early highlight
    EXPECT_EQ(logic->radioRow(), 0);
    EXPECT_EQ(logic->actionRow(), KeyMapLogic::kNone);
    clickBrowse(1);
    EXPECT_EQ(pending().type, static_cast<std::uint8_t>(AssignmentType::StartProgram));
    EXPECT_EQ(pending().actionPath, u"/usr/bin/game");
    EXPECT_EQ(logic->actionRow(), 1);
    EXPECT_EQ(logic->radioRow(), 4);
    ASSERT_EQ(prompts.questions.size(), 2u);
    EXPECT_EQ(prompts.questions[1].filter, "exe Files(*.exe);;All Files(*)");
    EXPECT_EQ(prompts.questions[1].startFolder, "/home/u");
    EXPECT_EQ(hook.removeCount, 2);
    EXPECT_TRUE(hook.installed());

    // A folder chooser that answers no usable folder chooses nothing.
    prompts.pathAnswers = {std::string("relative/dir")};
    clickBrowse(3);
    EXPECT_EQ(prompts.questions[2].kind, ScriptedPrompts::Kind::Folder);
    EXPECT_EQ(prompts.questions[2].text, "modification path");
    EXPECT_EQ(prompts.messageTexts(), (std::vector<std::string>{"请选择文件夹\n"}));
    EXPECT_EQ(logic->actionRow(), 1);
}

TEST_F(KeyMapLogicTest, PathLongerThanTheEntryIsRefusedWithAMessage) {
    open();
    click(KeyMapLogic::TabAdvanced);
    prompts.pathAnswers = {"/" + std::string(255, 'x')};
    clickBrowse(2);
    EXPECT_EQ(prompts.messageTexts().size(), 1u);
    EXPECT_EQ(logic->actionRow(), KeyMapLogic::kNone);
    EXPECT_EQ(pending().actionPath, u"");
}

TEST_F(KeyMapLogicTest, RestoreClosesWithOkFromAnyPageAndReEnables) {
    open();
    click(KeyMapLogic::DisableSwitch);
    click(KeyMapLogic::TabFunction);
    click(KeyMapLogic::Restore);
    EXPECT_EQ(host.closed, true);
    EXPECT_EQ(pending().keyCount, kRestoreMarker);
    ASSERT_EQ(applyKeyAssignment(state, names, nullptr), KeyApplyResult::Applied);
    applyEnableSwitch(state);
    EXPECT_TRUE(keyEnabledAt(state.workingSettings, kKeyA));
}

TEST_F(KeyMapLogicTest, CloseAndCancelEndWithoutResultAndDragsStartOffTheButtons) {
    open();
    hook.press(kVkB);
    click(KeyMapLogic::Cancel);
    EXPECT_EQ(host.closed, false);
    EXPECT_EQ(pending().keyCount, 0);
    host.closed.reset();
    click(KeyMapLogic::Close);
    EXPECT_EQ(host.closed, false);
    EXPECT_TRUE(host.drags.empty());

    clickAt(150, 20);
    EXPECT_EQ(host.drags, (std::vector<std::pair<int, int>>{{150, 20}}));
    // A press that turned into a drag does not click the button it ends on.
    host.closed.reset();
    logic->onLButtonDown(150, 20);
    logic->onLButtonUp(284, 257);
    EXPECT_FALSE(host.closed);
}

TEST_F(KeyMapLogicTest, HitTestPrefersTheEnlargedSwitch) {
    open();
    EXPECT_EQ(logic->hitTest(14, 246), KeyMapLogic::DisableSwitch);
    EXPECT_EQ(logic->hitTest(34, 265), KeyMapLogic::DisableSwitch);
    EXPECT_EQ(logic->hitTest(81, 40), KeyMapLogic::TabKeys); // shared edge: first wins
    EXPECT_EQ(logic->hitTest(305, 268), KeyMapLogic::Save);
    EXPECT_EQ(logic->hitTest(35, 250), std::nullopt);
    logic.reset();
    EXPECT_EQ(hook.removeCount, 1);
}

TEST(ShortenedPathTest, LongPathsShowTheirLastPart) {
    EXPECT_EQ(shortenedPath(u"C:\\a\\song.mp3"), u"C:\\a\\song.mp3"); // 13 characters
    EXPECT_EQ(shortenedPath(u"C:\\ab\\song.mp3"), u"..\\song.mp3");
    EXPECT_EQ(shortenedPath(u"/home/u/music/"), u"../music/");
    EXPECT_EQ(shortenedPath(u"averyveryverylongname"), u"..erylongname");
}

TEST_F(KeyMapLogicTest, PaintsTheAdvancedRowAndTheCurrentTab) {
    entry().type = static_cast<std::uint8_t>(AssignmentType::PlaySound);
    ASSERT_TRUE(entry().setPathText(u"/home/u/sounds/bell.mp3"));
    open();
    logic->onMouseMove(284, 257);
    RecordingCanvas canvas;
    logic->paint(canvas);

    ASSERT_EQ(canvas.captionCalls("../bell.mp3").size(), 1u);
    EXPECT_EQ(canvas.captionCalls("../bell.mp3")[0].x, 85);
    EXPECT_EQ(canvas.captionCalls("../bell.mp3")[0].y, 69);
    const auto lit = canvas.imageCalls("enable.png");
    ASSERT_EQ(lit.size(), 1u);
    EXPECT_EQ(std::make_pair(lit[0].x, lit[0].y), std::make_pair(15, 72));
    EXPECT_EQ(canvas.captionCalls("当前按键：A ").size(), 1u);
    EXPECT_EQ(canvas.captionCalls("高级功能")[0].style.text, (Colour{255, 255, 255}));
    EXPECT_EQ(canvas.captionCalls("宏")[0].style.text, (Colour{192, 192, 192}));
    EXPECT_EQ(canvas.imageCalls("cursor.png")[0].x, 280);
    EXPECT_EQ(canvas.imageCalls("button-save-over.png").size(), 1u);
    EXPECT_EQ(canvas.calls().front().text, "Custom_BK.png");
}

} // namespace
} // namespace talvex
