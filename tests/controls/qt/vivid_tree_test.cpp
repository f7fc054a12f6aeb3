#include "controls/qt/skin_images.h"
#include "controls/qt/vivid_tree.h"
#include "qt_test_app.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <gtest/gtest.h>

#include <cstdlib>

namespace talvex {
namespace {

using testing::qtTestApp;

const QColor kSolid(30, 30, 30);
const QColor kBar(102, 46, 47);

QImage shoot(VividTree& tree) {
    return tree.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

bool near(QColor a, QColor b, int tolerance = 3) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

// The function tree of the key assignment dialog, in a shown window.
struct TreeTest : ::testing::Test {
    TreeTest() {
        tree.resize(295, 160);
        tree.loadGlyphs();
        new QTreeWidgetItem(&tree, QStringList{"搜索"});
        media = new QTreeWidgetItem(&tree, QStringList{"多媒体"});
        for (const char* name : {"上一曲", "下一曲", "暂停"}) {
            new QTreeWidgetItem(media, QStringList{QString::fromUtf8(name)});
        }
        tree.show();
        QApplication::processEvents();
    }
    QApplication& app = qtTestApp();
    VividTree tree;
    QTreeWidgetItem* media = nullptr;
};

TEST_F(TreeTest, GradientRunsFromStartAtTheLeftToEndAtTheRight) {
    tree.clear(); // an empty tree paints only its background
    QImage shot = shoot(tree);
    EXPECT_TRUE(near(shot.pixelColor(0, 80), QColor(255, 255, 255)));
    EXPECT_TRUE(near(shot.pixelColor(294, 80), QColor(213, 213, 224)));
    EXPECT_EQ(shot.pixelColor(150, 0), shot.pixelColor(150, 159));

    tree.setBackgroundMode(VividTree::BitmapBackground);
    tree.loadGlyphs(); // bitmap 131 is loaded, so mode 0 shows it stretched
    EXPECT_NE(shoot(tree).pixelColor(0, 80), shot.pixelColor(0, 80));
}

TEST(VividTreeTest, BitmapModeWithoutABitmapDrawsTheGradient) {
    qtTestApp();
    VividTree tree;
    tree.resize(200, 100);
    tree.setBackgroundMode(VividTree::BitmapBackground);
    tree.setGradient(QColor(0, 0, 0), QColor(0, 0, 200), true);
    tree.show();
    QApplication::processEvents();
    QImage shot = shoot(tree);
    EXPECT_TRUE(near(shot.pixelColor(0, 50), QColor(0, 0, 0)));
    EXPECT_TRUE(near(shot.pixelColor(100, 50), QColor(0, 0, 100)));
}

TEST_F(TreeTest, ScrolledGradientStaysWithTheContent) {
    for (int i = 0; i < 40; ++i) {
        new QTreeWidgetItem(&tree, QStringList{QString("item %1").arg(i)});
    }
    tree.setGradient(QColor(0, 0, 0), QColor(250, 250, 250), false);
    QApplication::processEvents();
    QScrollBar* bar = tree.verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    QColor topBefore = shoot(tree).pixelColor(0, 0);
    bar->setValue(bar->maximum());
    QApplication::processEvents();
    QColor topAfter = shoot(tree).pixelColor(0, 0);
    EXPECT_TRUE(near(topBefore, QColor(0, 0, 0)));
    // Scrolled to the end, the top of the view lies far down the gradient.
    EXPECT_GT(topAfter.red(), 120);
}

TEST_F(TreeTest, SolidModeDrawsSelectionBarGlyphsAndWhiteText) {
    tree.setBackgroundMode(VividTree::SolidBackground);
    tree.setCurrentItem(media);
    QModelIndex index = tree.indexFromItem(media);
    QRect row = tree.visualRect(index);
    QImage collapsed = programSkinImages().image(SkinFolder::Bitmaps, "133.png");
    QImage expanded = programSkinImages().image(SkinFolder::Bitmaps, "134.png");
    ASSERT_FALSE(collapsed.isNull());
    ASSERT_FALSE(expanded.isNull());

    // Without the focus the selection is not shown.
    tree.clearFocus();
    QImage shot = shoot(tree);
    EXPECT_EQ(shot.pixelColor(1, row.top() + 1), kSolid);
    EXPECT_EQ(shot.pixelColor(1, 159), kSolid);

    tree.setShowSelectionAlways(true);
    shot = shoot(tree);
    EXPECT_EQ(shot.pixelColor(1, row.top() + 1), kBar);
    EXPECT_EQ(shot.pixelColor(tree.viewport()->width() - 1, row.bottom()), kBar);
    // The glyph's right edge is 2 pixels left of the text, which is moved 7 to the right.
    QPoint glyphAt(row.left() + 7 - 2 - 9, row.top() + 4);
    for (QPoint p : {QPoint(0, 0), QPoint(4, 4), QPoint(4, 1), QPoint(8, 8)}) {
        EXPECT_EQ(shot.pixelColor(glyphAt + p), collapsed.pixelColor(p));
    }
    int bright = 0;
    for (int x = row.left() + 7; x < row.left() + 60; ++x) {
        for (int y = row.top(); y <= row.bottom(); ++y) {
            bright += shot.pixelColor(x, y).lightness() > 200;
        }
    }
    EXPECT_GT(bright, 10);

    tree.expandItem(media);
    shot = shoot(tree);
    EXPECT_EQ(shot.pixelColor(glyphAt + QPoint(4, 1)), expanded.pixelColor(4, 1));
    // A leaf has no glyph.
    QRect leaf = tree.visualRect(tree.indexFromItem(media->child(0)));
    EXPECT_EQ(shot.pixelColor(leaf.left() + 7 - 2 - 5, leaf.top() + 8), kSolid);
}

TEST_F(TreeTest, ClickOnTheGlyphTogglesTheGroup) {
    QRect row = tree.visualRect(tree.indexFromItem(media));
    QPoint glyph(row.left() + 7 - 2 - 2, row.top() + 8);
    QMouseEvent press(QEvent::MouseButtonPress, glyph, tree.viewport()->mapToGlobal(glyph),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree.viewport(), &press);
    EXPECT_TRUE(media->isExpanded());
}

} // namespace
} // namespace talvex
