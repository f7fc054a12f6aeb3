#include "macros/macro_record.h"

namespace talvex {

std::u16string MacroRecord::nameText() const {
    std::u16string text;
    for (std::size_t i = 0; i + 1 < name.size(); i += 2) {
        char16_t unit = static_cast<char16_t>(name[i] | (name[i + 1] << 8));
        if (unit == 0)
            break;
        text.push_back(unit);
    }
    return text;
}

bool MacroRecord::setNameText(std::u16string_view text) {
    if (text.size() > kMacroNameMaxLength || text.find(u'\0') != std::u16string_view::npos)
        return false;
    name.fill(0);
    for (std::size_t i = 0; i < text.size(); ++i) {
        name[2 * i] = static_cast<std::uint8_t>(text[i] & 0xFF);
        name[2 * i + 1] = static_cast<std::uint8_t>(text[i] >> 8);
    }
    return true;
}

MacroRecord emptyMacroRecord() {
    MacroRecord record;
    record.name.fill(0);
    record.loopCount.fill(0);
    record.optionFlags = 0;
    record.deviceEvents.fill(0);
    record.keyEvents.fill(0);
    record.reserved = 0;
    return record;
}

std::size_t MacroStore::usedCount() const {
    std::size_t n = 0;
    while (n < records.size() && records[n].inUse())
        ++n;
    return n;
}

std::vector<std::u16string> MacroStore::usedNames() const {
    std::vector<std::u16string> names;
    for (std::size_t i = 0; i < usedCount(); ++i)
        names.push_back(records[i].nameText());
    return names;
}

MacroStore emptyMacroStore() {
    MacroStore store;
    store.records.fill(emptyMacroRecord());
    return store;
}

} // namespace talvex
