#pragma once
// The skin's dark look for what the skin images do not draw: the scroll bars of the skinned
// lists and the tree, and the desktop's own windows that the program opens (message boxes,
// menus, file and colour choosers), which would otherwise come up light over a charcoal window.

class QAbstractScrollArea;
class QApplication;

namespace talvex {

// Dark, slim scroll bars without arrow buttons, the width of the default ones, on `area`.
void useSkinScrollBars(QAbstractScrollArea& area);

// The dark palette, with the skin's red for highlights, for every standard window of `app`.
void applySkinPalette(QApplication& app);

} // namespace talvex
