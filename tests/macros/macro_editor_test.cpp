#include "macros/macro_editor.h"
#include "macros/macro_event.h"
#include "platform/scripted_key_hook.h"

#include <gtest/gtest.h>
#include <initializer_list>

namespace talvex {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Lines = std::vector<std::u16string>;

constexpr std::uint8_t kA = 65, kB = 66; // device codes 4 and 5
constexpr std::uint8_t kMute = 173;      // a key the keyboard has no code for

class MacroEditorTest : public ::testing::Test {
protected:
    MacroEditorTest() : editor(macros, names, hook, clock) {
        macros.records[0].setNameText(u"Macro_001");
        macros.records[0].setLoopCountValue(1);
        editor.reset();
        editor.selectMacro(0);
    }

    // Stores a macro given by its key-code bytes; device codes follow the name table.
    void storeMacro(std::initializer_list<std::uint8_t> keyBytes) {
        MacroRecord& record = macros.records[0];
        record.keyEvents.fill(0);
        record.deviceEvents.fill(0);
        std::copy(keyBytes.begin(), keyBytes.end(), record.keyEvents.begin());
        record.deviceEvents = record.keyEvents;
        for (const SequenceEvent& event : layoutSequence(record.keyEvents).events)
            record.deviceEvents[event.offset + 1] = names.deviceCode(event.code);
        editor.selectMacro(0);
    }

    // Press A, 200 ms, release A.
    void storePressWaitRelease() { storeMacro({0x01, kA, 0xFF, kA, 0x00, 0xC8}); }

    // The bytes up to the last non-zero one; the rest must be zero.
    static Bytes used(const EventBuffer& buffer) {
        std::size_t n = buffer.size();
        while (n > 0 && buffer[n - 1] == 0)
            --n;
        return Bytes(buffer.begin(), buffer.begin() + n);
    }
    Bytes keyBytes() const { return used(editor.editKeyEvents()); }
    Bytes deviceBytes() const { return used(editor.editDeviceEvents()); }
    Bytes storedKeyBytes() const { return used(macros.records[0].keyEvents); }

    void startRecording(bool withDelays) {
        editor.setDelayOption(withDelays);
        ASSERT_EQ(editor.toggleRecording(), EditOutcome::Applied);
    }

