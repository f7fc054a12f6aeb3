#include "mainwindow/keyboard_view.h"

#include "keys/key_positions.h"
#include "mainwindow/key_geometry.h"
#include "platform/ui_text.h"

#include <string>
#include <utility>

namespace talvex {

namespace {

constexpr std::size_t kWinPosition = 96;
constexpr const char* kUnlitPicture = "kb_BK.png";
constexpr const char* kLitPicture = "kb_hl.png";

struct ViewHeader {
    const char* title;
    const char* line;
    bool legend; // lit keys mean modified keys only in the key-map view
};
constexpr ViewHeader kKeyMapHeader{
    TALVEX_TEXT("按键设置"), TALVEX_TEXT("点击按键即可更改它的功能，已修改的按键以红色点亮。"),
    true};
constexpr ViewHeader kDiyHeader{TALVEX_TEXT("自定义灯光"),
                                TALVEX_TEXT("点击按键为它选择颜色，按“保存”后写入键盘。"), false};

constexpr int kHeaderTitleY = 112;
constexpr int kHeaderLineY = 147;
constexpr Colour kMuted{150, 150, 156};
// The keyboard case's right edge: the line may run that far when no legend stands in its way.
constexpr int kCaseRight = kKeyboardPictureX + 616;

struct LegendEntry {
    int x;
    const char* key;
    const char* caption;
    int captionWidth; // up to the next entry, or the case's edge
};
constexpr LegendEntry kLegend[] = {
    {760, "legend-default.png", TALVEX_TEXT("默认"), 56},
    {840, "legend-modified.png", TALVEX_TEXT("已修改"), kCaseRight - 860},
};

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

void KeyboardView::paintHeader(Canvas& canvas) const {
    const ViewHeader& header = diyView_ ? kDiyHeader : kKeyMapHeader;
    const int lineEnd = header.legend ? kLegend[0].x - 8 : kCaseRight;
    CaptionStyle title;
    title.height = 23;
    title.weight = 700;
    title.areaWidth = lineEnd - kKeyboardPictureX;
    canvas.drawCaption(header.title, kKeyboardPictureX, kHeaderTitleY, title);
    writeCaption(canvas, header.line, kKeyboardPictureX, kHeaderLineY, 14, kMuted,
                 lineEnd - kKeyboardPictureX);
    if (!header.legend)
        return;
    for (const LegendEntry& entry : kLegend) {
        canvas.drawImage(SkinFolder::Main, entry.key, entry.x, kHeaderLineY);
        writeCaption(canvas, entry.caption, entry.x + 20, kHeaderLineY, 14, kMuted,
                     entry.captionWidth);
    }
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
        const KeyGeometry& key = keyGeometry[p];
        writeCaption(canvas, std::string(key.label), kKeyboardPictureX + key.labelX,
                     kKeyboardPictureY + key.labelY, 10, inverse, key.rect.right - key.labelX);
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
