// The settings column of the main window: section headers and bodies, boxes, direction
// buttons, radio marks, the all-colours swatch and the slider thumb.

#include "skin_style.h"

#include <QConicalGradient>
#include <QPainterPath>

namespace talvex::skin {

namespace {

constexpr int kHeaderHeight = 21;

void bodyFinish(QPainter& p, int w, int h) {
    p.fillRect(0, h - 1, w, 1, QColor(48, 48, 52));
}

void paintHeaderOnly(QPainter& p, int w, std::initializer_list<int> titles, bool open) {
    sectionHeader(p, w, kHeaderHeight, titles, titles.size() > 1 ? 100 : 120, open);
}

void paintSection(QPainter& p, int w, int h, std::initializer_list<int> titles, bool open) {
    p.fillRect(0, 0, w, h, kPanel);
    paintHeaderOnly(p, w, titles, open);
    if (h > kHeaderHeight)
        bodyFinish(p, w, h);
}

// The arrow of a direction button, pointing along (dx, dy).
void arrow(QPainter& p, const QRectF& r, int dx, int dy, const QColor& c) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(r.center());
    p.rotate(dx > 0 ? 0 : dx < 0 ? 180 : dy > 0 ? 90 : -90);
    QPainterPath head;
    head.moveTo(5, 0);
    head.lineTo(0, -4.5);
    head.lineTo(0, 4.5);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(head);
    p.fillRect(QRectF(-6, -1.25, 6.5, 2.5), c);
    p.restore();
}

void paintDirection(QPainter& p, int w, int h, int dx, int dy, bool enabled) {
    p.fillRect(0, 0, w, h, kPanel);
    if (enabled) {
        roundedBox(p, QRectF(0, 0, w, h), 4, kRedBright, QColor(196, 12, 0), QColor(255, 90, 60));
        arrow(p, QRectF(0, 0, w, h), dx, dy, kText);
    } else {
        roundedBox(p, QRectF(0, 0, w, h), 4, QColor(60, 60, 64), QColor(48, 48, 52),
                   QColor(80, 80, 86));
        arrow(p, QRectF(0, 0, w, h), dx, dy, QColor(150, 150, 156));
    }
}

void paintLightItem(QPainter& p, int w, int h) {
    p.fillRect(0, 0, w, h, kRow);
    p.fillRect(0, h - 1, w, 1, QColor(96, 96, 102));
    p.fillRect(w - 20, 3, 1, h - 6, QColor(78, 78, 84));
    chevron(p, QRectF(w - 15, 3, 10, 10), true, kRedBright);
}

void paintAllColours(QPainter& p, int w, int h) {
    p.fillRect(0, 0, w, h, kPanel);
    QConicalGradient wheel(w / 2.0, h / 2.0, 90);
    const QColor hues[] = {{255, 0, 0},   {255, 160, 0}, {255, 255, 0}, {0, 220, 0},
                           {0, 200, 255}, {40, 60, 255}, {200, 0, 255}, {255, 0, 0}};
    for (int i = 0; i < 8; ++i)
        wheel.setColorAt(i / 7.0, hues[i]);
    p.fillRect(0, 0, w, h, wheel);
    p.setPen(QColor(255, 255, 255, 90));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, w - 1, h - 1);
}

void paintMacroButton(QPainter& p, int w, int h) {
    p.fillRect(0, 0, w, h, kPanel);
    button(p, QRectF(0, 0, w, h), true);
    chevron(p, QRectF(w - 16, 4, 11, 11), false, kText, 1.8);
}

