#include "cli/inspect_macros.h"

#include "keys/key_name_table.h"
#include "macros/macro_file.h"
#include "macros/macro_sequence.h"
#include "platform/utf16.h"

#include <memory>

namespace talvex {

void inspectMacros(const InspectInput& input, ReportNode& section) {
    const KeyNameTable names = buildKeyNameTable();
    const auto macros = std::make_unique<MacroStore>(macroStoreFromBytes(input.bytes));
    const std::size_t count = macros->usedCount();
    section.number("macrosInUse", static_cast<long long>(count));
    section.emptyList("macros");
    for (std::size_t i = 0; i < count; ++i) {
        const MacroRecord& record = macros->records[i];
        ReportNode& macro = section.item("macros");
        macro.number("number", static_cast<long long>(i));
        macro.text("name", utf16ToUtf8(record.nameText()));
        macro.number("loopCount", record.loopCountValue());
        macro.number("delayOption", record.delayOption() ? 1 : 0,
                     record.delayOption() ? "delays recorded" : "no delays recorded");
        macro.number("bytesUsed",
                     static_cast<long long>(layoutSequence(record.keyEvents).endOffset));
        // Each line whole, trailing blanks of key names included.
        macro.emptyList("lines");
        for (const std::u16string& line : sequenceLines(record.keyEvents, names))
            macro.item("lines").text("line", utf16ToUtf8(line));
    }
}

} // namespace talvex
