#include "macros/macro_manager_logic.h"

#include "controls/recording_canvas.h"
#include "platform/scripted_key_hook.h"
#include "platform/scripted_prompts.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace talvex {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Names = std::vector<std::u16string>;
using Logic = MacroManagerLogic;

constexpr std::uint8_t kA = 65, kB = 66;
constexpr std::uint8_t kMute = 173; // the keyboard has no code for it

class RecordingHost final : public MacroManagerHost {
public:
    std::optional<bool> closedWith;
    int drags = 0;
    int refreshes = 0;
    void closeDialog(bool ok) override { closedWith = ok; }
    void startWindowDrag(int, int) override { ++drags; }
    void refresh() override { ++refreshes; }
};

class MacroManagerLogicTest : public ::testing::Test {
protected:
    MacroManagerLogicTest() : logic(saved, names, {hook, prompts, clock, host}) {}

    // Stores a named macro whose key-code events are one press and release of `vk`.
    void storeMacro(std::size_t index, const std::u16string& name, std::uint8_t vk,
                    std::uint16_t loops = 1) {
        MacroRecord& record = saved.records[index];
        record.setNameText(name);
        record.setLoopCountValue(loops);
        record.keyEvents = EventBuffer{0x01, vk, 0x81, vk};
        record.deviceEvents = EventBuffer{0x01, names.deviceCode(vk), 0x81, names.deviceCode(vk)};
    }
    void click(int area) {
        const Rect r = Logic::hotAreas()[static_cast<std::size_t>(area)].rect;
        logic.onLButtonDown(r.left + 2, r.top + 2);
        logic.onLButtonUp(r.left + 2, r.top + 2);
    }
    const MacroRecord& edited(std::size_t i) const { return logic.editedMacros().records[i]; }
    static Bytes used(const EventBuffer& buffer) {
        std::size_t n = buffer.size();
        while (n > 0 && buffer[n - 1] == 0)
            --n;
        return Bytes(buffer.begin(), buffer.begin() + n);
    }

    MacroStore saved = emptyMacroStore();
    KeyNameTable names = buildKeyNameTable();
    ScriptedKeyHook hook;
    ScriptedPrompts prompts;
    ManualClock clock;
    RecordingHost host;
    Logic logic;
};

TEST_F(MacroManagerLogicTest, NewTakesTheFirstFreeNameAndTheRecordsMoveWithTheList) {
    storeMacro(0, u"Macro_001", kA);
    storeMacro(1, u"Macro_003", kB, 7);
    logic.open();
    click(Logic::New);
    EXPECT_EQ(logic.names(), (Names{u"Macro_001", u"Macro_002", u"Macro_003"}));
    EXPECT_EQ(logic.nameSelection(), 1);
    EXPECT_EQ(edited(1).nameText(), u"Macro_002");
    EXPECT_EQ(used(edited(1).keyEvents), Bytes{});
    EXPECT_EQ(edited(1).loopCountValue(), 1);
    EXPECT_EQ(edited(2).nameText(), u"Macro_003");
    EXPECT_EQ(used(edited(2).keyEvents), (Bytes{0x01, kB, 0x81, kB}));
    EXPECT_EQ(edited(2).loopCountValue(), 7);
    EXPECT_EQ(saved.records[1].nameText(), u"Macro_003"); // nothing saved before OK
}

TEST_F(MacroManagerLogicTest, NewRefusesAThirtyThirdMacroSilently) {
    for (std::size_t i = 0; i < kMaxMacrosInUse; ++i)
        storeMacro(i, std::u16string(u"m") + static_cast<char16_t>(u'A' + i), kA);
    logic.open();
    click(Logic::New);
    EXPECT_EQ(logic.names().size(), kMaxMacrosInUse);
    EXPECT_TRUE(prompts.questions.empty());
}

TEST_F(MacroManagerLogicTest, RenamedMacroKeepsItsEventsAndLoopCount) {
    storeMacro(0, u"Macro_001", kA, 5);
    storeMacro(1, u"Macro_002", kB);
    logic.open();
    EXPECT_EQ(logic.onNameEdited(0, u"Zeta"), 1u);
    EXPECT_EQ(logic.names(), (Names{u"Macro_002", u"Zeta"}));
    EXPECT_EQ(logic.nameSelection(), 1);              // the edited line stays selected
    logic.onNameEdited(0, std::u16string(400, u'n')); // cut to what the record holds
    EXPECT_EQ(logic.names()[0].size(), kMacroNameMaxLength);
    logic.onNameEdited(0, u"Macro_002");
    click(Logic::Ok);
    EXPECT_EQ(saved.records[0].nameText(), u"Macro_002");
    EXPECT_EQ(used(saved.records[0].keyEvents), (Bytes{0x01, kB, 0x81, kB}));
    EXPECT_EQ(saved.records[0].loopCountValue(), 1);
    EXPECT_EQ(saved.records[1].nameText(), u"Zeta");
    EXPECT_EQ(used(saved.records[1].keyEvents), (Bytes{0x01, kA, 0x81, kA}));
    EXPECT_EQ(saved.records[1].loopCountValue(), 5);
    EXPECT_EQ(host.closedWith, true);
}

