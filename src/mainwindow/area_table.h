#pragma once
// Click areas as ordered tables: where areas overlap, the earlier one wins.

#include "controls/canvas.h"

#include <cstddef>
#include <optional>

namespace talvex {

template <typename Id> struct AreaRect {
    Id id;
    Rect rect;
};

// The first area, in table order, whose rectangle moved down by `dy` holds the point; click
// rectangles include all four edges.
template <typename Id, std::size_t N>
std::optional<Id> firstAreaAt(const AreaRect<Id> (&areas)[N], int x, int y, int dy = 0) {
    for (const AreaRect<Id>& area : areas)
        if (area.rect.containsInclusive(x, y - dy))
            return area.id;
    return std::nullopt;
}

} // namespace talvex
