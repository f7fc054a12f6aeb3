// The keyboard picture, unlit ("kb_BK.png") and lit ("kb_hl.png"): every keycap sits exactly
// on its key rectangle of keyGeometry, so copying one rectangle out of the lit picture lights
// exactly one key.

#include "mainwindow/key_geometry.h"
#include "skin_style.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QRadialGradient>
#include <algorithm>

namespace talvex::skin {

namespace {

void paintKeycap(QPainter& p, const KeyGeometry& key, bool lit) {
    const QRectF cell(key.rect.left, key.rect.top, key.rect.width(), key.rect.height());
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    if (lit) {
        // Light from under the cap leaks out around its edges.
        QRadialGradient leak(cell.center(), std::max(cell.width(), cell.height()) * 0.75);
        leak.setColorAt(0, QColor(255, 40, 10, 255));
        leak.setColorAt(1, QColor(200, 16, 4, 200));
        p.fillRect(cell, leak);
    }
    // Walls of the cap.
    QLinearGradient walls(cell.topLeft(), cell.bottomLeft());
    walls.setColorAt(0, lit ? QColor(150, 26, 12) : QColor(52, 52, 57));
    walls.setColorAt(1, lit ? QColor(84, 10, 4) : QColor(32, 32, 36));
    p.setBrush(walls);
    p.setPen(QPen(lit ? QColor(255, 70, 40) : QColor(10, 10, 12), 1));
    p.drawRoundedRect(cell.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    // The dished top.
    QRectF top = cell.adjusted(2.5, 1.5, -2.5, -4.5);
    QLinearGradient face(top.topLeft(), top.bottomLeft());
    face.setColorAt(0, lit ? QColor(124, 28, 16) : QColor(70, 70, 76));
    face.setColorAt(1, lit ? QColor(86, 16, 8) : QColor(56, 56, 61));
    p.setBrush(face);
    p.setPen(QPen(lit ? QColor(255, 90, 60, 110) : QColor(255, 255, 255, 22), 1));
    p.drawRoundedRect(top, 2, 2);
    p.restore();

    const QString label =
        QString::fromUtf8(key.label.data(), static_cast<qsizetype>(key.label.size()));
    const int room = key.rect.right - key.labelX - 2;
    constexpr int kLabelPixels = 11;
    QFont f = fittingFont(label, kLabelPixels, std::max(room, 8), QFont::DemiBold);
    // A label shrunk to fit keeps the middle of a full-size one instead of riding up the cap.
    const int labelY =
        key.labelY +
        (QFontMetrics(font(kLabelPixels, QFont::DemiBold)).height() - QFontMetrics(f).height()) / 2;
    if (lit) {
        QColor halo(255, 60, 20, 70);
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (dx != 0 || dy != 0)
                    textAt(p, key.labelX + dx, labelY + dy, label, f, halo);
        textAt(p, key.labelX, labelY, label, f, QColor(255, 226, 218));
    } else {
        textAt(p, key.labelX, labelY, label, f, QColor(206, 206, 212));
    }
}

void paintIndicator(QPainter& p, int x, const char* name) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(70, 70, 76), 1));
    p.setBrush(QColor(40, 40, 44));
    p.drawEllipse(QPointF(x, 24), 2.5, 2.5);
    p.restore();
    QFont f = font(7, QFont::Bold);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 0.6);
    int width = QFontMetrics(f).horizontalAdvance(name);
    textAt(p, x - width / 2, 31, name, f, QColor(96, 96, 102));
}

void paintKeyboard(QPainter& p, int w, int h, bool lit) {
    p.fillRect(0, 0, w, h, kCase);
    QFont brand = font(10, QFont::Bold);
    brand.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    textAt(p, 4, 18, "KESTRIX", brand, QColor(92, 92, 98));
    p.fillRect(4, 33, 18, 1, kRed);
    paintIndicator(p, 517, "CAPS");
    paintIndicator(p, 551, "SCRL");
    paintIndicator(p, 584, "WIN");
    for (const KeyGeometry& key : keyGeometry)
        if (!key.isEmpty())
            paintKeycap(p, key, lit);
}

} // namespace

void addKeyboardPainters(PainterTable& table) {
    table["png/kb_BK.png"] = [](QPainter& p, int w, int h) { paintKeyboard(p, w, h, false); };
    table["png/kb_hl.png"] = [](QPainter& p, int w, int h) { paintKeyboard(p, w, h, true); };
}

} // namespace talvex::skin
