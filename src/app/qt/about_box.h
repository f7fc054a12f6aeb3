#pragma once
// The program's icon and its about box.

#include <QIcon>
#include <QWidget>

namespace talvex {

// The program icon in every size the skin ships (initSkinResources must have run).
QIcon applicationIcon();

// The text of the window menu item that opens the about box.
inline constexpr const char* kAboutMenuText = "About Talvex(&A)...";

// Runs the about box modally over `parent`.
void runAboutBox(QWidget* parent);

} // namespace talvex
