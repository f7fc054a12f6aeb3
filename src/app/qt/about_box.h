#pragma once
// The program's icon and its about box.

#include "platform/ui_text.h"

#include <QIcon>
#include <QWidget>

namespace talvex {

// The program icon in every size the skin ships (initSkinResources must have run).
QIcon applicationIcon();

// The text of the window menu item that opens the about box.
inline constexpr const char* kAboutMenuText = TALVEX_TEXT("关于 Talvex...");

// Runs the about box modally over `parent`.
void runAboutBox(QWidget* parent);

} // namespace talvex
