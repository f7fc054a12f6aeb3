// The bitmaps built into the program (slider tracks, list background, event arrows, clock,
// tree glyphs), the application icon and the splash screen.

#include "controls/slider_geometry.h"
#include "skin_style.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace talvex::skin {

namespace {

// The track ends under the thumb at the slider's last position, so no track shows beyond it.
const int kTrackLength =
    placeThumb(trackbarThumb(kSliderTrackWidth, kSliderTrackHeight, 1, 0, 1), kSliderThumbWidth, 0)
        .x +
    kSliderThumbWidth;

void paintTrack(QPainter& p, int w, int h, bool filled) {
    p.fillRect(0, 0, w, h, kPanel);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QRectF bar(0.5, h / 2.0 - 2.5, kTrackLength - 1, 5);
    if (filled) {
        glow(p, QPointF(kTrackLength / 2.0, h / 2.0), kTrackLength / 2.0 + 20, 8, kRedBright, 70);
        p.setPen(QPen(QColor(255, 90, 60), 1));
        p.setBrush(kRedBright);
    } else {
        p.setPen(QPen(QColor(72, 72, 76), 1));
        p.setBrush(kTrack);
    }
    p.drawRoundedRect(bar, 2.5, 2.5);
    p.restore();
}

void paintListBackground(QPainter& p, int w, int h) {
    p.fillRect(0, 0, w, h, kListBack);
    // Lists copy their background from (7, 22) on, 113 x 275 pixels.
    p.setPen(kEdge);
    p.setBrush(Qt::NoBrush);
    p.drawRect(7, 22, 112, 274);
}

void paintEventArrow(QPainter& p, int w, int h, bool down) {
    p.fillRect(0, 0, w, h, kListBack);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kRedBright);
    QPainterPath arrow;
    qreal tip = down ? h - 1.5 : 1.5;
    qreal base = down ? h - 7.0 : 7.0;
    arrow.moveTo(w / 2.0, tip);
    arrow.lineTo(0.5, base);
    arrow.lineTo(w - 0.5, base);
    arrow.closeSubpath();
    p.drawPath(arrow);
    qreal shaftTop = down ? 1.5 : base;
    qreal shaftBottom = down ? base : h - 1.5;
    p.drawRect(QRectF(w / 2.0 - 1.5, shaftTop, 3, shaftBottom - shaftTop));
    p.restore();
}

void paintClock(QPainter& p, int w, int h) {
    p.fillRect(0, 0, w, h, kListBack);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QColor cyan(0, 230, 255);
    p.setPen(QPen(cyan, 1.4));
    p.setBrush(QColor(0, 60, 70));
    p.drawEllipse(QRectF(1, 1, w - 2, h - 2));
    p.setPen(QPen(cyan, 1.4, Qt::SolidLine, Qt::RoundCap));
    QPointF c(w / 2.0, h / 2.0);
    p.drawLine(c, c + QPointF(0, -4));
    p.drawLine(c, c + QPointF(3, 1.5));
    p.restore();
}

void paintTreeGlyph(QPainter& p, int w, int h, bool expanded) {
    p.fillRect(0, 0, w, h, kTreeBack);
    chevron(p, QRectF(0, 0, w, h), expanded, kRedBright, 1.5);
}

// Drawn on a transparent image: desktops show the icon on their own background.
void paintIcon(QPainter& p, int w, int h) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    qreal s = w;
    QRectF tile(s * 0.04, s * 0.04, s * 0.92, s * 0.92);
    QLinearGradient fill(tile.topLeft(), tile.bottomLeft());
    fill.setColorAt(0, QColor(52, 52, 58));
    fill.setColorAt(1, QColor(20, 20, 22));
    p.setBrush(fill);
    p.setPen(QPen(QColor(255, 60, 30), std::max(1.0, s / 32)));
    p.drawRoundedRect(tile, s * 0.2, s * 0.2);
    p.restore();
    glow(p, QPointF(s / 2, s * 0.78), s * 0.4, s * 0.12, kRedBright, 120);
    emblem(p, QRectF(s * 0.2, s * 0.24, s * 0.6, s * 0.52), kRedBright);
    (void)h;
}

