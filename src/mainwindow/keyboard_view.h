#pragma once
// The keyboard picture in the middle of the main window. In the key-map view it lights the key
// under the mouse and the keys whose function the user changed, and a click edits the key's
// assignment; in the DIY view it shows the current custom lighting layout key by key, and a click
// picks a key's colour.

#include "controls/canvas.h"
#include "device/device_settings.h"
#include "platform/prompts.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>

namespace talvex {

// The lighting effects 51..55 show the custom per-key layouts 0..4.
inline constexpr std::uint8_t kFirstCustomEffect = 51;
inline constexpr std::uint8_t kLastCustomEffect = 55;
inline bool isCustomEffect(std::uint8_t effect) {
    return effect >= kFirstCustomEffect;
}

inline constexpr std::uint8_t kNoPosition = 255;

class KeyboardView {
public:
    // Runs the key assignment for one position (dialog, store, keymap.bin).
    using EditKey = std::function<void(std::size_t position)>;

    // keyModified holds one flag per key position (at least 108); 1 draws the key lit.
    KeyboardView(DeviceSettings& workingSettings, std::span<std::uint8_t> keyModified,
                 Prompts& prompts, EditKey editKey);

    // The position whose key rectangle holds the main-window point, edges included. Win and Fn
    // cannot be edited in the key-map view, so there they are not hit.
    std::optional<std::size_t> hitTestKey(int x, int y) const;

    void paint(Canvas& canvas) const;
    // The heading above the keyboard case, which says what a click on a key does in this view.
    void paintHeader(Canvas& canvas) const;

    // True when the hovered key changed and the window must repaint.
    bool onMouseMove(int x, int y);
    void onClick(int x, int y);

    bool diyView() const { return diyView_; }
    void setDiyView(bool on) { diyView_ = on; }
    // The hovered position, kNoPosition for none.
    std::uint8_t hoveredPosition() const { return hovered_; }

private:
    bool showsCustomLayout() const;
    void paintKeyMap(Canvas& canvas) const;
    void paintCustomLayout(Canvas& canvas) const;
    std::span<std::uint8_t, 4> customEntry(std::size_t position) const;

    DeviceSettings& settings_;
    std::span<std::uint8_t> keyModified_;
    Prompts& prompts_;
    EditKey editKey_;
    bool diyView_ = false;
    std::uint8_t hovered_ = kNoPosition;
};

} // namespace talvex
