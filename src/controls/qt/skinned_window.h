#pragma once
// What every skinned dialog does with its own window: paint its logic over the background image
// in one piece, and move with the mouse when the user grabs a free spot.

#include "controls/canvas.h"
#include "controls/qt/qt_canvas.h"
#include "controls/qt/skin_images.h"

#include <QColor>
#include <QPoint>

#include <functional>
#include <string_view>
#include <utility>
#include <vector>

class QEvent;
class QKeyEvent;
class QMouseEvent;
class QWidget;

namespace talvex {

// `paint` draws on a copy of the background image, which then covers the window; without the
// background the window is filled with `fallback` and nothing else is drawn. Answers the
// captions drawn, for showCaptionTip.
std::vector<DrawnCaption> paintSkinnedWindow(QWidget& window, SkinImages& images, SkinFolder folder,
                                             std::string_view background,
                                             const std::function<void(Canvas&)>& paint,
                                             QColor fallback);

// A caption that had to be elided shows its whole text as a tooltip while the pointer rests on
// it. True when `event` asked for a tooltip: it has then been answered from `captions`, the
// captions of the window's last paint.
bool showCaptionTip(QWidget& window, QEvent& event, const std::vector<DrawnCaption>& captions);

// A skinned dialog ends only through its own buttons: Enter and Esc, which a dialog takes for
// OK and Cancel, are accepted here and do nothing (true). Other keys are left alone.
bool swallowDialogEndingKey(QKeyEvent& event);

// Moves a frameless window as if its caption had been grabbed.
class WindowDrag {
public:
    // The window system moves the window where it can (Wayland allows nothing else); elsewhere
    // the window follows the mouse itself from `grip` (window coordinates) on.
    void start(QWidget& window, QPoint grip);
    // True when the movement belonged to a drag and moved the window.
    bool follow(QWidget& window, const QMouseEvent& event);
    // True when a drag was under way: the release that ends it is no click.
    bool end() {
        following_ = false;
        return std::exchange(started_, false);
    }

private:
    bool started_ = false;
    bool following_ = false;
    QPoint grip_;
};

} // namespace talvex
