// Macros of arbitrary names and events anywhere in the store, as a damaged MacroDefine.bin may
// hold them, then macro manager commands taken from the rest of the input. After every command
// the name list must be in list order with record i holding name i, the records after the last
// name unused, and the selection on a line that exists.

#include "controls/list_box_model.h"
#include "fuzz_check.h"
#include "macros/macro_manager_logic.h"
#include "platform/scripted_key_hook.h"
#include "platform/scripted_prompts.h"
#include "platform/utf16.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

using namespace talvex;

class NoWindow final : public MacroManagerHost {
public:
    void closeDialog(bool) override {}
    void startWindowDrag(int, int) override {}
    void refresh() override {}
};

void checkInvariants(const MacroManagerLogic& logic) {
    const auto& names = logic.names();
    const MacroStore& macros = logic.editedMacros();
    for (std::size_t i = 0; i < macros.records.size(); ++i)
        check(i < names.size() ? macros.records[i].nameText() == names[i]
                               : !macros.records[i].inUse());
    for (std::size_t i = 1; i < names.size(); ++i)
        check(!lineSortsBefore(utf16ToUtf8(names[i]), utf16ToUtf8(names[i - 1])));
    check(logic.nameSelection() < static_cast<int>(names.size()));
    check(logic.eventLineSelection() < static_cast<int>(logic.eventLines().size()));
}

// A short name from the input: up to 7 units, some of them zero or beyond ASCII.
std::u16string nameFrom(const std::uint8_t* data, std::size_t length) {
    std::u16string name;
    for (std::size_t i = 0; i < length; ++i)
        name.push_back(static_cast<char16_t>(data[i] < 0xF0 ? data[i] : 0x4E00 + data[i]));
    return name;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const KeyNameTable names = buildKeyNameTable();
    constexpr std::size_t kMacroBytes = 12; // index, name length, 6 name units, 4 event bytes
    if (size < 1)
        return 0;
    const std::size_t macroCount = std::min<std::size_t>(data[0] % 40, (size - 1) / kMacroBytes);

    auto saved = std::make_unique<MacroStore>(emptyMacroStore());
    for (std::size_t m = 0; m < macroCount; ++m) {
        const std::uint8_t* p = data + 1 + m * kMacroBytes;
        MacroRecord& record = saved->records[p[0] % kMacroStoreCount];
        for (std::size_t i = 0; i < 6; ++i)
            record.name[2 * i] = p[2 + i];
        record.name[2 * (p[1] % 7)] = 0;
        std::copy_n(p + 8, 4, record.keyEvents.begin());
        std::copy_n(p + 8, 4, record.deviceEvents.begin());
    }

    ScriptedKeyHook hook;
    ScriptedPrompts prompts;
    ManualClock clock;
    NoWindow window;
    MacroManagerLogic logic(*saved, names, {hook, prompts, clock, window});
    logic.open();
    checkInvariants(logic);

    for (std::size_t i = 1 + macroCount * kMacroBytes; i + 2 < size; i += 3) {
        const std::uint8_t op = data[i], a = data[i + 1], b = data[i + 2];
        switch (op % 9) {
        case 0: {
            const auto& area = MacroManagerLogic::hotAreas()[a % MacroManagerLogic::AreaCount];
            prompts.messageAnswers.push_back(b & 1 ? MessageAnswer::Ok : MessageAnswer::Cancel);
            logic.onLButtonDown(area.rect.left, area.rect.top);
            logic.onLButtonUp(area.rect.left, area.rect.top);
            break;
        }
        case 1:
            logic.onNameSelection(a % 40 - 1);
            break;
        case 2:
            logic.onNameEdited(a % 40, nameFrom(data + i + 1, 1 + b % 2));
            break;
        case 3:
            clock.advanceMs(b * 10);
            (b & 1) ? hook.release(a) : hook.press(a);
            break;
        case 4:
            logic.onEventLineSelection(a % 100 - 1);
            break;
        case 5: {
            const auto items = macroMenuItems();
            prompts.messageAnswers.push_back(MessageAnswer::Ok);
            logic.onMenuCommand(items[a % items.size()].command);
            break;
        }
        case 6:
            logic.onDelayEdited(a % 100, 2 + b * 200);
            break;
        case 7:
            logic.onLoopTextChanged(std::string(1, static_cast<char>('0' + a % 10)));
            break;
        default:
            logic.onListEditBegins();
            break;
        }
        checkInvariants(logic);
    }
    return 0;
}
