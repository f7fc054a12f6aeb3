#pragma once
// A skinned dialog's buttons as the pointer meets them: which one is lit under the pointer, and
// a click that counts only when the button is released where it was pressed, so dragging off a
// button cancels it. Where the buttons are stays the dialog's: it hands in its hit test.

#include <functional>
#include <optional>
#include <utility>

namespace talvex {

template <typename Id> class HotButtons {
public:
    using HitTest = std::function<std::optional<Id>(int x, int y)>;

    explicit HotButtons(HitTest hitTest) : hitTest_(std::move(hitTest)) {}

    std::optional<Id> hitTest(int x, int y) const { return hitTest_(x, y); }

    // The pointer is over `button` (none: over no button that lights); true when what is lit
    // changed and the dialog must redraw.
    bool hover(std::optional<Id> button) { return std::exchange(hovered_, button) != button; }
    bool lit(Id button) const { return hovered_ == button; }

    // The button under the press, remembered for the release; none when the press hit no button.
    std::optional<Id> press(int x, int y) { return pressed_ = hitTest(x, y); }
    // The button to run: the one pressed, when the release is over it too.
    std::optional<Id> release(int x, int y) {
        const std::optional<Id> pressed = std::exchange(pressed_, std::nullopt);
        const std::optional<Id> hit = hitTest(x, y);
        return hit == pressed ? hit : std::nullopt;
    }

    void reset() {
        hovered_.reset();
        pressed_.reset();
    }

private:
    HitTest hitTest_;
    std::optional<Id> hovered_;
    std::optional<Id> pressed_;
};

} // namespace talvex
