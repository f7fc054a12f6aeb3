#include "controls/qt/qt_canvas.h"

#include "platform/qt/qt_ui_text.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <tuple>

namespace talvex {

namespace {

QColor toQColor(Colour c) {
    return QColor(c.r, c.g, c.b);
}

} // namespace

QtCanvas::QtCanvas(QImage& target, SkinImages& images) : images_(images) {
    if (!target.isNull()) {
        painter_.begin(&target);
        painter_.setCompositionMode(QPainter::CompositionMode_Source);
    }
}

QImage QtCanvas::backgroundCanvas(SkinImages& images, SkinFolder folder, std::string_view file) {
    QImage background = images.image(folder, file);
    if (background.isNull())
        return {};
    return background.copy();
}

QFont QtCanvas::captionFont(const CaptionStyle& style) {
    using Key = std::tuple<std::string, int, int>;
    static std::map<Key, QFont> fonts;
    Key key{style.face, style.height, style.weight};
    auto found = fonts.find(key);
    if (found != fonts.end())
        return found->second;

    QFont font(QString::fromStdString(style.face));
    font.setWeight(static_cast<QFont::Weight>(style.weight));
    // Every pixel size measured loads a font engine, about a millisecond each, so the search
    // starts near the size the line height points to and walks only to its neighbours instead
    // of measuring every size. A line is never shorter at a larger size, so the size found is
    // still the smallest of those whose height is nearest.
    const int target = style.height, last = std::max(2, style.height * 2);
    std::map<int, int> measured;
    const auto height = [&](int pixels) {
        const auto [at, fresh] = measured.try_emplace(pixels, 0);
        if (fresh) {
            font.setPixelSize(pixels);
            at->second = QFontMetrics(font).height();
        }
        return at->second;
    };
    int pixels = 1;
    if (const int atTarget = target > 1 ? height(target) : 0; atTarget > 0)
        pixels =
            std::clamp(static_cast<int>(std::lround(double(target) * target / atTarget)), 1, last);
    // The smallest size at least as tall as wanted, or the last one when none is.
    while (pixels < last && height(pixels) < target)
        ++pixels;
    while (pixels > 1 && height(pixels - 1) >= target)
        --pixels;
    // One size smaller is as near or nearer when it falls short by no more, and its height is
    // reached first at the smallest size that has it.
    if (pixels > 1 && height(pixels) >= target &&
        target - height(pixels - 1) <= height(pixels) - target)
        --pixels;
    while (pixels > 1 && height(pixels - 1) == height(pixels))
        --pixels;
    font.setPixelSize(pixels);
    fonts.emplace(key, font);
    return font;
}

void QtCanvas::drawImage(SkinFolder folder, const std::string& file, int x, int y) {
    if (!painter_.isActive())
        return;
    QImage image = images_.image(folder, file);
    if (image.isNull())
        return;
    painter_.drawImage(QPoint(x, y), image);
    cover(QRect(QPoint(x, y), image.size()));
}

void QtCanvas::drawImagePart(SkinFolder folder, const std::string& file, Rect source, int x,
                             int y) {
    if (!painter_.isActive() || source.width() <= 0 || source.height() <= 0)
        return;
    QImage image = images_.image(folder, file);
    if (image.isNull())
        return;
    // Only the part of the source that lies inside the image is copied, to where it would
    // have landed.
    QRect wanted(source.left, source.top, source.width(), source.height());
    QRect inside = wanted.intersected(image.rect());
    if (inside.isEmpty())
        return;
    QPoint target(x + inside.left() - wanted.left(), y + inside.top() - wanted.top());
    painter_.drawImage(target, image, inside);
    cover(QRect(target, inside.size()));
}

void QtCanvas::fillRect(Rect r, Colour c) {
    if (!painter_.isActive() || r.width() <= 0 || r.height() <= 0)
        return;
    const QRect painted(r.left, r.top, r.width(), r.height());
    painter_.fillRect(painted, toQColor(c));
    cover(painted);
}

void QtCanvas::outlineRect(Rect r, Colour c) {
    if (!painter_.isActive() || r.width() <= 0 || r.height() <= 0)
        return;
    QColor colour = toQColor(c);
    painter_.fillRect(QRect(r.left, r.top, r.width(), 1), colour);
    painter_.fillRect(QRect(r.left, r.bottom - 1, r.width(), 1), colour);
    painter_.fillRect(QRect(r.left, r.top, 1, r.height()), colour);
    painter_.fillRect(QRect(r.right - 1, r.top, 1, r.height()), colour);
}

void QtCanvas::drawCaption(const std::string& text, int x, int y, const CaptionStyle& style) {
    if (!painter_.isActive() || text.empty())
        return;
    const QString full = translatedText(text);
    CaptionStyle fitted = style;
    QFont font = captionFont(fitted);
    QString shown = full;
    if (style.areaWidth > 0) {
        const int floor = captionFloorHeight(style.height);
        auto tooWide = [&] {
            return QFontMetrics(font).horizontalAdvance(shown) > style.areaWidth;
        };
        while (tooWide() && fitted.height > floor) {
            --fitted.height;
            font = captionFont(fitted);
        }
        // Eliding measures more finely than the advance does, so it is asked for less room
        // until the advance fits as well.
        for (int room = style.areaWidth; tooWide() && room > 0; --room)
            shown = QFontMetrics(font).elidedText(full, Qt::ElideRight, room);
    }
    const QFontMetrics metrics(font);
    const int top = y + (style.height - fitted.height) / 2;

    DrawnCaption drawn;
    drawn.rect = QRect(x, top, metrics.horizontalAdvance(shown), fitted.height);
    drawn.visible = QRegion(drawn.rect);
    drawn.areaWidth = style.areaWidth;
    drawn.height = fitted.height;
    drawn.text = shown.toStdString();
    drawn.fullText = full.toStdString();
    drawn.elided = shown != full;
    captions_.push_back(std::move(drawn));
    if (shown.isEmpty())
        return;

    painter_.save();
    // Text is blended onto what lies below: captions have a transparent background.
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_.setFont(font);
    painter_.setPen(toQColor(style.text));
    painter_.drawText(x, top + metrics.ascent(), shown);
    painter_.restore();
}

void QtCanvas::cover(const QRect& painted) {
    for (DrawnCaption& caption : captions_)
        if (caption.visible.intersects(painted))
            caption.visible -= painted;
}

const DrawnCaption* elidedCaptionAt(const std::vector<DrawnCaption>& captions, QPoint point) {
    for (const DrawnCaption& caption : captions)
        if (caption.elided && caption.visible.contains(point))
            return &caption;
    return nullptr;
}

} // namespace talvex