TEST_F(MacroManagerLogicTest, DeleteAsksFirstAndSelectsTheNeighbour) {
    storeMacro(0, u"a", kA);
    storeMacro(1, u"b", kA);
    storeMacro(2, u"c", kB);
    logic.open();
    logic.onNameSelection(2);
    click(Logic::Delete); // declined
    EXPECT_EQ(logic.names().size(), 3u);

    prompts.messageAnswers = {MessageAnswer::Ok, MessageAnswer::Ok, MessageAnswer::Ok};
    click(Logic::Delete);
    EXPECT_EQ(logic.names(), (Names{u"a", u"b"}));
    EXPECT_EQ(logic.nameSelection(), 1);
    EXPECT_FALSE(edited(2).inUse());
    logic.onNameSelection(0);
    click(Logic::Delete);
    click(Logic::Delete);
    EXPECT_TRUE(logic.names().empty());
    EXPECT_EQ(logic.nameSelection(), -1);
    EXPECT_TRUE(logic.eventLines().empty());
    EXPECT_EQ(edited(0), emptyMacroRecord());

    prompts.messageAnswers = {MessageAnswer::Ok};
    click(Logic::Delete);
    click(Logic::Record);
    EXPECT_EQ(prompts.messageTexts(),
              (std::vector<std::string>{
                  "确认删除吗？", "确认删除吗？", "确认删除吗？", "确认删除吗？", "确认删除吗？",
                  "请选择一个宏指令文件删除\n", "请选择一个宏指令文件录制\n"}));
    for (const auto& question : prompts.questions)
        EXPECT_EQ(question.caption, "宏管理");
}

TEST_F(MacroManagerLogicTest, LoopTickStoresOneWhenOffAndTheTypedCountWhenOn) {
    storeMacro(0, u"m", kA, 9);
    logic.open();
    EXPECT_TRUE(logic.loopBoxEnabled());
    EXPECT_EQ(logic.loopText(), "9");
    click(Logic::LoopTick);
    EXPECT_FALSE(logic.loopBoxEnabled());
    EXPECT_EQ(logic.loopText(), "1");
    EXPECT_EQ(edited(0).loopCountValue(), 1);

    click(Logic::LoopTick);
    logic.onLoopTextChanged("25");
    EXPECT_EQ(edited(0).loopCountValue(), 25);
    click(Logic::Ok);
    EXPECT_EQ(saved.records[0].loopCountValue(), 25);
}

TEST_F(MacroManagerLogicTest, CancelAfterRecordingLeavesTheSavedMacrosAsTheyWere) {
    storeMacro(0, u"m", kA);
    const MacroStore before = saved;
    logic.open();
    click(Logic::Record);
    hook.tap(kB);
    EXPECT_EQ(used(edited(0).keyEvents), (Bytes{0x01, kB, 0x81, kB}));
    click(Logic::Cancel);
    EXPECT_EQ(host.closedWith, false);
    EXPECT_FALSE(hook.installed());
    EXPECT_EQ(saved, before);
    logic.open();
    EXPECT_EQ(logic.eventLines(), (Names{u"A  dn", u"A  up"}));
}

TEST_F(MacroManagerLogicTest, DeletingWhileRecordingStopsCapture) {
    storeMacro(0, u"a", kA);
    storeMacro(1, u"b", kB);
    logic.open();
    click(Logic::Record);
    ASSERT_TRUE(hook.installed());
    prompts.messageAnswers = {MessageAnswer::Cancel, MessageAnswer::Ok};
    click(Logic::Delete); // declined: the recording goes on after the question
    EXPECT_TRUE(hook.installed());
    click(Logic::Delete);
    EXPECT_FALSE(hook.installed());
    EXPECT_FALSE(logic.editor().recording());
    RecordingCanvas canvas;
    logic.paint(canvas);
    EXPECT_EQ(canvas.captionCalls("开始录制").size(), 1u);
    const int installs = hook.installCount;
    click(Logic::Record);
    EXPECT_EQ(hook.installCount, installs + 1);
    EXPECT_TRUE(hook.installed());
}

TEST_F(MacroManagerLogicTest, FullMacroStopsCaptureAndSaysSo) {
    storeMacro(0, u"m", kA);
    logic.open();
    click(Logic::Record);
    for (int i = 0; i < 60 && hook.installed(); ++i)
        hook.tap(static_cast<std::uint8_t>(i % 2 ? kA : kB));
    EXPECT_FALSE(hook.installed());
    ASSERT_EQ(prompts.messageTexts().size(), 1u);
    EXPECT_NE(prompts.messageTexts()[0].find("此宏已满"), std::string::npos);
    EXPECT_EQ(used(edited(0).keyEvents).size(),
              188u); // 47 taps; a press needs room for its release

    logic.onEventLineSelection(0);
    logic.onMenuCommand(MacroMenuCommand::LeftClick);
    EXPECT_EQ(prompts.messageTexts().size(), 2u);
}