    MacroStore macros = emptyMacroStore();
    KeyNameTable names = buildKeyNameTable();
    ScriptedKeyHook hook;
    ManualClock clock;
    MacroEditor editor;
};

TEST_F(MacroEditorTest, RecordingWithDelaysMeasuresTheWaitBetweenEvents) {
    startRecording(true);
    EXPECT_TRUE(hook.installed());
    EXPECT_EQ(hook.installedMode(), 1);
    hook.press(kA);
    clock.advanceMs(1500);
    hook.release(kA);
    EXPECT_EQ(keyBytes(), (Bytes{0x01, kA, 0xFF, kA, 0x05, 0xDC}));
    EXPECT_EQ(deviceBytes(), (Bytes{0x01, 4, 0xFF, 4, 0x05, 0xDC}));
    EXPECT_EQ(editor.lines(), (Lines{u"A  dn", u"1500 ms", u"A  up"}));
    EXPECT_EQ(editor.selectedLine(), 2u);
    EXPECT_EQ(editor.appendPos(), 6u);
    EXPECT_EQ(storedKeyBytes(), keyBytes()); // stored as each event arrives
    EXPECT_EQ(macros.records[0].optionFlags, 1);
}

TEST_F(MacroEditorTest, RecordingWithoutDelaysIgnoresTiming) {
    startRecording(false);
    hook.press(kA);
    clock.advanceMs(1500);
    hook.release(kA);
    EXPECT_EQ(keyBytes(), (Bytes{0x01, kA, 0x81, kA}));
    EXPECT_EQ(editor.lines(), (Lines{u"A  dn", u"A  up"}));
    EXPECT_EQ(macros.records[0].optionFlags, 0);
}

TEST_F(MacroEditorTest, ShortAndCappedDelays) {
    startRecording(true);
    hook.press(kA);
    clock.advanceMs(1);
    hook.press(kB); // 1 ms: no delay line
    clock.advance(std::chrono::microseconds(800));
    hook.release(kB); // under 1 ms: stored as no delay, not as delay code 0
    clock.advanceMs(2 * 60 * 1000);
    hook.release(kA); // two minutes: capped
    EXPECT_EQ(keyBytes(), (Bytes{0x01, kA, 0x01, kB, 0x81, kB, 0xFF, kA, 0xEA, 0x60}));
    EXPECT_EQ(editor.lines(), (Lines{u"A  dn", u"B  dn", u"B  up", u"60000 ms", u"A  up"}));
}

TEST_F(MacroEditorTest, AutoRepeatAndRepeatedReleasesAreRecordedOnce) {
    startRecording(false);
    for (int i = 0; i < 5; ++i)
        hook.press(kA);
    hook.press(kB);
    hook.press(kB);
    hook.release(kB);
    hook.release(kB);
    hook.release(kA);
    EXPECT_EQ(editor.lines(), (Lines{u"A  dn", u"B  dn", u"B  up", u"A  up"}));
}

TEST_F(MacroEditorTest, KeysWithoutDeviceCodeAreNotRecorded) {
    startRecording(false);
    EXPECT_EQ(editor.keyStroke({kMute, false}), EditOutcome::KeyWithoutCode);
    hook.tap(kMute);
    hook.tap(kA);
    EXPECT_EQ(keyBytes(), (Bytes{0x01, kA, 0x81, kA}));
}

TEST_F(MacroEditorTest, StartingARecordingClearsTheMacroAtOnce) {
    storePressWaitRelease();
    startRecording(true);
    EXPECT_TRUE(editor.lines().empty());
    EXPECT_EQ(storedKeyBytes(), Bytes{});
    EXPECT_EQ(used(macros.records[0].deviceEvents), Bytes{});
}

TEST_F(MacroEditorTest, StartAndStopOfRecording) {
    startRecording(false);
    EXPECT_EQ(editor.toggleRecording(), EditOutcome::Applied);
    EXPECT_FALSE(editor.recording());
    EXPECT_FALSE(hook.installed());
    EXPECT_EQ(hook.removeCount, 1);

    hook.installResult = false;
    startRecording(false);
    EXPECT_TRUE(editor.recording());
    EXPECT_FALSE(editor.hookInstalled());
    EXPECT_EQ(editor.keyStroke({kA, false}), EditOutcome::Ignored);
    EXPECT_TRUE(editor.lines().empty());

    editor.toggleRecording();
    editor.selectMacro(std::nullopt);
    EXPECT_EQ(editor.toggleRecording(), EditOutcome::NoMacroSelected);
    EXPECT_FALSE(editor.recording());
}

TEST_F(MacroEditorTest, RecordingStopsAcceptingWhenFullAndKeepsRoomForARelease) {
    std::vector<EditOutcome> outcomes;
    editor.setStrokeListener([&](EditOutcome o) { outcomes.push_back(o); });
    startRecording(false);
    // 47 taps of 4 bytes fill 188 bytes: a press would leave no room for its release.
    for (int i = 0; i < 47; ++i)
        hook.tap(i % 2 ? kA : kB);
    EXPECT_EQ(editor.appendPos(), 188u);
    outcomes.clear();
    hook.press(kA);
    EXPECT_EQ(outcomes, (std::vector<EditOutcome>{EditOutcome::NoRoom}));
    EXPECT_EQ(editor.appendPos(), 188u);

    // A release still goes in, without its long wait, so no key stays down.
    editor.setDelayOption(true);
    clock.advanceMs(500);
    hook.release(kA);
    EXPECT_EQ(editor.appendPos(), 190u);
    EXPECT_EQ(editor.editKeyEvents()[188], 0x81);
    hook.release(kB);
    EXPECT_EQ(outcomes.back(), EditOutcome::NoRoom);
    EXPECT_EQ(layoutSequence(editor.editKeyEvents()).endOffset, 190u);
}

TEST_F(MacroEditorTest, InsertAfterPressLineGoesBeforeTheDelayOfTheNextEvent) {
    storePressWaitRelease();
    editor.selectLine(0);
    ASSERT_EQ(editor.insertKeyAfter(), EditOutcome::Applied);
    EXPECT_TRUE(editor.insertMode());
    hook.tap(kB);
    EXPECT_FALSE(editor.insertMode());
    EXPECT_FALSE(hook.installed());
    EXPECT_EQ(editor.lines(), (Lines{u"A  dn", u"B  dn", u"B  up", u"200 ms", u"A  up"}));
    EXPECT_EQ(keyBytes(), (Bytes{0x01, kA, 0x01, kB, 0x81, kB, 0xFF, kA, 0x00, 0xC8}));
    EXPECT_EQ(deviceBytes(), (Bytes{0x01, 4, 0x01, 5, 0x81, 5, 0xFF, 4, 0x00, 0xC8}));
    EXPECT_EQ(storedKeyBytes(), keyBytes());
}

// An insertion whose hook could not be installed must not claim capture, or the window would
// ask for a key that never arrives and a later removal would hit a hook that is not there.
TEST_F(MacroEditorTest, InsertionWithoutTheHookClaimsNoCapture) {
    storePressWaitRelease();
    hook.installResult = false;
    editor.selectLine(0);
    ASSERT_EQ(editor.insertKeyAfter(), EditOutcome::Applied);
    EXPECT_FALSE(editor.hookInstalled());
    editor.stopCapture();
    EXPECT_EQ(hook.removeCount, 0);
}

TEST_F(MacroEditorTest, InsertAfterDelayLineGoesAfterItsEvent) {
    storePressWaitRelease();
    editor.selectLine(1);
    ASSERT_EQ(editor.insertKeyAfter(), EditOutcome::Applied);
    hook.tap(kB);
    EXPECT_EQ(editor.lines(), (Lines{u"A  dn", u"200 ms", u"A  up", u"B  dn", u"B  up"}));
}

TEST_F(MacroEditorTest, InsertBeforeReleaseLineGoesInFrontOfItsDelay) {
    storePressWaitRelease();
    editor.selectLine(2);
    ASSERT_EQ(editor.insertKeyBefore(), EditOutcome::Applied);
    EXPECT_EQ(editor.insertLine(), 1u);
    hook.press(kB);
    hook.press(kB); // auto-repeat while inserting adds one more press
    hook.release(kB);
    EXPECT_EQ(editor.lines(), (Lines{u"A  dn", u"B  dn", u"B  dn", u"B  up", u"200 ms", u"A  up"}));
    EXPECT_EQ(editor.selectedLine(), 5u); // the selection stays on the release of A
}

TEST_F(MacroEditorTest, InsertBeforeTheFirstLine) {
    storePressWaitRelease();
    editor.selectLine(0);
    editor.insertKeyBefore();
    hook.tap(kB);
    EXPECT_EQ(keyBytes(), (Bytes{0x01, kB, 0x81, kB, 0x01, kA, 0xFF, kA, 0x00, 0xC8}));
}

TEST_F(MacroEditorTest, MouseClickAfterTheLastLineAppendsFourBytes) {
    storePressWaitRelease();
    editor.selectLine(2);
    EXPECT_EQ(editor.insertMouse(MouseButton::Left, MouseAction::Click), EditOutcome::Applied);
    EXPECT_EQ(keyBytes(), (Bytes{0x01, kA, 0xFF, kA, 0x00, 0xC8, 0x01, 0xF0, 0x81, 0xF0}));
    EXPECT_EQ(deviceBytes(), (Bytes{0x01, 4, 0xFF, 4, 0x00, 0xC8, 0x01, 0xF0, 0x81, 0xF0}));
    EXPECT_EQ(editor.lines(), (Lines{u"A  dn", u"200 ms", u"A  up", u"MsLB dn", u"MsLB up"}));
}

TEST_F(MacroEditorTest, MouseButtonsGoAfterTheSelectedEventAndCancelAPendingInsertion) {
    storePressWaitRelease();
    editor.selectLine(0);
    editor.insertKeyAfter();
    editor.selectLine(1);
    EXPECT_EQ(editor.insertMouse(MouseButton::Right, MouseAction::Release), EditOutcome::Applied);
    EXPECT_FALSE(editor.insertMode());
    EXPECT_TRUE(editor.hookInstalled()); // the hook stays
    editor.selectLine(0);
    editor.insertMouse(MouseButton::Middle, MouseAction::Press);
    EXPECT_EQ(editor.lines(), (Lines{u"A  dn", u"MsMB dn", u"200 ms", u"A  up", u"MsRB up"}));
}

TEST_F(MacroEditorTest, ChangingADelayGrowsAndShrinksTheEvent) {
    storeMacro({0x01, kA, 0xFF, kA, 0x00, 0xC8, 0x01, kB});
    EXPECT_EQ(editor.changeDelay(1, 1000), EditOutcome::Applied);
    EXPECT_EQ(keyBytes(), (Bytes{0x01, kA, 0xFF, kA, 0x03, 0xE8, 0x01, kB}));
    EXPECT_EQ(editor.lines(), (Lines{u"A  dn", u"1000 ms", u"A  up", u"B  dn"}));
    EXPECT_EQ(editor.changeDelay(1, 100), EditOutcome::Applied);
    EXPECT_EQ(keyBytes(), (Bytes{0x01, kA, 0xE4, kA, 0x01, kB}));
    EXPECT_EQ(deviceBytes(), (Bytes{0x01, 4, 0xE4, 4, 0x01, 5}));
    EXPECT_EQ(editor.appendPos(), 6u);
    EXPECT_EQ(storedKeyBytes(), keyBytes());
    EXPECT_EQ(editor.changeDelay(2, 300), EditOutcome::Ignored); // a key line
    EXPECT_EQ(editor.changeDelay(1, 0), EditOutcome::Applied);   // raised to 2 ms
    EXPECT_EQ(editor.lines()[1], u"2 ms");
}

TEST_F(MacroEditorTest, InsertingADelayReplacesTheNextEventsDelay) {
    storePressWaitRelease();
    editor.selectLine(0);
    EXPECT_EQ(editor.insertDelay(), EditOutcome::Applied);
    EXPECT_EQ(keyBytes(), (Bytes{0x01, kA, 0xB2, kA}));
    EXPECT_EQ(editor.lines(), (Lines{u"A  dn", u"50 ms", u"A  up"}));

    editor.selectLine(1);
    EXPECT_EQ(editor.insertDelay(), EditOutcome::DelayLineSelected);
    editor.selectLine(2);
    EXPECT_EQ(editor.insertDelay(), EditOutcome::Ignored); // the last line
    EXPECT_EQ(keyBytes(), (Bytes{0x01, kA, 0xB2, kA}));
}

TEST_F(MacroEditorTest, DeletingADelayLineKeepsItsEvent) {
    storePressWaitRelease();
    editor.selectLine(1);
    EXPECT_EQ(editor.deleteLine(), EditOutcome::Applied);
    EXPECT_EQ(keyBytes(), (Bytes{0x01, kA, 0x81, kA}));
    EXPECT_EQ(editor.lines(), (Lines{u"A  dn", u"A  up"}));
}

TEST_F(MacroEditorTest, DeletingAKeyLineTakesItsDelayWithIt) {
    storeMacro({0x01, kA, 0xFF, kA, 0x00, 0xC8, 0x01, kB});
    editor.selectLine(2);
    EXPECT_EQ(editor.deleteLine(), EditOutcome::Applied);
    EXPECT_EQ(keyBytes(), (Bytes{0x01, kA, 0x01, kB}));
    EXPECT_EQ(deviceBytes(), (Bytes{0x01, 4, 0x01, 5}));
}

TEST_F(MacroEditorTest, DeletingTheFirstLineDropsTheNewFirstEventsDelayWhole) {
    storeMacro({0x01, kA, 0xFF, kA, 0x05, 0xDC, 0x32, kB});
    editor.selectLine(0);
    EXPECT_EQ(editor.deleteLine(), EditOutcome::Applied);
    // The extended delay's two bytes go too: keeping them would read as an event of its own.
    EXPECT_EQ(keyBytes(), (Bytes{0x81, kA, 0x32, kB}));
    EXPECT_EQ(editor.lines(), (Lines{u"A  up", u"50 ms", u"B  dn"}));
}

TEST_F(MacroEditorTest, FullMacroRefusesInsertionsThatDoNotFitWhole) {
    startRecording(false);
    for (int i = 0; i < 47; ++i)
        hook.tap(kA);
    editor.toggleRecording();
    ASSERT_EQ(editor.appendPos(), 188u);
    editor.selectLine(0);
    EXPECT_EQ(editor.insertMouse(MouseButton::Left, MouseAction::Click), EditOutcome::NoRoom);
    EXPECT_EQ(editor.insertKeyAfter(), EditOutcome::NoRoom);
    EXPECT_FALSE(editor.insertMode());
    EXPECT_EQ(editor.insertMouse(MouseButton::Left, MouseAction::Press), EditOutcome::Applied);
    EXPECT_EQ(editor.appendPos(), 190u);
    EXPECT_EQ(editor.editKeyEvents()[189], kA); // the last release is whole
    editor.selectLine(2);
    EXPECT_EQ(editor.insertDelay(), EditOutcome::Applied);
    EXPECT_EQ(editor.changeDelay(3, 500), EditOutcome::NoRoom);
    EXPECT_EQ(editor.lines()[3], u"50 ms");
    EXPECT_EQ(editor.changeDelay(3, 126), EditOutcome::Applied);
}

TEST_F(MacroEditorTest, RecordingAfterAnInsertionAppendsAfterTheInsertedEvents) {
    startRecording(false);
    hook.tap(kA);
    editor.selectLine(1);
    editor.insertMouse(MouseButton::Left, MouseAction::Click);
    hook.tap(kB);
    EXPECT_EQ(keyBytes(), (Bytes{0x01, kA, 0x81, kA, 0x01, 0xF0, 0x81, 0xF0, 0x01, kB, 0x81, kB}));
}

TEST_F(MacroEditorTest, MalformedStoredSequenceIsShownAndEditedWithinTheBuffer) {
    MacroRecord& record = macros.records[0];
    for (std::size_t i = 0; i < 188; i += 2) {
        record.keyEvents[i] = 0x00; // delay code 0
        record.keyEvents[i + 1] = kA;
        record.deviceEvents[i] = 0x7F; // disagrees with the key-code sequence
        record.deviceEvents[i + 1] = 4;
    }
    record.keyEvents[188] = 0xFF; // a four-byte event starting at byte 188
    record.keyEvents[189] = kA;
    editor.selectMacro(0);
    EXPECT_EQ(editor.lines().size(), 94u);
    EXPECT_EQ(editor.appendPos(), 188u);
    EXPECT_EQ(editor.editKeyEvents()[188], 0);
    EXPECT_EQ(editor.editDeviceEvents()[0], 0x00);
    EXPECT_EQ(editor.editDeviceEvents()[1], 4);

    record.keyEvents.fill(0);
    record.keyEvents[0] = 0x01;
    record.keyEvents[1] = kA;
    record.keyEvents[4] = 0x01; // after the zero code that ends the sequence
    record.keyEvents[5] = kB;
    editor.selectMacro(0);
    EXPECT_EQ(editor.lines(), (Lines{u"A  dn"}));
    editor.selectLine(0);
    editor.insertMouse(MouseButton::Left, MouseAction::Press);
    EXPECT_EQ(keyBytes(), (Bytes{0x01, kA, 0x01, 0xF0}));
}

TEST_F(MacroEditorTest, LoopCountAndOptionsAreStoredWithTheMacro) {
    editor.setLoopOption(true);
    editor.setLoopText("25");
    EXPECT_EQ(macros.records[0].loopCountValue(), 25);
    editor.setDelayOption(true);
    editor.storeSelectedMacro();
    EXPECT_EQ(macros.records[0].loopCountValue(), 25);
    EXPECT_EQ(macros.records[0].optionFlags, 1);
    editor.setLoopOption(false);
    EXPECT_EQ(editor.loopText(), "1");
    EXPECT_EQ(macros.records[0].loopCountValue(), 1);

    macros.records[0].setLoopCountValue(300);
    editor.selectMacro(0);
    EXPECT_TRUE(editor.loopOption());
    EXPECT_EQ(editor.loopText(), "300");
    macros.records[0].setLoopCountValue(0);
    editor.selectMacro(0);
    EXPECT_FALSE(editor.loopOption());
    EXPECT_EQ(editor.loopText(), "1");
}

TEST(ParseLoopCountTest, LeadingDigitsModulo65536) {
    EXPECT_EQ(parseLoopCount(""), 0);
    EXPECT_EQ(parseLoopCount("12ab"), 12);
    EXPECT_EQ(parseLoopCount("x12"), 0);
    EXPECT_EQ(parseLoopCount("70000"), 70000 - 65536);
    EXPECT_EQ(parseLoopCount("6553600000000000000000001"), 1); // no overflow on long input
}

TEST_F(MacroEditorTest, DestroyingTheEditorRemovesTheHook) {
    {
        MacroEditor other(macros, names, hook, clock);
        other.selectMacro(0);
        other.toggleRecording();
        EXPECT_TRUE(hook.installed());
    }
    EXPECT_FALSE(hook.installed());
}

} // namespace
} // namespace talvex
