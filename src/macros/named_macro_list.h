#pragma once
// The macro manager's name list over the edited macros: line i of the list is always record i.
// The list owns the sort (the list box's own rule, `lineSortsBefore`), and every change of a
// line moves its record with it, so names and events cannot drift apart.

#include "macros/macro_record.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace talvex {

// The first free name of "Macro_001", "Macro_002", ... among `names`.
std::u16string defaultMacroName(std::span<const std::u16string> names);

class NamedMacroList {
public:
    explicit NamedMacroList(MacroStore& records) : records_(records) {}

    // Takes a copy of `saved` and puts its named records first and in list order, whatever
    // order and gaps the file had; records without a name are dropped.
    void assign(const MacroStore& saved);

    const std::vector<std::u16string>& names() const { return names_; }
    std::size_t size() const { return names_.size(); }

    // Adds an empty macro under the first free default name; its index, or none when the
    // keyboard's slots are all in use.
    std::optional<std::size_t> addDefault();
    void erase(std::size_t index);
    // Gives line `oldIndex` a new name; the record goes where the sort puts it and the records
    // in between close ranks. The new index, or none for a line that does not exist or a name
    // that is empty once made storable.
    std::optional<std::size_t> rename(std::size_t oldIndex, std::u16string newName);
    // Where record `index` went when a rename moved line `from` to `to`.
    static std::size_t followMove(std::size_t index, std::size_t from, std::size_t to);

    // Writes every line's name into its record.
    void storeNames();

private:
    std::size_t insertName(std::u16string name);

    MacroStore& records_;
    std::vector<std::u16string> names_;
};

} // namespace talvex
