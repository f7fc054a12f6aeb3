#include "controls/qt/vivid_tree.h"

#include "controls/qt/skin_images.h"
#include "controls/qt/skin_theme.h"

#include <QHeaderView>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace talvex {
namespace {

const QColor kSolidBackground(30, 30, 30);
const QColor kSelectionBar(102, 46, 47);
constexpr int kTextShift = 7;
constexpr int kTextPadding = 4;
constexpr int kGlyphGap = 2;
constexpr int kGlyphDrop = 4;
constexpr int kGlyphSize = 9;

} // namespace

VividTree::VividTree(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(1);
    setHeaderHidden(true);
    setFrameShape(QFrame::NoFrame);
    setUniformRowHeights(true);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    // Every pixel is painted by paintEvent; erasing first would only flicker.
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    useSkinScrollBars(*this);
    // A stretched bitmap follows the content's size, so the whole view changes with it.
    auto repaintBitmap = [this] {
        if (backgroundMode_ == BitmapBackground) {
            viewport()->update();
        }
    };
    connect(this, &QTreeView::expanded, this, repaintBitmap);
    connect(this, &QTreeView::collapsed, this, repaintBitmap);
}

void VividTree::loadGlyphs() {
    SkinImages& images = programSkinImages();
    backgroundBitmap_ = images.image(SkinFolder::Bitmaps, "131.png");
    collapsedGlyph_ = images.image(SkinFolder::Bitmaps, "133.png");
    expandedGlyph_ = images.image(SkinFolder::Bitmaps, "134.png");
    viewport()->update();
}

void VividTree::setBackgroundMode(int mode) {
    backgroundMode_ = mode;
    viewport()->update();
}

void VividTree::setGradient(QColor start, QColor end, bool horizontal) {
    gradientStart_ = start;
    gradientEnd_ = end;
    horizontalGradient_ = horizontal;
    viewport()->update();
}

void VividTree::setTileBitmap(bool tile) {
    tileBitmap_ = tile;
    viewport()->update();
}

void VividTree::setShowSelectionAlways(bool always) {
    showSelectionAlways_ = always;
    viewport()->update();
}

QRect VividTree::contentRect() const {
    QRect client = viewport()->rect();
    QRect content = client;
    const QScrollBar* horizontal = horizontalScrollBar();
    if (horizontal->maximum() > 0) {
        content.setLeft(-horizontal->value());
        content.setWidth(client.width() + horizontal->maximum());
    }
    const QScrollBar* vertical = verticalScrollBar();
    QModelIndex first = model()->index(0, 0);
    if (vertical->maximum() > 0 && first.isValid()) {
        int h = std::max(1, rowHeight(first));
        int rows = vertical->maximum() + vertical->pageStep();
        content.setTop(-h * vertical->value());
        content.setHeight(std::max(client.height(), h * rows));
    }
    return content;
}

void VividTree::paintBackground(QPainter& painter, const QRect& content) const {
    if (backgroundMode_ == SolidBackground) {
        painter.fillRect(viewport()->rect(), kSolidBackground);
        return;
    }
    if (backgroundMode_ == BitmapBackground && !backgroundBitmap_.isNull()) {
        if (!tileBitmap_) {
            painter.drawImage(content, backgroundBitmap_);
            return;
        }
        int w = backgroundBitmap_.width();
        int h = backgroundBitmap_.height();
        for (int column = 0; column <= content.width() / w; ++column) {
            for (int row = 0; row <= content.height() / h; ++row) {
                painter.drawImage(content.topLeft() + QPoint(column * w, row * h),
                                  backgroundBitmap_);
            }
        }
        return;
    }
    // The gradient spans the whole content, so its colours stay with the items when scrolled.
    QPointF end = horizontalGradient_ ? QPointF(content.right() + 1, content.top())
                                      : QPointF(content.left(), content.bottom() + 1);
    QLinearGradient gradient(content.topLeft(), end);
    gradient.setColorAt(0, gradientStart_);
    gradient.setColorAt(1, gradientEnd_);
    painter.fillRect(content, gradient);
}

QRect VividTree::textRect(const QModelIndex& index) const {
    QRect item = visualRect(index);
    int width = fontMetrics().horizontalAdvance(index.data().toString()) + kTextPadding;
    return QRect(item.left() + kTextShift, item.top(), width, item.height());
}

QRect VividTree::glyphRect(const QModelIndex& index) const {
    QRect text = textRect(index);
    return QRect(text.left() - kGlyphGap - kGlyphSize, text.top() + kGlyphDrop, kGlyphSize,
                 kGlyphSize);
}

void VividTree::paintEvent(QPaintEvent*) {
    QRect client = viewport()->rect();
    QRect content = contentRect();
    QImage frame(client.size(), QImage::Format_RGB32);
    frame.fill(Qt::black);
    {
        QPainter painter(&frame);
        painter.setFont(font());
        paintBackground(painter, content);
        bool showSelection = hasFocus() || showSelectionAlways_;
        painter.setPen(Qt::white);
        for (QModelIndex index = indexAt(QPoint(0, 0)); index.isValid();
             index = indexBelow(index)) {
            QRect text = textRect(index);
            if (text.top() >= client.height()) {
                break;
            }
            if (showSelection && selectionModel()->isSelected(index)) {
                painter.fillRect(QRect(0, text.top(), content.right() + 1, text.height()),
                                 kSelectionBar);
            }
            if (model()->hasChildren(index)) {
                const QImage& glyph = isExpanded(index) ? expandedGlyph_ : collapsedGlyph_;
                if (!glyph.isNull()) {
                    painter.drawImage(glyphRect(index).topLeft(), glyph);
                }
            }
            painter.drawText(text.adjusted(0, 1, 0, -1), Qt::AlignLeft | Qt::AlignTop,
                             index.data().toString());
        }
    }
    QPainter(viewport()).drawImage(0, 0, frame);
}

void VividTree::mousePressEvent(QMouseEvent* event) {
    // The glyphs are drawn where the tree's own branch indicators are not, so they toggle here.
    QPoint at = event->position().toPoint();
    QModelIndex index = indexAt(at);
    if (event->button() == Qt::LeftButton && index.isValid() && model()->hasChildren(index) &&
        glyphRect(index).contains(at)) {
        setExpanded(index, !isExpanded(index));
        return;
    }
    QTreeWidget::mousePressEvent(event);
}

} // namespace talvex