void paintSplashKeys(QPainter& p, int w, int h) {
    // Three rows of backlit keycaps fading out to the sides.
    const int cap = 30, gap = 6, rows = 3;
    const int top = h - rows * (cap + gap) - 8;
    for (int row = 0; row < rows; ++row)
        for (int x = -((row * 13) % 24); x < w; x += cap + gap) {
            QRectF key(x + 0.5, top + row * (cap + gap) + 0.5, cap, cap);
            qreal fade = 1.0 - std::min(1.0, std::abs(key.center().x() - w / 2.0) / (w / 2.0));
            p.save();
            p.setRenderHint(QPainter::Antialiasing);
            p.setOpacity(0.25 + 0.75 * fade);
            p.setPen(QPen(QColor(255, 50, 20, 200), 1));
            QLinearGradient face(key.topLeft(), key.bottomLeft());
            face.setColorAt(0, QColor(52, 52, 58));
            face.setColorAt(1, QColor(30, 30, 34));
            p.setBrush(face);
            p.drawRoundedRect(key, 4, 4);
            p.restore();
        }
}

void paintSplash(QPainter& p, int w, int h) {
    QLinearGradient back(0, 0, 0, h);
    back.setColorAt(0, QColor(16, 16, 18));
    back.setColorAt(1, QColor(30, 30, 34));
    p.fillRect(0, 0, w, h, back);
    glow(p, QPointF(w / 2.0, h - 40), w * 0.55, 90, kRedBright, 150);
    paintSplashKeys(p, w, h);
    QLinearGradient veil(0, h - 130, 0, h);
    veil.setColorAt(0, QColor(16, 16, 18, 0));
    veil.setColorAt(1, QColor(16, 16, 18, 120));
    p.fillRect(0, h - 130, w, 130, veil);

    emblem(p, QRectF(118, 46, 46, 40), kRedBright);
    textAt(p, 174, 36, "KESTRIX", font(48, QFont::Black, true), kText);
    p.fillRect(176, 96, 186, 1, QColor(90, 90, 96));
    p.fillRect(176, 96, 52, 1, kRed);
    // The subtitle and "starting" line are drawn by the splash window, in the user's language.
    textAt(p, w - 60, h - 24, "Ver 1.1", font(12), QColor(220, 220, 226));
    p.setPen(QColor(70, 70, 76));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, w - 1, h - 1);
    p.fillRect(1, 1, w - 2, 2, kRed);
}

} // namespace

void addBitmapPainters(PainterTable& table) {
    table[":/bitmaps/139.png"] = [](QPainter& p, int w, int h) { paintTrack(p, w, h, false); };
    table[":/bitmaps/140.png"] = [](QPainter& p, int w, int h) { paintTrack(p, w, h, true); };
    table[":/bitmaps/145.png"] = paintListBackground;
    table[":/bitmaps/131.png"] = [](QPainter& p, int w, int h) { paintEventArrow(p, w, h, true); };
    table[":/bitmaps/138.png"] = [](QPainter& p, int w, int h) { paintEventArrow(p, w, h, false); };
    table[":/bitmaps/137.png"] = paintClock;
    table[":/bitmaps/133.png"] = [](QPainter& p, int w, int h) { paintTreeGlyph(p, w, h, false); };
    table[":/bitmaps/134.png"] = [](QPainter& p, int w, int h) { paintTreeGlyph(p, w, h, true); };
    for (const char* icon :
         {":/icons/154.png", ":/icons/154-16.png", ":/icons/154-24.png", ":/icons/154-32.png",
          ":/icons/154-48.png", ":/icons/154-64.png", ":/icons/154-128.png", ":/icons/154-256.png"})
        table[icon] = paintIcon;
    table["png/SplashScreen.png"] = paintSplash;
}

} // namespace talvex::skin
