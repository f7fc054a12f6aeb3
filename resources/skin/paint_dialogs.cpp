// The three dialogs: profile manager ("png/Config/"), key assignment ("png/Custom/") and
// macro manager ("png/MacroManagement/").

#include "skin_style.h"

#include <QLinearGradient>
#include <QPainterPath>

namespace talvex::skin {

namespace {

// A dialog's frame: body, title bar with a red rule under it, one-pixel border.
void dialogFrame(QPainter& p, int w, int h, int titleHeight, const QColor& body) {
    p.fillRect(0, 0, w, h, body);
    p.fillRect(0, 0, w, titleHeight, kTitleBar);
    QLinearGradient rule(0, 0, w, 0);
    rule.setColorAt(0, kRed);
    rule.setColorAt(0.6, QColor(239, 14, 2, 90));
    rule.setColorAt(1, QColor(239, 14, 2, 0));
    p.fillRect(0, titleHeight - 1, w, 1, rule);
    p.setPen(kEdge);
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, w - 1, h - 1);
}

void closeGlyph(QPainter& p, int w, int h, bool hover) {
    p.fillRect(0, 0, w, h, kTitleBar);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    if (hover) {
        p.setPen(Qt::NoPen);
        p.setBrush(kRed);
        p.drawRoundedRect(QRectF(0, 0, w, h), 3, 3);
    }
    p.setPen(QPen(hover ? kText : QColor(255, 80, 60), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(4.5, 4.5), QPointF(w - 4.5, h - 4.5));
    p.drawLine(QPointF(w - 4.5, 4.5), QPointF(4.5, h - 4.5));
    p.restore();
}

// A framed well that a list box or control sits in.
void well(QPainter& p, const QRect& r) {
    p.fillRect(r, kListBack);
    p.setPen(kEdge);
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

void columnHeading(QPainter& p, int x, int y, int width) {
    p.fillRect(x, y, width, 1, QColor(56, 56, 60));
    p.fillRect(x, y, 24, 1, kRed);
}

// Profile manager.

void paintConfigBackground(QPainter& p, int w, int h) {
    dialogFrame(p, w, h, 32, kDialogBody);
    // The list shows what lies under it.
    QRect list(1, 34, 260, 540);
    QLinearGradient back(list.topLeft(), list.bottomLeft());
    back.setColorAt(0, QColor(32, 32, 34));
    back.setColorAt(1, QColor(24, 24, 26));
    p.fillRect(list, back);
    emblem(p, QRectF(95, 470, 70, 62), QColor(255, 255, 255, 10));
    p.fillRect(1, 574, w - 2, 1, QColor(52, 52, 56));
}

void paintProfileButton(QPainter& p, int w, int h, bool add) {
    p.fillRect(0, 0, w, h, kDialogBody);
    button(p, QRectF(0, 0, w, h), add);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kText, 1.8, Qt::SolidLine, Qt::RoundCap));
    QPointF c(9.5, h / 2.0);
    if (add) {
        p.drawLine(c + QPointF(-4, 0), c + QPointF(4, 0));
        p.drawLine(c + QPointF(0, -4), c + QPointF(0, 4));
    } else {
        p.drawLine(c + QPointF(-3.5, -3.5), c + QPointF(3.5, 3.5));
        p.drawLine(c + QPointF(3.5, -3.5), c + QPointF(-3.5, 3.5));
    }
    p.restore();
}

// Key assignment dialog.

void paintCustomBackground(QPainter& p, int w, int h) {
    dialogFrame(p, w, h, 31, kDialogBody);
    p.fillRect(1, 240, w - 2, 1, QColor(56, 56, 60));
    p.fillRect(1, 241, w - 2, h - 242, kDialogBody);
}

void paintTab(QPainter& p, int w, int h) {
    QLinearGradient fill(0, 0, 0, h);
    fill.setColorAt(0, QColor(52, 52, 56));
    fill.setColorAt(1, QColor(40, 40, 44));
    p.fillRect(0, 0, w, h, fill);
    p.fillRect(w - 1, 4, 1, h - 8, QColor(24, 24, 26));
    p.fillRect(0, h - 1, w, 1, QColor(24, 24, 26));
    p.fillRect(0, 0, w, 1, QColor(255, 255, 255, 16));
}

void paintTabMarker(QPainter& p, int w, int h) {
    p.fillRect(0, 0, w, h, QColor(52, 52, 56));
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kRedBright);
    p.drawRoundedRect(QRectF(0, 0, w, h - 1), 1.5, 1.5);
    p.restore();
}

void paintSmallButton(QPainter& p, int w, int h, bool red, bool hover) {
    p.fillRect(0, 0, w, h, kDialogBody);
    button(p, QRectF(0, 0, w, h), red, hover);
    if (hover && !red) {
        p.setPen(kRedBright);
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 3, 3);
    }
}

void paintAdvancedBackground(QPainter& p, int w, int h) {
    p.fillRect(0, 0, w, h, kDialogBody);
    for (int row = 0; row < 4; ++row)
        p.fillRect(0, row * 30 + 23, w, 1, QColor(50, 50, 54));
}

void paintPathBox(QPainter& p, int w, int h) {
    p.fillRect(0, 0, w, h, kListBack);
    p.setPen(QColor(76, 76, 82));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, w - 1, h - 1);
}

void paintBrowse(QPainter& p, int w, int h, bool hover) {
    p.fillRect(0, 0, w, h, kDialogBody);
    button(p, QRectF(0, 0, w, h), hover); // its caption is drawn by the dialog, in its language
}

// Macro manager.

