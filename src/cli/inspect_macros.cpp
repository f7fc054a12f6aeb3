#include "cli/inspect_macros.h"

#include "keys/key_name_table.h"
#include "macros/macro_record.h"
#include "macros/macro_sequence.h"
#include "platform/utf16.h"

#include <algorithm>

namespace talvex {

namespace {

// Record n as macroStoreFromBytes fills it. One record at a time: a whole store is a 170 KB
// allocation, which under ASan costs the inspect fuzz target more than the whole report.
MacroRecord recordAt(std::span<const std::uint8_t> image, std::size_t n) {
    MacroRecord record = emptyMacroRecord();
    const std::size_t start = std::min(image.size(), n * kMacroRecordSize);
    const auto bytes = image.subspan(start, std::min(image.size() - start, kMacroRecordSize));
    std::copy(bytes.begin(), bytes.end(), reinterpret_cast<std::uint8_t*>(&record));
    return record;
}

} // namespace

void inspectMacros(const InspectInput& input, ReportNode& section) {
    const KeyNameTable names = buildKeyNameTable();
    // The records in use, counted as MacroStore::usedCount counts them.
    std::size_t count = 0;
    while (count < kMacroStoreCount && recordAt(input.bytes, count).inUse())
        ++count;
    section.number("macrosInUse", static_cast<long long>(count));
    section.emptyList("macros");
    for (std::size_t i = 0; i < count; ++i) {
        const MacroRecord record = recordAt(input.bytes, i);
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
