#pragma once
// The named system functions a key can be given (multimedia, editing shortcuts, window
// commands), and the tree the key dialog shows them in. Each one is a ready-made key slot; names
// are compared as exact UTF-16 strings.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "keys/key_slot.h"

namespace talvex {

inline constexpr std::size_t kFunctionCount = 23;

struct FunctionEntry {
    std::u16string_view name;
    KeySlot slot;
};

const std::array<FunctionEntry, kFunctionCount>& functionCatalogue();

// The slot of the function with this exact name.
std::optional<KeySlot> findFunction(std::u16string_view name);

// The name of the function whose slot bytes these are, or an empty name when no function has
// them (the dialog then preselects nothing).
std::u16string_view functionNameOfSlot(const KeySlot& slot);

// One item of the key dialog's function tree, in insertion order. Groups hold the items that name
// them as parent; every other item is a function of the catalogue.
struct FunctionTreeItem {
    std::u16string text; // the catalogue name, which files and `assign function` use
    const char* caption; // the same name as shown, marked for translation
    int parent = -1;     // index of the group, -1 at the top level
    bool group = false;
};

const std::vector<FunctionTreeItem>& functionTreeItems();

} // namespace talvex
