// Arbitrary 190-byte event sequences, as a damaged MacroDefine.bin may hold them, through the
// line builder and the line-to-event lookup: no read past the buffer, and the lines and the
// lookup must agree on every event.

#include "fuzz_check.h"
#include "keys/key_name_table.h"
#include "macros/macro_sequence.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace talvex;
    static const KeyNameTable names = buildKeyNameTable();

    EventBuffer buffer{};
    std::copy(data, data + std::min(size, buffer.size()), buffer.begin());

    SequenceLayout layout = layoutSequence(buffer);
    std::vector<std::u16string> lines = sequenceLines(buffer, names);
    check(lines.size() == layout.lineCount);
    check(layout.endOffset <= kMacroEventBytes);

    std::size_t expectedLine = 0, expectedOffset = 0;
    for (const SequenceEvent& event : layout.events) {
        check(event.offset == expectedOffset && event.end() <= kMacroEventBytes);
        check(event.firstLine == expectedLine);
        check(lineToEvent(layout, event.firstLine) == event.offset);
        check(layout.eventAtLine(event.keyLine()) == &event);
        check(event.delayLine == layout.isDelayLine(event.firstLine));
        expectedOffset = event.end();
        expectedLine += event.lineCount();
    }
    check(expectedOffset == layout.endOffset);
    for (std::size_t line = 0; line <= layout.lineCount + 2; ++line)
        check(lineToEvent(layout, line) <= layout.endOffset);
    check(lineToEvent(layout, layout.lineCount) == layout.endOffset);
    return 0;
}
