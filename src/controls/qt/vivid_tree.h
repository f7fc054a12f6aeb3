#pragma once
// A tree that paints itself completely: a background (bitmap, gradient or solid colour) that
// scrolls with the content, white item texts, its own expand/collapse glyphs and its own
// selection bar. Items, selection, scrolling and signals are QTreeWidget's.

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QTreeWidget>

namespace talvex {

class VividTree : public QTreeWidget {
    Q_OBJECT
public:
    enum BackgroundMode { BitmapBackground = 0, GradientBackground = 1, SolidBackground = 2 };

    explicit VividTree(QWidget* parent = nullptr);

    // (Re)loads the background bitmap (131) and the collapsed (133) and expanded (134) glyphs.
    void loadGlyphs();
    // Kept for the owner; the tree does not draw it.
    virtual void setItemIcon(const QIcon& icon) { itemIcon_ = icon; }
    virtual QIcon itemIcon() const { return itemIcon_; }

    int backgroundMode() const { return backgroundMode_; }
    void setBackgroundMode(int mode);
    void setGradient(QColor start, QColor end, bool horizontal);
    void setTileBitmap(bool tile);
    // Draws the selection bar also while the tree does not have the focus.
    void setShowSelectionAlways(bool always);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // The whole scrolled content in viewport coordinates, so the background moves with it.
    QRect contentRect() const;
    void paintBackground(QPainter& painter, const QRect& content) const;
    // The item's text rectangle, already moved right to make room for the glyph.
    QRect textRect(const QModelIndex& index) const;
    QRect glyphRect(const QModelIndex& index) const;

    QImage collapsedGlyph_;
    QImage expandedGlyph_;
    QImage backgroundBitmap_;
    QColor gradientStart_{255, 255, 255};
    QColor gradientEnd_{213, 213, 224};
    bool horizontalGradient_ = true;
    int backgroundMode_ = GradientBackground;
    bool tileBitmap_ = false;
    bool showSelectionAlways_ = false;
    QIcon itemIcon_;
};

} // namespace talvex
