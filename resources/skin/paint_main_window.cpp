// The main window's frame: background, logo, title-bar buttons, bottom bar, the legend's keycaps
// and the help panel's glyphs.

#include "mainwindow/key_geometry.h"
#include "skin_style.h"

#include <QLinearGradient>

#include <QPainterPath>
#include <algorithm>

namespace talvex::skin {

namespace {

// The case that holds the keyboard picture; the picture's own background is the case colour,
// so picture and case join without a seam.
constexpr int kCaseMargin = 16;

void paintKeyboardCase(QPainter& p) {
    const int left = kKeyboardPictureX - kCaseMargin;
    const int top = kKeyboardPictureY - kCaseMargin - 4;
    const int right = kKeyboardPictureX + 600 + kCaseMargin;
    const int bottom = kKeyboardPictureY + 258 + kCaseMargin;
    glow(p, QPointF((left + right) / 2.0, bottom + 2), (right - left) / 2.0 + 10, 22, kRedBright,
         120);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(64, 64, 70), 1));
    p.setBrush(kCase);
    p.drawRoundedRect(QRectF(left + 0.5, top + 0.5, right - left - 1, bottom - top - 1), 10, 10);
    p.setPen(QPen(QColor(255, 255, 255, 18), 1));
    p.drawLine(QPointF(left + 10, top + 1.5), QPointF(right - 10, top + 1.5));
    p.restore();
    // The light strip along the lower edge of the case.
    QLinearGradient strip(left, 0, right, 0);
    strip.setColorAt(0, QColor(239, 14, 2, 0));
    strip.setColorAt(0.15, kRed);
    strip.setColorAt(0.85, kRed);
    strip.setColorAt(1, QColor(239, 14, 2, 0));
    p.fillRect(QRect(left + 12, bottom - 3, right - left - 24, 2), strip);
}

// A keycap of the legend beside the keyboard's heading; the window writes what it stands for.
void paintLegendKey(QPainter& p, int w, int h, bool lit) {
    p.fillRect(0, 0, w, h, kWindow);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(lit ? kRedBright : QColor(90, 90, 96), 1));
    p.setBrush(lit ? QColor(90, 16, 8) : QColor(50, 50, 54));
    p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 3, 3);
    p.restore();
}

// Faint diagonal stripes that fade out to the left.
void paintStripes(QPainter& p, const QRect& area) {
    p.save();
    p.setClipRect(area);
    p.setRenderHint(QPainter::Antialiasing);
    for (int x = area.left() - area.height(); x < area.right(); x += 7) {
        qreal fade = std::clamp((x - area.left()) / qreal(area.width()), 0.0, 1.0);
        p.setPen(QPen(QColor(255, 255, 255, static_cast<int>(9 * fade)), 1.5));
        p.drawLine(QPointF(x, area.bottom() + 1), QPointF(x + area.height(), area.top()));
    }
    p.restore();
}

void paintMain(QPainter& p, int w, int h) {
    p.fillRect(0, 0, w, h, kWindow);
    // Title bar with a lit edge.
    p.fillRect(0, 0, w, 28, kTitleBar);
    p.fillRect(0, 28, w, 1, QColor(44, 44, 48));
    QLinearGradient edge(0, 0, w, 0);
    edge.setColorAt(0, QColor(239, 14, 2, 0));
    edge.setColorAt(0.5, kRed);
    edge.setColorAt(1, QColor(239, 14, 2, 0));
    p.fillRect(0, 0, w, 1, edge);
    textAt(p, 19, 8, "Kestrix", font(11, QFont::Bold), QColor(110, 110, 116));

    // The settings column.
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kEdge, 1));
    p.setBrush(kPanel);
    p.drawRoundedRect(QRectF(12.5, 104.5, 256, 490), 6, 6);
    p.restore();

    // The keyboard's heading changes with the view, so the window writes it over this accent.
    p.fillRect(kKeyboardPictureX, 140, 36, 2, kRed);
    paintKeyboardCase(p);
    // The line under the case is the window's own: a hint, or what the keyboard is doing.
    paintStripes(p, QRect(600, 29, 400, 75));

    // Bottom bar.
    p.fillRect(0, 596, w, h - 596, kTitleBar);
    p.fillRect(0, 596, w, 1, QColor(44, 44, 48));
    p.fillRect(0, h - 1, w, 1, QColor(44, 44, 48));
}

void paintLogo(QPainter& p, int w, int h) {
    p.fillRect(0, 0, w, h, kWindow);
    emblem(p, QRectF(2, 12, 34, 30), kRedBright);
    textAt(p, 44, 6, "KESTRIX", font(34, QFont::Black, true), kText);
    p.fillRect(46, 48, 190, 1, QColor(70, 70, 76));
    p.fillRect(46, 48, 44, 1, kRed);
    QFont small = font(10, QFont::Bold);
    small.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
    textAt(p, 46, 53, "87 RGB MECHANICAL GAMING", small, kMuted);
}

