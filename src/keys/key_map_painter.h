#pragma once
// Draws the key dialog as its logic stands: background, tabs, buttons and the advanced page's
// rows, all placed by the layout table.

#include "controls/canvas.h"
#include "keys/key_map_logic.h"

#include <string>
#include <string_view>

namespace talvex {

// The path as the advanced page shows it in its narrow box: whole up to 13 characters, else
// ".." and the last part of the path from its separator on.
std::u16string shortenedPath(std::u16string_view path);

void paintKeyMap(Canvas& canvas, const KeyMapLogic& logic);

} // namespace talvex
