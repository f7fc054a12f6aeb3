#include "mainwindow/keyboard_view.h"

#include "keys/key_positions.h"
#include "mainwindow/key_geometry.h"

#include <string>
#include <utility>

namespace talvex {

namespace {

constexpr std::size_t kWinPosition = 96;
constexpr const char* kUnlitPicture = "kb_BK.png";
constexpr const char* kLitPicture = "kb_hl.png";

void copyLitKey(Canvas& canvas, std::size_t position) {
    const Rect& key = keyGeometry[position].rect;
    const Rect onWindow = keyRectOnWindow(position);
    canvas.drawImagePart(SkinFolder::Main, kLitPicture, key, onWindow.left, onWindow.top);
}

} // namespace

KeyboardView::KeyboardView(DeviceSettings& workingSettings, std::span<std::uint8_t> keyModified,
                           Prompts& prompts, EditKey editKey)
    : settings_(workingSettings), keyModified_(keyModified), prompts_(prompts),
      editKey_(std::move(editKey)) {}

std::optional<std::size_t> KeyboardView::hitTestKey(int x, int y) const {
    for (std::size_t p = 0; p < kKeyPositionCount; ++p) {
        if (keyGeometry[p].isEmpty() || !keyRectOnWindow(p).containsInclusive(x, y))
            continue;
        if (!diyView_ && (p == kWinPosition || p == kFnPosition))
            return std::nullopt;
        return p;
    }
    return std::nullopt;
}

// An effect code from the keyboard or a file may exceed the five layouts; such a code shows the
// plain picture rather than reading past the last layout.
bool KeyboardView::showsCustomLayout() const {
    return diyView_ && settings_.lightEffect >= kFirstCustomEffect &&
           settings_.lightEffect <= kLastCustomEffect;
}

std::span<std::uint8_t, 4> KeyboardView::customEntry(std::size_t position) const {
    auto layout = settings_.customLayout(settings_.lightEffect - kFirstCustomEffect);
    return layout.subspan(keyPositions()[position].cellOffset).first<4>();
}

void KeyboardView::paint(Canvas& canvas) const {
    canvas.drawImage(SkinFolder::Main, kUnlitPicture, kKeyboardPictureX, kKeyboardPictureY);
    if (!diyView_)
        paintKeyMap(canvas);
    else if (showsCustomLayout())
        paintCustomLayout(canvas);
}

void KeyboardView::paintKeyMap(Canvas& canvas) const {
    if (hovered_ != kNoPosition)
        copyLitKey(canvas, hovered_);
    // The Windows key's flag follows the Windows-key lock, which the panel shows on its own.
    for (std::size_t p = 0; p < kKeyPositionCount && p < keyModified_.size(); ++p)
        if (keyModified_[p] == 1 && p != kWinPosition)
            copyLitKey(canvas, p);
}

void KeyboardView::paintCustomLayout(Canvas& canvas) const {
    for (std::size_t p = 0; p < kKeyPositionCount; ++p) {
        if (keyGeometry[p].isEmpty())
            continue;
        const auto entry = customEntry(p);
        const Colour colour{entry[1], entry[2], entry[3]};
        if (colour == Colour{})
            continue;
        canvas.fillRect(keyRectOnWindow(p), colour);
        const Colour inverse{static_cast<std::uint8_t>(255 - colour.r),
                             static_cast<std::uint8_t>(255 - colour.g),
                             static_cast<std::uint8_t>(255 - colour.b)};
        writeCaption(canvas, std::string(keyGeometry[p].label),
                     kKeyboardPictureX + keyGeometry[p].labelX,
                     kKeyboardPictureY + keyGeometry[p].labelY, 10, inverse);
    }
    if (hovered_ != kNoPosition) {
        const Rect key = keyRectOnWindow(hovered_);
        canvas.outlineRect(Rect{key.left - 2, key.top - 2, key.right + 2, key.bottom + 2},
                           Colour{255, 255, 255});
    }
}

bool KeyboardView::onMouseMove(int x, int y) {
    const auto hit = hitTestKey(x, y);
    const std::uint8_t now = hit ? static_cast<std::uint8_t>(*hit) : kNoPosition;
    if (now == hovered_)
        return false;
    hovered_ = now;
    return true;
}

void KeyboardView::onClick(int x, int y) {
    const auto hit = hitTestKey(x, y);
    if (!hit)
        return;
    if (!diyView_) {
        editKey_(*hit);
        return;
    }
    if (!showsCustomLayout())
        return;
    const auto colour = prompts_.chooseColour(Rgb{});
    if (!colour)
        return;
    const auto entry = customEntry(*hit);
    entry[0] = 0;
    entry[1] = colour->r;
    entry[2] = colour->g;
    entry[3] = colour->b;
}

} // namespace talvex