TEST_F(MacroManagerLogicTest, AKeyTheKeyboardCannotPlayIsShownAsANotice) {
    storeMacro(0, u"m", kA);
    logic.open();
    click(Logic::Record);
    hook.press(kMute);
    EXPECT_EQ(logic.notice(), "此键不能录入宏");
    EXPECT_GT(host.refreshes, 0);
    hook.press(kA);
    EXPECT_EQ(logic.notice(), "");
    EXPECT_TRUE(prompts.questions.empty());
}

TEST_F(MacroManagerLogicTest, InsertingADelayOnADelayLineAsksToEditIt) {
    saved.records[0].setNameText(u"m");
    saved.records[0].keyEvents = EventBuffer{0x01, kA, 0xFF, kA, 0x00, 0xC8};
    saved.records[0].deviceEvents = EventBuffer{0x01, 4, 0xFF, 4, 0x00, 0xC8};
    logic.open();
    logic.onEventLineSelection(1);
    logic.onMenuCommand(MacroMenuCommand::InsertDelay);
    EXPECT_EQ(prompts.messageTexts(), std::vector<std::string>{"请编辑当前延时\n"});
    logic.onDelayEdited(1, 1000);
    EXPECT_EQ(used(edited(0).keyEvents), (Bytes{0x01, kA, 0xFF, kA, 0x03, 0xE8}));
}

TEST_F(MacroManagerLogicTest, OpeningPutsTheRecordsOfAForeignFileInListOrder) {
    storeMacro(0, u"zed", kA);
    storeMacro(3, u"Alpha", kB); // after a gap
    logic.open();
    EXPECT_EQ(logic.names(), (Names{u"Alpha", u"zed"}));
    EXPECT_EQ(used(edited(0).keyEvents), (Bytes{0x01, kB, 0x81, kB}));
    EXPECT_EQ(used(edited(1).keyEvents), (Bytes{0x01, kA, 0x81, kA}));
    EXPECT_FALSE(edited(3).inUse());
}

TEST_F(MacroManagerLogicTest, HotAreasHoverAndDragFromFreeSpots) {
    logic.open();
    EXPECT_EQ(logic.hitTest(78, 380), std::nullopt);
    EXPECT_EQ(logic.hitTest(79, 380), std::nullopt);
    EXPECT_EQ(logic.hitTest(77, 392), Logic::New);
    EXPECT_EQ(logic.hitTest(80, 368), Logic::Delete);
    EXPECT_TRUE(logic.onMouseMove(300, 410));
    EXPECT_TRUE(logic.hover(Logic::Ok));
    EXPECT_FALSE(logic.onMouseMove(301, 411));
    EXPECT_FALSE(logic.onMouseMove(370, 170)); // a tick shows its state, not the pointer
    EXPECT_TRUE(logic.onMouseMove(5, 200));
    EXPECT_FALSE(logic.hover(Logic::Ok));
    logic.onLButtonDown(5, 200);
    EXPECT_EQ(host.drags, 1);
    // A press on one button released on another is no click.
    logic.onLButtonDown(300, 410);
    logic.onLButtonUp(350, 410);
    EXPECT_FALSE(host.closedWith.has_value());
}

TEST_F(MacroManagerLogicTest, PaintDrawsTheTicksAndButtonsInTheirOrder) {
    storeMacro(0, u"m", kA, 3);
    saved.records[0].optionFlags = 1;
    logic.open();
    logic.onMouseMove(30, 370);
    RecordingCanvas canvas;
    logic.paint(canvas);
    std::vector<std::string> images;
    for (const CanvasCall& call : canvas.calls())
        if (call.kind == CanvasCall::Kind::Image)
            images.push_back(call.text + " " + std::to_string(call.x) + "," +
                             std::to_string(call.y));
    EXPECT_EQ(images, (std::vector<std::string>{
                          "Record-normal.png 290,100", "PaneMakingTick.png 296,315",
                          "button-new-over.png 20,368", "button-new-normal.png 80,368",
                          "button-new-normal.png 280,400", "button-new-normal.png 340,400",
                          "PaneMakingTick.png 368,168"}));
    ASSERT_EQ(canvas.captionCalls("宏管理器").size(), 1u);
    EXPECT_EQ(canvas.captionCalls("宏管理器")[0].style.height, 18);
    EXPECT_EQ(canvas.captionCalls("开始录制")[0].x, 310);
}

} // namespace
} // namespace talvex
