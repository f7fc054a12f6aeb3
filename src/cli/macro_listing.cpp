#include "cli/macro_listing.h"

#include "macros/macro_sequence.h"
#include "platform/utf16.h"

namespace talvex {

void printMacroListing(std::ostream& out, const KeyNameTable& names, const MacroStore& macros) {
    const std::size_t count = macros.usedCount();
    if (count == 0) {
        out << "no macros\n";
        return;
    }
    for (std::size_t i = 0; i < count; ++i) {
        const MacroRecord& record = macros.records[i];
        const SequenceLayout layout = layoutSequence(record.keyEvents);
        out << "macro " << i << " \"" << utf16ToUtf8(record.nameText()) << "\": loop count "
            << record.loopCountValue() << ", delays "
            << (record.delayOption() ? "recorded" : "not recorded") << ", " << layout.events.size()
            << " events in " << layout.endOffset << " of " << kMacroEventBytes << " bytes\n";
        // Lines are printed whole, trailing blanks of key names included.
        for (const std::u16string& line : sequenceLines(record.keyEvents, names))
            out << "    " << utf16ToUtf8(line) << "\n";
    }
}

} // namespace talvex
