#include "skin_style.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace talvex::skin {

QFont font(int pixelSize, int weight, bool italic) {
    QFont f;
    // Chinese text takes the same face as the windows' captions.
    f.setFamilies({"Liberation Sans", "WenQuanYi Micro Hei"});
    f.setPixelSize(pixelSize);
    f.setWeight(static_cast<QFont::Weight>(weight));
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

QFont fittingFont(const QString& text, int pixelSize, int maxWidth, int weight) {
    QFont f = font(pixelSize, weight);
    while (pixelSize > 6 && QFontMetrics(f).horizontalAdvance(text) > maxWidth)
        f = font(--pixelSize, weight);
    return f;
}

void textAt(QPainter& p, int x, int y, const QString& text, const QFont& f, const QColor& c) {
    p.save();
    p.setFont(f);
    p.setPen(c);
    p.drawText(x, y + QFontMetrics(f).ascent(), text);
    p.restore();
}

void textCentred(QPainter& p, const QRectF& r, const QString& text, const QFont& f,
                 const QColor& c) {
    p.save();
    p.setFont(f);
    p.setPen(c);
    p.drawText(r, Qt::AlignCenter, text);
    p.restore();
}

void roundedBox(QPainter& p, const QRectF& r, qreal radius, const QColor& top, const QColor& bottom,
                const QColor& border) {
    p.save();
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    p.setBrush(fill);
    p.setPen(QPen(border, 1));
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    p.restore();
}

void button(QPainter& p, const QRectF& r, bool red, bool hover) {
    if (red) {
        QColor top = hover ? QColor(255, 70, 40) : kRedBright;
        QColor bottom = hover ? QColor(220, 30, 10) : QColor(196, 12, 0);
        roundedBox(p, r, 3, top, bottom, hover ? QColor(255, 120, 90) : QColor(255, 70, 40));
        p.save();
        p.setPen(QColor(255, 255, 255, 60));
        p.drawLine(QPointF(r.left() + 3, r.top() + 1.5), QPointF(r.right() - 3, r.top() + 1.5));
        p.restore();
    } else {
        roundedBox(p, r, 3, QColor(62, 62, 66), QColor(44, 44, 48), QColor(86, 86, 92));
    }
}

void sectionHeader(QPainter& p, int width, int height, std::initializer_list<int> titles,
                   int titleWidth, bool open) {
    p.fillRect(0, 0, width, height, kPanel);
    p.fillRect(0, height - 2, width, 2, QColor(52, 52, 56));
    for (int x : titles) {
        QLinearGradient accent(x, 0, x + titleWidth, 0);
        accent.setColorAt(0, kRed);
        accent.setColorAt(0.55, QColor(239, 14, 2, 160));
        accent.setColorAt(1, QColor(52, 52, 56));
        p.fillRect(x, height - 2, titleWidth, 2, accent);
    }
    chevron(p, QRectF(width - 15, 2, 10, 10), open, QColor(170, 170, 176));
}

void chevron(QPainter& p, const QRectF& box, bool down, const QColor& c, qreal width) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    if (down) {
        path.moveTo(box.left() + 1, box.top() + box.height() * 0.3);
        path.lineTo(box.center().x(), box.top() + box.height() * 0.75);
        path.lineTo(box.right() - 1, box.top() + box.height() * 0.3);
    } else {
        path.moveTo(box.left() + box.width() * 0.3, box.top() + 1);
        path.lineTo(box.left() + box.width() * 0.75, box.center().y());
        path.lineTo(box.left() + box.width() * 0.3, box.bottom() - 1);
    }
    p.drawPath(path);
    p.restore();
}

void radioMark(QPainter& p, const QRectF& r, bool on) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QRectF ring = r.adjusted(0.75, 0.75, -0.75, -0.75);
    if (on) {
        p.setPen(QPen(kRedBright, 1.5));
        p.setBrush(QColor(90, 10, 4));
        p.drawEllipse(ring);
        QRectF dot =
            r.adjusted(r.width() * 0.3, r.height() * 0.3, -r.width() * 0.3, -r.height() * 0.3);
        QRadialGradient lit(dot.center(), dot.width() / 2 + 0.5);
        lit.setColorAt(0, QColor(255, 150, 120));
        lit.setColorAt(1, kRedBright);
        p.setPen(Qt::NoPen);
        p.setBrush(lit);
        p.drawEllipse(dot);
    } else {
        p.setPen(QPen(QColor(120, 120, 126), 1.2));
        p.setBrush(QColor(26, 26, 28));
        p.drawEllipse(ring);
    }
    p.restore();
}

void glow(QPainter& p, const QPointF& centre, qreal rx, qreal ry, const QColor& c, int alpha) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(centre);
    p.scale(1.0, ry / rx);
    QRadialGradient g(QPointF(0, 0), rx);
    QColor inner = c;
    inner.setAlpha(alpha);
    QColor outer = c;
    outer.setAlpha(0);
    g.setColorAt(0, inner);
    g.setColorAt(1, outer);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(QPointF(0, 0), rx, rx);
    p.restore();
}

void emblem(QPainter& p, const QRectF& r, const QColor& c) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    qreal w = r.width(), h = r.height();
    qreal stroke = w * 0.26;
    for (int i = 0; i < 2; ++i) {
        qreal x = r.left() + i * w * 0.42;
        QPainterPath arrow;
        arrow.moveTo(x, r.top());
        arrow.lineTo(x + stroke, r.top());
        arrow.lineTo(x + stroke + w * 0.3, r.top() + h / 2);
        arrow.lineTo(x + stroke, r.bottom());
        arrow.lineTo(x, r.bottom());
        arrow.lineTo(x + w * 0.3, r.top() + h / 2);
        arrow.closeSubpath();
        QColor shade = c;
        if (i == 0)
            shade.setAlphaF(c.alphaF() * 0.6f);
        p.setBrush(shade);
        p.drawPath(arrow);
    }
    p.restore();
}

} // namespace talvex::skin
