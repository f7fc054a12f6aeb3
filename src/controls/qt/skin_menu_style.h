#pragma once
// The look of the skinned windows' context menus: the dark surface and red highlight of the
// skin, instead of the desktop's light menu over a charcoal window.

namespace talvex {

inline constexpr const char* kSkinMenuStyle =
    "QMenu { background-color: rgb(40, 40, 44); color: white; border: 1px solid rgb(70, 70, 76); }"
    "QMenu::item { padding: 4px 22px 4px 14px; }"
    "QMenu::item:selected { background-color: rgb(239, 14, 2); }";

} // namespace talvex
