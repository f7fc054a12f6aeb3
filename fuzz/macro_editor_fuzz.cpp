// A stored macro of arbitrary bytes (both sequences, loop count, option), then editing commands
// taken from the rest of the input. After every command the list must be the lines of the
// sequences under edit, both sequences must agree event by event with nothing after the last
// event, and no command may write past the 190 bytes.

#include "fuzz_check.h"
#include "macros/macro_editor.h"
#include "macros/macro_event.h"
#include "platform/scripted_key_hook.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

using namespace talvex;

void checkInvariants(const MacroEditor& editor, const KeyNameTable& names,
                     const MacroRecord& stored) {
    const EventBuffer& keys = editor.editKeyEvents();
    const EventBuffer& device = editor.editDeviceEvents();
    check(editor.lines() == sequenceLines(keys, names));
    const SequenceLayout layout = layoutSequence(keys);
    check(editor.appendPos() == layout.endOffset);
    for (const SequenceEvent& event : layout.events)
        for (std::size_t i = event.offset; i < event.end(); ++i)
            check(i == event.offset + 1 || device[i] == keys[i]);
    for (std::size_t i = layout.endOffset; i < kMacroEventBytes; ++i)
        check(keys[i] == 0 && device[i] == 0);
    check(stored.keyEvents == keys && stored.deviceEvents == device);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const KeyNameTable names = buildKeyNameTable();
    constexpr std::size_t kRecordBytes = 2 * kMacroEventBytes + 3;
    if (size < kRecordBytes)
        return 0;

    auto macros = std::make_unique<MacroStore>(emptyMacroStore());
    MacroRecord& record = macros->records[0];
    record.setNameText(u"fuzz");
    std::copy_n(data, kMacroEventBytes, record.keyEvents.begin());
    std::copy_n(data + kMacroEventBytes, kMacroEventBytes, record.deviceEvents.begin());
    record.loopCount = {data[2 * kMacroEventBytes], data[2 * kMacroEventBytes + 1]};
    record.optionFlags = data[2 * kMacroEventBytes + 2];

    ScriptedKeyHook hook;
    ManualClock clock;
    MacroEditor editor(*macros, names, hook, clock);
    editor.reset();
    editor.selectMacro(0);
    editor.storeSelectedMacro();
    checkInvariants(editor, names, record);

    for (std::size_t i = kRecordBytes; i + 1 < size; i += 2) {
        const std::uint8_t op = data[i], arg = data[i + 1];
        switch (op % 10) {
        case 0:
            clock.advanceMs(arg * 300);
            if (op & 0x10)
                hook.release(arg);
            else
                hook.press(arg);
            break;
        case 1:
            editor.selectLine(arg);
            break;
        case 2:
            (op & 0x10) ? editor.insertKeyAfter() : editor.insertKeyBefore();
            break;
        case 3:
            editor.insertMouse(static_cast<MouseButton>(arg % 3),
                               static_cast<MouseAction>((arg / 3) % 3));
            break;
        case 4:
            editor.changeDelay(arg % 200, (op >> 4) * 4000 + arg);
            break;
        case 5:
            editor.insertDelay();
            break;
        case 6:
            editor.deleteLine();
            break;
        case 7:
            editor.toggleRecording();
            break;
        case 8:
            editor.setDelayOption(arg & 1);
            break;
        default:
            editor.selectMacro(0);
            break;
        }
        checkInvariants(editor, names, record);
    }
    return 0;
}
