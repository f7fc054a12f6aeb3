#include "keys/key_assignment.h"

#include "keys/key_positions.h"
#include "platform/utf16.h"

namespace talvex {

bool isStorableActionPath(std::u16string_view path) {
    return path.size() <= kMaxActionPathLength && path.find(u'\0') == std::u16string_view::npos;
}

std::u16string KeyAssignment::pathText() const {
    return readUtf16Field(path);
}

bool KeyAssignment::setPathText(std::u16string_view text) {
    return writeUtf16Field(path, text);
}

void setPositionVks(KeyAssignments& assignments) {
    for (std::size_t p = 0; p < kKeyPositionCount; ++p)
        assignments[p].vk = keyPositions()[p].vk;
}

void resetAssignments(KeyAssignments& assignments) {
    for (auto& b : assignments.bytes())
        b = 0;
    setPositionVks(assignments);
}

} // namespace talvex