void paintThumb(QPainter& p, int w, int h) {
    p.fillRect(0, 0, w, h, kPanel);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QRectF knob(1, 0.5, 13, 13);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawEllipse(knob.translated(0, 0.8));
    QLinearGradient face(knob.topLeft(), knob.bottomLeft());
    face.setColorAt(0, QColor(250, 250, 252));
    face.setColorAt(1, QColor(196, 196, 202));
    p.setBrush(face);
    p.setPen(QPen(kRedBright, 1.4));
    p.drawEllipse(knob.adjusted(0.7, 0.7, -0.7, -0.7));
    p.setPen(Qt::NoPen);
    p.setBrush(kRedBright);
    p.drawEllipse(QRectF(5.5, 4.5, 4, 4));
    p.restore();
}

} // namespace

void addPanelPainters(PainterTable& table) {
    table["png/itemBK.png"] = [](QPainter& p, int w, int h) { paintSection(p, w, h, {0}, true); };
    table["png/itemBK_close.png"] = [](QPainter& p, int w, int h) {
        paintSection(p, w, h, {0}, false);
    };
    // The lighting body, and its lower part redrawn with the speed slider's place.
    table["png/LEDEffect_open.png"] = [](QPainter& p, int w, int h) {
        p.fillRect(0, 0, w, h, kPanel);
        bodyFinish(p, w, h);
    };
    table["png/freq.png"] = [](QPainter& p, int w, int h) {
        p.fillRect(0, 0, w, h, kPanel);
        p.fillRect(9, 43, 220, 1, QColor(48, 48, 52));
        bodyFinish(p, w, h);
    };
    table["png/Light_Item.png"] = paintLightItem;
    table["png/8.png"] = paintAllColours;
    const struct {
        const char* name;
        int dx, dy;
    } directions[] = {{"T", 0, -1}, {"B", 0, 1}, {"R", 1, 0}, {"L", -1, 0}};
    for (const auto& d : directions) {
        int dx = d.dx, dy = d.dy;
        table[std::string("png/Direction-") + d.name + "-Disable.png"] =
            [dx, dy](QPainter& p, int w, int h) { paintDirection(p, w, h, dx, dy, false); };
        table[std::string("png/Direction-") + d.name + "-Enable.png"] =
            [dx, dy](QPainter& p, int w, int h) { paintDirection(p, w, h, dx, dy, true); };
    }
    table["png/Enable.png"] = [](QPainter& p, int w, int h) {
        p.fillRect(0, 0, w, h, kPanel);
        radioMark(p, QRectF(0, 0, w, h), true);
    };
    table["png/Disable.png"] = [](QPainter& p, int w, int h) {
        p.fillRect(0, 0, w, h, kPanel);
        radioMark(p, QRectF(0, 0, w, h), false);
    };
    table["png/MacroManagementBK.png"] = [](QPainter& p, int w, int h) {
        p.fillRect(0, 0, w, h, kPanel);
        bodyFinish(p, w, h);
    };
    table["png/MacroButton3.png"] = paintMacroButton;
    table["png/gamemode_Close.png"] = [](QPainter& p, int w, int h) {
        paintSection(p, w, h, {0, 130}, false);
    };
    table["png/gamemode_open.png"] = [](QPainter& p, int w, int h) {
        paintSection(p, w, h, {0, 130}, true);
        p.fillRect(124, kHeaderHeight + 6, 1, h - kHeaderHeight - 12, QColor(56, 56, 60));
    };
    table["png/responsetime_close.png"] = [](QPainter& p, int w, int h) {
        paintSection(p, w, h, {0}, false);
    };
    table["png/responsetime_open.png"] = [](QPainter& p, int w, int h) {
        paintSection(p, w, h, {0}, true);
    };
    table["png/reportrate_Close.png"] = [](QPainter& p, int w, int h) {
        paintSection(p, w, h, {0}, false);
    };
    table["png/reportrate_Open.png"] = [](QPainter& p, int w, int h) {
        paintSection(p, w, h, {0}, true);
    };
    table["png/Thumb.png"] = paintThumb;
    // The slider's thumb window draws from the same picture.
    table[":/bitmaps/141.png"] = paintThumb;
}

} // namespace talvex::skin