void paintConfigButton(QPainter& p, int w, int h) {
    p.fillRect(0, 0, w, h, kTitleBar);
    roundedBox(p, QRectF(2, 2, w - 3, h - 3), 4, QColor(58, 58, 62), QColor(42, 42, 46),
               QColor(239, 14, 2, 200));
    // Three stacked layers: the profiles.
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kRedBright, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 3; ++i) {
        qreal y = 10.5 + i * 4.5;
        QPainterPath layer;
        layer.moveTo(9, y + 2);
        layer.lineTo(16, y - 1.5);
        layer.lineTo(23, y + 2);
        layer.lineTo(16, y + 5.5);
        layer.closeSubpath();
        p.drawPath(layer);
    }
    p.restore();
}

// The glyphs in front of the help panel's rows: a globe, a download arrow, an information mark.
enum class HelpGlyph { Web, Update, Version };

void paintHelpIcon(QPainter& p, int w, int h, HelpGlyph glyph) {
    p.fillRect(0, 0, w, h, kHelpPanel);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kRedBright, 1.3));
    p.setBrush(Qt::NoBrush);
    switch (glyph) {
    case HelpGlyph::Web:
        p.drawEllipse(QRectF(1.5, 1.5, 10, 10));
        p.drawEllipse(QRectF(4.5, 1.5, 4, 10));
        p.drawLine(QPointF(1.5, 6.5), QPointF(11.5, 6.5));
        break;
    case HelpGlyph::Update:
        p.drawLine(QPointF(6.5, 0.5), QPointF(6.5, 8.5));
        p.drawLine(QPointF(3, 5), QPointF(6.5, 8.5));
        p.drawLine(QPointF(10, 5), QPointF(6.5, 8.5));
        p.drawLine(QPointF(2, 11.5), QPointF(11, 11.5));
        break;
    case HelpGlyph::Version:
        p.drawEllipse(QRectF(1.5, 1.5, 10, 10));
        p.drawLine(QPointF(6.5, 5.5), QPointF(6.5, 9));
        p.drawPoint(QPointF(6.5, 3.6));
        break;
    }
    p.restore();
}

enum class TitleGlyph { Help, Minimise, Close };

void paintTitleButton(QPainter& p, int w, int h, TitleGlyph glyph) {
    p.fillRect(0, 0, w, h, kTitleBar);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QColor ink(176, 176, 182);
    p.setPen(QPen(ink, 1.5, Qt::SolidLine, Qt::RoundCap));
    switch (glyph) {
    case TitleGlyph::Help:
        p.setPen(QPen(ink, 1.2));
        p.drawEllipse(QRectF(1.5, 1.5, w - 3, h - 3));
        textCentred(p, QRectF(0, 0, w, h), "?", font(11, QFont::Bold), ink);
        break;
    case TitleGlyph::Minimise:
        p.drawLine(QPointF(4, h / 2.0 + 1), QPointF(w - 4, h / 2.0 + 1));
        break;
    case TitleGlyph::Close:
        p.setPen(QPen(QColor(255, 80, 60), 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4.5, 4), QPointF(w - 4.5, h - 4));
        p.drawLine(QPointF(w - 4.5, 4), QPointF(4.5, h - 4));
        break;
    }
    p.restore();
}

} // namespace

void addMainWindowPainters(PainterTable& table) {
    table["png/main.png"] = paintMain;
    table["png/logo.png"] = paintLogo;
    table["png/Config.png"] = paintConfigButton;
    table["png/legend-default.png"] = [](QPainter& p, int w, int h) {
        paintLegendKey(p, w, h, false);
    };
    table["png/legend-modified.png"] = [](QPainter& p, int w, int h) {
        paintLegendKey(p, w, h, true);
    };
    const struct {
        const char* path;
        HelpGlyph glyph;
    } helpIcons[] = {{"png/help-web.png", HelpGlyph::Web},
                     {"png/help-update.png", HelpGlyph::Update},
                     {"png/help-version.png", HelpGlyph::Version}};
    for (const auto& icon : helpIcons) {
        const HelpGlyph glyph = icon.glyph;
        table[icon.path] = [glyph](QPainter& p, int w, int h) { paintHelpIcon(p, w, h, glyph); };
    }
    table["png/button-help-normal.png"] = [](QPainter& p, int w, int h) {
        paintTitleButton(p, w, h, TitleGlyph::Help);
    };
    table["png/button-min-normal.png"] = [](QPainter& p, int w, int h) {
        paintTitleButton(p, w, h, TitleGlyph::Minimise);
    };
    table["png/button-close-normal.png"] = [](QPainter& p, int w, int h) {
        paintTitleButton(p, w, h, TitleGlyph::Close);
    };
    table["png/button-cancel-normal.png"] = [](QPainter& p, int w, int h) {
        p.fillRect(0, 0, w, h, kTitleBar);
        button(p, QRectF(0, 0, w, h), false);
    };
    table["png/button-save-normal.png"] = [](QPainter& p, int w, int h) {
        p.fillRect(0, 0, w, h, kTitleBar);
        button(p, QRectF(0, 0, w, h), true);
    };
    // Any of the bottom buttons while the keyboard works: flat and sunk into the bar.
    table["png/button-disabled.png"] = [](QPainter& p, int w, int h) {
        p.fillRect(0, 0, w, h, kTitleBar);
        roundedBox(p, QRectF(0, 0, w, h), 3, QColor(40, 40, 43), QColor(34, 34, 37),
                   QColor(54, 54, 58));
    };
}

} // namespace talvex::skin