void paintMacroBackground(QPainter& p, int w, int h) {
    dialogFrame(p, w, h, 38, kDialogBody);
    columnHeading(p, 20, 76, 113);
    columnHeading(p, 150, 76, 113);
    columnHeading(p, 280, 76, 118);
    well(p, QRect(19, 79, 115, 277));
    well(p, QRect(149, 79, 115, 277));
    // The recording options card.
    p.fillRect(QRect(280, 79, 118, 277), QColor(40, 40, 44));
    p.fillRect(288, 144, 102, 1, QColor(56, 56, 60));
    p.fillRect(288, 212, 102, 1, QColor(56, 56, 60));
    well(p, QRect(295, 330, 86, 20));
    p.fillRect(1, 362, w - 2, 1, QColor(52, 52, 56));
    p.fillRect(1, 394, w - 2, 1, QColor(52, 52, 56));
}

void paintRecordButton(QPainter& p, int w, int h, bool hover) {
    p.fillRect(0, 0, w, h, QColor(40, 40, 44));
    button(p, QRectF(0, 0, w, h), hover);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(hover ? kText : kRedBright, 1.2));
    p.setBrush(hover ? kText : kRedBright);
    p.drawEllipse(QPointF(10.5, h / 2.0), 4, 4);
    p.restore();
}

void paintTick(QPainter& p, int w, int h, bool ticked) {
    p.fillRect(0, 0, w, h, QColor(40, 40, 44));
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QRectF box(0.5, 0.5, w - 1, h - 1);
    if (ticked) {
        p.setPen(QPen(QColor(255, 90, 60), 1));
        p.setBrush(kRedBright);
        p.drawRoundedRect(box, 2.5, 2.5);
        p.setPen(QPen(kText, 1.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPainterPath tick;
        tick.moveTo(3.5, 7.5);
        tick.lineTo(6.3, 10.5);
        tick.lineTo(11.5, 4.5);
        p.setBrush(Qt::NoBrush);
        p.drawPath(tick);
    } else {
        p.setPen(QPen(QColor(120, 120, 126), 1));
        p.setBrush(kListBack);
        p.drawRoundedRect(box, 2.5, 2.5);
    }
    p.restore();
}

} // namespace

void addDialogPainters(PainterTable& table) {
    table["png/Config/Config.png"] = paintConfigBackground;
    table["png/Config/New.png"] = [](QPainter& p, int w, int h) {
        paintProfileButton(p, w, h, true);
    };
    table["png/Config/Delete.png"] = [](QPainter& p, int w, int h) {
        paintProfileButton(p, w, h, false);
    };
    table["png/Config/button-close-normal.png"] = [](QPainter& p, int w, int h) {
        closeGlyph(p, w, h, false);
    };

    table["png/Custom/Custom_BK.png"] = paintCustomBackground;
    table["png/Custom/button-close-normal.png"] = [](QPainter& p, int w, int h) {
        closeGlyph(p, w, h, false);
    };
    table["png/Custom/button-close-over.png"] = [](QPainter& p, int w, int h) {
        closeGlyph(p, w, h, true);
    };
    table["png/Custom/large_button.png"] = paintTab;
    table["png/Custom/cursor.png"] = paintTabMarker;
    table["png/Custom/Enable.png"] = [](QPainter& p, int w, int h) {
        p.fillRect(0, 0, w, h, kDialogBody);
        radioMark(p, QRectF(0.5, 0, h, h), true);
    };
    table["png/Custom/Disable.png"] = [](QPainter& p, int w, int h) {
        p.fillRect(0, 0, w, h, kDialogBody);
        radioMark(p, QRectF(0.5, 0, h, h), false);
    };
    for (const char* state : {"normal", "over"}) {
        bool hover = std::string(state) == "over";
        table[std::string("png/Custom/button-cancel-") + state + ".png"] =
            [hover](QPainter& p, int w, int h) { paintSmallButton(p, w, h, false, hover); };
        table[std::string("png/Custom/button-save-") + state + ".png"] =
            [hover](QPainter& p, int w, int h) { paintSmallButton(p, w, h, true, hover); };
    }
    table["png/Custom/Macro_BK.png"] = paintAdvancedBackground;
    table["png/Custom/Advanced.png"] = paintPathBox;
    table["png/Custom/view.png"] = [](QPainter& p, int w, int h) { paintBrowse(p, w, h, false); };
    table["png/Custom/view02.png"] = [](QPainter& p, int w, int h) { paintBrowse(p, w, h, true); };

    table["png/MacroManagement/MacroManagement.png"] = paintMacroBackground;
    table["png/MacroManagement/Record-normal.png"] = [](QPainter& p, int w, int h) {
        paintRecordButton(p, w, h, false);
    };
    table["png/MacroManagement/Record-over.png"] = [](QPainter& p, int w, int h) {
        paintRecordButton(p, w, h, true);
    };
    table["png/MacroManagement/Record-leave.png"] = [](QPainter& p, int w, int h) {
        paintRecordButton(p, w, h, false);
    };
    table["png/MacroManagement/Pane.png"] = [](QPainter& p, int w, int h) {
        paintTick(p, w, h, false);
    };
    table["png/MacroManagement/PaneMakingTick.png"] = [](QPainter& p, int w, int h) {
        paintTick(p, w, h, true);
    };
    for (const char* state : {"normal", "over", "leave"}) {
        bool hover = std::string(state) == "over";
        table[std::string("png/MacroManagement/button-new-") + state + ".png"] =
            [hover](QPainter& p, int w, int h) {
                p.fillRect(0, 0, w, h, kDialogBody);
                button(p, QRectF(0, 0, w, h), hover);
            };
    }
}

} // namespace talvex::skin
