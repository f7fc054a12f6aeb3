#include "keys/key_assignment.h"

#include "keys/key_positions.h"

namespace talvex {

bool isStorableActionPath(std::u16string_view path) {
    return path.size() <= kMaxActionPathLength && path.find(u'\0') == std::u16string_view::npos;
}

std::u16string KeyAssignment::pathText() const {
    std::u16string text;
    for (std::size_t i = 0; i < kPathUnits; ++i) {
        const auto unit = static_cast<char16_t>(path[2 * i] | (path[2 * i + 1] << 8));
        if (unit == 0)
            break;
        text += unit;
    }
    return text;
}

bool KeyAssignment::setPathText(std::u16string_view text) {
    if (!isStorableActionPath(text))
        return false;
    path.fill(0);
    for (std::size_t i = 0; i < text.size(); ++i) {
        path[2 * i] = static_cast<std::uint8_t>(text[i] & 0xFF);
        path[2 * i + 1] = static_cast<std::uint8_t>(text[i] >> 8);
    }
    return true;
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
