#include "macros/named_macro_list.h"

#include "controls/list_box_model.h"
#include "platform/utf16.h"

#include <algorithm>
#include <cstdio>

namespace talvex {

namespace {

// Where the name list puts a new line: after the lines that sort equal, by the list's own rule.
std::size_t sortedPlace(const std::vector<std::u16string>& names, const std::u16string& name) {
    const std::string key = utf16ToUtf8(name);
    auto at = std::upper_bound(names.begin(), names.end(), key,
                               [](const std::string& k, const std::u16string& line) {
                                   return lineSortsBefore(k, utf16ToUtf8(line));
                               });
    return static_cast<std::size_t>(at - names.begin());
}

// A name the record can hold: no zero units, at most 254 characters.
std::u16string storableName(std::u16string name) {
    name.erase(std::remove(name.begin(), name.end(), u'\0'), name.end());
    if (name.size() > kMacroNameMaxLength)
        name.resize(kMacroNameMaxLength);
    return name;
}

} // namespace

std::u16string defaultMacroName(std::span<const std::u16string> names) {
    for (int k = 1;; ++k) {
        char text[24];
        std::snprintf(text, sizeof text, "Macro_%03d", k);
        std::u16string name = utf8ToUtf16(text);
        if (std::find(names.begin(), names.end(), name) == names.end())
            return name;
    }
}

void NamedMacroList::assign(const MacroStore& saved) {
    std::vector<MacroRecord> used;
    names_.clear();
    for (const MacroRecord& record : saved.records) {
        std::u16string name = storableName(record.nameText());
        if (name.empty())
            continue;
        const std::size_t at = insertName(name);
        used.insert(used.begin() + static_cast<std::ptrdiff_t>(at), record);
        used[at].setNameText(name);
    }
    records_ = saved;
    records_.records.fill(emptyMacroRecord());
    std::copy(used.begin(), used.end(), records_.records.begin());
}

std::size_t NamedMacroList::insertName(std::u16string name) {
    const std::size_t at = sortedPlace(names_, name);
    names_.insert(names_.begin() + static_cast<std::ptrdiff_t>(at), std::move(name));
    return at;
}

std::optional<std::size_t> NamedMacroList::addDefault() {
    if (names_.size() >= kMaxMacrosInUse)
        return std::nullopt;
    const std::u16string name = defaultMacroName(names_);
    const std::size_t at = insertName(name);
    auto& records = records_.records;
    std::move_backward(records.begin() + static_cast<std::ptrdiff_t>(at), records.end() - 1,
                       records.end());
    records[at] = emptyMacroRecord();
    records[at].setNameText(name);
    return at;
}

void NamedMacroList::erase(std::size_t index) {
    names_.erase(names_.begin() + static_cast<std::ptrdiff_t>(index));
    auto& records = records_.records;
    std::move(records.begin() + static_cast<std::ptrdiff_t>(index) + 1, records.end(),
              records.begin() + static_cast<std::ptrdiff_t>(index));
    records.back() = emptyMacroRecord();
}

std::optional<std::size_t> NamedMacroList::rename(std::size_t oldIndex, std::u16string newName) {
    newName = storableName(std::move(newName));
    if (oldIndex >= names_.size() || newName.empty())
        return std::nullopt;
    names_.erase(names_.begin() + static_cast<std::ptrdiff_t>(oldIndex));
    const std::size_t newIndex = insertName(newName);

    auto records = records_.records.begin();
    auto at = [&](std::size_t i) { return records + static_cast<std::ptrdiff_t>(i); };
    if (newIndex < oldIndex)
        std::rotate(at(newIndex), at(oldIndex), at(oldIndex + 1));
    else
        std::rotate(at(oldIndex), at(oldIndex + 1), at(newIndex + 1));
    records_.records[newIndex].setNameText(newName);
    return newIndex;
}

std::size_t NamedMacroList::followMove(std::size_t index, std::size_t from, std::size_t to) {
    if (index == from)
        return to;
    if (from < index && index <= to)
        return index - 1;
    if (to <= index && index < from)
        return index + 1;
    return index;
}

void NamedMacroList::storeNames() {
    for (std::size_t i = 0; i < names_.size(); ++i)
        records_.records[i].setNameText(names_[i]);
}

} // namespace talvex
