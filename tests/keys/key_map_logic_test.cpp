#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "controls/recording_canvas.h"
#include "controls/skin_catalogue.h"
#include "keys/default_key_table.h"
#include "keys/function_catalogue.h"
#include "keys/key_map_logic.h"
#include "keys/key_map_painter.h"
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
        selectPosition(edit, kKeyA);
    }

    KeyAssignment& entry() { return state.assignments[kKeyA]; }
    const std::optional<KeyChoice>& choice() const { return edit.choice; }

    KeyMapLogic& open(std::vector<std::u16string> macros = {u"Fire", u"Reload"}) {
        logic.reset(); // its hook goes before the next one's comes
        logic = std::make_unique<KeyMapLogic>(state, edit, names, std::move(macros),
                                              KeyMapPorts{hook, prompts, host}, "/home/u");
        logic->open();
        return *logic;
    }

    void clickAt(int x, int y) {
        logic->onLButtonDown(x, y);
        logic->onLButtonUp(x, y);
    }
    void click(KeyMapLogic::Button button) {
        static const std::map<KeyMapButton, std::pair<int, int>> centres = {
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

    KeyAssignmentState state;
    KeyEdit edit;
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

    click(KeyMapLogic::Save);
    EXPECT_EQ(host.closed, true);
    EXPECT_EQ(choice(), KeyChoice(CombinationChoice{{kVkA}}));
}

TEST_F(KeyMapLogicTest, SingleKeyBoxKeepsOnlyTheLastPressAndIgnoresReleases) {
    open();
    hook.press(kVkB);
    hook.press(kVkC);
    logic->onKeyStroke({kVkA, true});
    EXPECT_EQ(logic->singleKeyText(), u"C ");
    click(KeyMapLogic::Save);
    EXPECT_EQ(choice(), KeyChoice(SingleKeyChoice{kVkC}));
    EXPECT_TRUE(edit.keyEnabled);
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
    EXPECT_EQ(choice(), KeyChoice(RestoreKey{}));
    EXPECT_FALSE(edit.keyEnabled);
}

TEST_F(KeyMapLogicTest, MacroPageSaves) {
    open();
    click(KeyMapLogic::TabMacro);
    EXPECT_TRUE(logic->controlVisible(KeyMapControl::MacroList));
    EXPECT_FALSE(logic->controlVisible(KeyMapControl::SingleKeyBox));
    click(KeyMapLogic::DisableSwitch);

    // Nothing selected: the key is restored and enabled whatever the switch says.
    click(KeyMapLogic::Save);
    EXPECT_EQ(choice(), KeyChoice(RestoreKey{}));
    EXPECT_TRUE(edit.keyEnabled);

    host.closed.reset();
    logic->onMacroSelection(1);
    click(KeyMapLogic::Save);
    EXPECT_EQ(choice(), KeyChoice(MacroChoice{1}));
    EXPECT_FALSE(edit.keyEnabled);
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
    EXPECT_EQ(choice(), KeyChoice(FunctionChoice{u"复制"}));
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
    EXPECT_EQ(logic->page(), KeyMapPage::Function);
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
    click(KeyMapLogic::Save);
    EXPECT_EQ(choice(), KeyChoice(RestoreKey{}));
}

// Keys the capture sees but the keyboard cannot send are not taken: the box says so in grey
// until the next key, and the answer stays what it was.
TEST_F(KeyMapLogicTest, KeysTheKeyboardCannotSendAreRefusedInBothBoxes) {
    const std::u16string cannotSend = u"（键盘无法发送此键）";
    const std::u16string functionPage = u"（请在“基本功能”页选择）";
    open();
    logic->onSingleKeyBoxFocus();
    hook.press(kVkB);
    for (auto [vk, notice] : {std::pair{std::uint8_t{226}, cannotSend},
                              {124, cannotSend},
                              {166, cannotSend},
                              {173, functionPage},
                              {176, functionPage}}) {
        hook.press(vk);
        EXPECT_EQ(logic->singleKeyText(), notice) << int(vk);
        EXPECT_TRUE(logic->keyBoxGreyed(KeyMapControl::SingleKeyBox));
    }
    hook.press(kVkC);
    EXPECT_EQ(logic->singleKeyText(), u"C ");
    EXPECT_FALSE(logic->keyBoxGreyed(KeyMapControl::SingleKeyBox));
    hook.press(226);
    click(KeyMapLogic::Save);
    EXPECT_EQ(choice(), KeyChoice(SingleKeyChoice{kVkC}));

    open();
    logic->onCombinationBoxFocus();
    hook.press(kLCtrl);
    hook.press(124);
    EXPECT_EQ(logic->combinationText(), cannotSend);
    EXPECT_TRUE(logic->keyBoxGreyed(KeyMapControl::CombinationBox));
    EXPECT_FALSE(logic->keyBoxGreyed(KeyMapControl::SingleKeyBox));
    hook.press(kVkB);
    EXPECT_EQ(logic->combinationText(), u"LCtrl + B ");
    EXPECT_FALSE(logic->keyBoxGreyed(KeyMapControl::CombinationBox));
}

// An older file could store such a key as the key's assignment: it shows, and saves, as no key.
TEST_F(KeyMapLogicTest, AStoredKeyTheKeyboardCannotSendShowsAsNoKey) {
    entry().type = 0;
    entry().keyCount = 1;
    entry().data[0] = 226;
    open();
    EXPECT_EQ(logic->singleKeyText(), u"");
    click(KeyMapLogic::Save);
    EXPECT_EQ(choice(), KeyChoice(RestoreKey{}));

    entry().type = 1;
    entry().keyCount = 3;
    entry().data = {};
    entry().data[0] = kLCtrl;
    entry().data[1] = 124;
    entry().data[2] = kVkB;
    open();
    EXPECT_EQ(logic->combinationText(), u"LCtrl + B ");
    click(KeyMapLogic::Save);
    EXPECT_EQ(choice(), KeyChoice(CombinationChoice{{kLCtrl, kVkB}}));
}

TEST_F(KeyMapLogicTest, CombinationCountFromAFileCannotRunPastTheKeys) {
    entry().type = 1;
    entry().keyCount = 250;
    entry().data[0] = kVkA;
    open();
    hook.press(kVkB);
    EXPECT_EQ(logic->combinationText(), u"B ");
    click(KeyMapLogic::Save);
    EXPECT_EQ(choice(), KeyChoice(CombinationChoice{{kVkB}}));
}

TEST_F(KeyMapLogicTest, StoredMacroAndHostActionOpenTheirPages) {
    entry().type = static_cast<std::uint8_t>(AssignmentType::MacroKey);
    entry().data[0] = 4;
    entry().data[2] = 1;
    open();
    EXPECT_EQ(logic->page(), KeyMapPage::Macro);
    EXPECT_EQ(logic->macroSelection(), 1);
    EXPECT_EQ(host.focused, (std::vector<KeyMapControl>{KeyMapControl::MacroList}));

    entry().type = static_cast<std::uint8_t>(AssignmentType::OpenFile);
    ASSERT_TRUE(entry().setPathText(u"/home/u/notes.txt"));
    setKeyEnabledAt(state.workingSettings, kKeyA, false);
    open();
    EXPECT_EQ(logic->page(), KeyMapPage::Advanced);
    EXPECT_EQ(logic->actionRow(), 2);
    EXPECT_EQ(logic->actionPath(), u"/home/u/notes.txt");
    EXPECT_TRUE(logic->disableSwitch());
    EXPECT_FALSE(edit.keyEnabled);
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
    EXPECT_EQ(choice(), KeyChoice(HostActionChoice{HostActionKind::OpenFile, u""}));
}

TEST_F(KeyMapLogicTest, AdvancedPageWithoutARowRestoresAndARowWithoutAFileKeepsTheKey) {
    open();
    hook.press(kVkB);
    click(KeyMapLogic::TabAdvanced);
    hook.press(kVkC); // no box takes keys here
    click(KeyMapLogic::Save);
    EXPECT_EQ(choice(), KeyChoice(RestoreKey{}));

    open();
    click(KeyMapLogic::TabAdvanced);
    clickSelector(1);
    click(KeyMapLogic::Save);
    EXPECT_EQ(host.closed, true);
    EXPECT_EQ(choice(), std::nullopt);
}

TEST_F(KeyMapLogicTest, ChoosersSetTheRowAndSuspendCapture) {
    open();
    click(KeyMapLogic::TabAdvanced);
    prompts.pathAnswers = {std::nullopt, std::string("/usr/bin/game")};
    clickBrowse(0); // cancelled: only the early highlight
    EXPECT_EQ(logic->radioRow(), 0);
    EXPECT_EQ(logic->actionRow(), std::nullopt);
    clickBrowse(1);
    EXPECT_EQ(logic->actionPath(), u"/usr/bin/game");
    EXPECT_EQ(logic->actionRow(), 1);
    EXPECT_EQ(logic->radioRow(), 1);
    ASSERT_EQ(prompts.questions.size(), 2u);
    EXPECT_EQ(prompts.questions[0].filter, "mp3 Files(*.mp3);;All Files(*)");
#ifdef _WIN32
    EXPECT_EQ(prompts.questions[1].filter, "exe Files(*.exe);;All Files(*)");
#else
    // Programs here seldom have an extension: the chooser opens on every file.
    EXPECT_EQ(prompts.questions[1].filter, "All Files(*);;exe Files(*.exe)");
#endif
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
    click(KeyMapLogic::Save);
    EXPECT_EQ(choice(),
              KeyChoice(HostActionChoice{HostActionKind::StartProgram, u"/usr/bin/game"}));
}

TEST_F(KeyMapLogicTest, PathLongerThanTheEntryIsRefusedWithAMessage) {
    open();
    click(KeyMapLogic::TabAdvanced);
    prompts.pathAnswers = {"/" + std::string(255, 'x')};
    clickBrowse(2);
    EXPECT_EQ(prompts.messageTexts().size(), 1u);
    EXPECT_EQ(logic->actionRow(), std::nullopt);
    EXPECT_EQ(logic->actionPath(), u"");
}

TEST_F(KeyMapLogicTest, RestoreClosesWithOkFromAnyPageAndReEnables) {
    open();
    click(KeyMapLogic::DisableSwitch);
    click(KeyMapLogic::TabFunction);
    click(KeyMapLogic::Restore);
    EXPECT_EQ(host.closed, true);
    EXPECT_EQ(choice(), KeyChoice(RestoreKey{}));
    setKeyEnabledAt(state.workingSettings, kKeyA, false);
    ASSERT_EQ(commitKeyAssignmentInMemory(state, edit, names, nullptr), KeyApplyResult::Applied);
    EXPECT_TRUE(keyEnabledAt(state.workingSettings, kKeyA));
}

TEST_F(KeyMapLogicTest, CloseAndCancelEndWithoutResultAndDragsStartOffTheButtons) {
    open();
    hook.press(kVkB);
    click(KeyMapLogic::Cancel);
    EXPECT_EQ(host.closed, false);
    EXPECT_EQ(choice(), std::nullopt);
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
    paintKeyMap(canvas, *logic);

    EXPECT_EQ(canvas.calls().front().text, kKeyMapBackground);
    const auto path = canvas.captionCalls("../bell.mp3");
    ASSERT_EQ(path.size(), 1u);
    EXPECT_TRUE(pathBoxRect(0).containsInclusive(path[0].x, path[0].y));
    const auto lit = canvas.imageCalls("enable.png");
    ASSERT_EQ(lit.size(), 1u);
    EXPECT_EQ(std::make_pair(lit[0].x, lit[0].y),
              std::make_pair(selectorRect(0).left, selectorRect(0).top));
    EXPECT_EQ(canvas.captionCalls("当前按键：A ").size(), 1u);
    EXPECT_EQ(canvas.captionCalls("高级功能")[0].style.text, kKeyMapLitText);
    EXPECT_EQ(canvas.captionCalls("宏")[0].style.text, kKeyMapDimText);
    EXPECT_EQ(canvas.imageCalls("button-save-over.png").size(), 1u);
}

// Every page, with the pointer on each part and a chosen row: every image ships with the skin
// and fits the dialog, and every caption starts inside one of the areas captions belong to.
TEST_F(KeyMapLogicTest, EveryPaintedPartShipsAndFitsItsPlace) {
    entry().type = static_cast<std::uint8_t>(AssignmentType::OpenFolder);
    ASSERT_TRUE(entry().setPathText(u"/home/u/a/long/folder/"));
    std::vector<Rect> captionAreas = {kKeyMapTitle.area};
    for (const KeyMapTab& tab : kKeyMapTabs)
        captionAreas.push_back(tab.caption.area);
    for (const KeyMapButtonCaption& caption : kKeyMapButtonCaptions)
        captionAreas.push_back(caption.caption.area);
    for (const KeyMapCaption& caption : kKeyPageCaptions)
        captionAreas.push_back(caption.area);
    for (int r = 0; r < kAdvancedRows; ++r) {
        captionAreas.push_back(labelRect(r));
        captionAreas.push_back(pathBoxRect(r));
    }
    auto check = [&](const std::string& state) {
        RecordingCanvas canvas;
        paintKeyMap(canvas, *logic);
        for (const CanvasCall& call : canvas.calls()) {
            if (call.kind == CanvasCall::Kind::Image) {
                const SkinImageEntry* image = findSkinImage(skinImagePath(call.folder, call.text));
                ASSERT_NE(image, nullptr) << call.text << " " << state;
                EXPECT_TRUE(call.x >= 0 && call.y >= 0 &&
                            call.x + image->width <= kKeyMapBounds.right &&
                            call.y + image->height <= kKeyMapBounds.bottom)
                    << call.text << " " << state;
            } else {
                ASSERT_EQ(call.kind, CanvasCall::Kind::Caption);
                const int bottom = call.y + call.style.height - 1;
                EXPECT_TRUE(std::any_of(captionAreas.begin(), captionAreas.end(),
                                        [&](Rect a) {
                                            return a.containsInclusive(call.x, call.y) &&
                                                   a.containsInclusive(call.x, bottom);
                                        }))
                    << call.text << " " << state;
            }
        }
    };
    open();
    for (KeyMapButton tab : {KeyMapLogic::TabKeys, KeyMapLogic::TabMacro, KeyMapLogic::TabFunction,
                             KeyMapLogic::TabAdvanced}) {
        click(tab);
        for (const KeyMapButtonArea& area : kKeyMapButtons) {
            logic->onMouseMove(area.rect.left, area.rect.top);
            check(area.normal);
        }
    }
    open(); // the stored folder row, lit, with the pointer on each browse button
    clickSelector(3);
    for (int r = 0; r < kAdvancedRows; ++r) {
        logic->onMouseMove(browseRect(r).left, browseRect(r).top);
        check("browse " + std::to_string(r));
    }
}

} // namespace
} // namespace talvex
