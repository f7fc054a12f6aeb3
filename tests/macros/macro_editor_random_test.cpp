// Random sequences of recording and editing operations: after every step the event list must be
// the lines of the sequences under edit, the two sequences must agree event by event, and the
// selected macro must hold exactly what is under edit.

#include "macros/macro_editor.h"
#include "macros/macro_event.h"
#include "platform/scripted_key_hook.h"

#include <gtest/gtest.h>
#include <random>

namespace talvex {
namespace {

class RandomEditing : public ::testing::TestWithParam<unsigned> {
protected:
    RandomEditing() : editor(macros, names, hook, clock) {
        macros.records[0].setNameText(u"Macro_001");
        editor.reset();
        editor.selectMacro(0);
    }

    void checkInvariants(int step) {
        SCOPED_TRACE(step);
        const EventBuffer& keys = editor.editKeyEvents();
        const EventBuffer& device = editor.editDeviceEvents();
        ASSERT_EQ(editor.lines(), sequenceLines(keys, names));
        SequenceLayout layout = layoutSequence(keys);
        ASSERT_EQ(editor.appendPos(), layout.endOffset);
        for (const SequenceEvent& event : layout.events) {
            for (std::size_t i = event.offset; i < event.end(); ++i) {
                std::uint8_t expected = i == event.offset + 1 ? names.deviceCode(keys[i]) : keys[i];
                ASSERT_EQ(device[i], expected) << "byte " << i;
            }
        }
        for (std::size_t i = layout.endOffset; i < kMacroEventBytes; ++i)
            ASSERT_TRUE(keys[i] == 0 && device[i] == 0) << "byte " << i;
        if (!layout.events.empty()) {
            ASSERT_EQ(delayCode(keys[0]), kNoDelayCode);
        }
        ASSERT_EQ(macros.records[0].keyEvents, keys);
        ASSERT_EQ(macros.records[0].deviceEvents, device);
        if (editor.selectedLine()) {
            ASSERT_LT(*editor.selectedLine(), editor.lines().size());
        }
    }

    MacroStore macros = emptyMacroStore();
    KeyNameTable names = buildKeyNameTable();
    ScriptedKeyHook hook;
    ManualClock clock;
    MacroEditor editor;
};

TEST_P(RandomEditing, LinesAndSequencesStayInStep) {
    std::mt19937 rng(GetParam());
    auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const std::uint8_t keys[] = {65, 66, 67, 160, 13};
    const std::int64_t waitsUs[] = {0, 500, 1000, 2000, 126000, 127000, 5000000, 100000000};
    editor.setDelayOption(true);
    editor.toggleRecording();
    for (int step = 0; step < 3000; ++step) {
        std::size_t lineSpan = editor.lines().size() + 1;
        switch (pick(12)) {
        case 0:
        case 1:
        case 2:
            clock.advance(std::chrono::microseconds(waitsUs[pick(8)]));
            if (pick(2))
                hook.press(keys[pick(5)]);
            else
                hook.release(keys[pick(5)]);
            break;
        case 3:
            editor.selectLine(static_cast<std::size_t>(pick(static_cast<int>(lineSpan))));
            break;
        case 4:
            if (pick(2))
                editor.insertKeyBefore();
            else
                editor.insertKeyAfter();
            break;
        case 5:
            editor.insertMouse(static_cast<MouseButton>(pick(3)),
                               static_cast<MouseAction>(pick(3)));
            break;
        case 6:
            editor.changeDelay(static_cast<std::size_t>(pick(static_cast<int>(lineSpan))),
                               pick(2) ? pick(130) : pick(70000));
            break;
        case 7:
            editor.insertDelay();
            break;
        case 8:
            editor.deleteLine();
            break;
        case 9:
            if (pick(40) == 0) // starting a recording empties the macro: keep it rare
                editor.toggleRecording();
            else
                editor.setDelayOption(pick(2));
            break;
        case 10:
            if (pick(8) == 0)
                editor.selectMacro(0);
            break;
        default:
            if (!editor.recording() && pick(10) == 0)
                editor.toggleRecording();
            break;
        }
        checkInvariants(step);
        if (HasFatalFailure())
            return;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomEditing, ::testing::Values(1u, 2u, 3u, 42u, 2026u));

} // namespace
} // namespace talvex
