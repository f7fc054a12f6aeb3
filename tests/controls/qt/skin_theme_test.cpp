// The dark scroll bars of the skinned lists and the tree, and the tree's glyphs on the tree's own
// background: what the skin images leave to the toolkit must not show up light or boxed.
#include "controls/qt/skin_images.h"
#include "controls/qt/skin_theme.h"
#include "controls/qt/transparent_list_box.h"
#include "controls/qt/vivid_tree.h"
#include "qt_test_app.h"

#include <QApplication>
#include <QScrollBar>
#include <gtest/gtest.h>

#include <algorithm>
#include <type_traits>
#include <utility>

namespace talvex {
namespace {

// A shown view of `size` with more lines than fit, so its vertical scroll bar is up.
template <typename View> void fillAndShow(View& view, QSize size) {
    view.resize(size);
    for (int i = 0; i < 40; ++i) {
        if constexpr (std::is_base_of_v<QTreeWidget, View>)
            new QTreeWidgetItem(&view, QStringList{QString::number(i)});
        else
            view.addLine(QString::number(i));
    }
    view.show();
    QApplication::processEvents();
}

// The darkest and the lightest pixel of the vertical scroll bar as the user sees it.
std::pair<int, int> scrollBarLightness(QAbstractScrollArea& view) {
    QScrollBar* bar = view.verticalScrollBar();
    const QImage shot = bar->grab().toImage();
    int darkest = 255, lightest = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            const int l = shot.pixelColor(x, y).lightness();
            darkest = std::min(darkest, l);
            lightest = std::max(lightest, l);
        }
    return {darkest, lightest};
}

TEST(SkinTheme, ScrollBarsAreDarkAndAsWideAsTheStylesOwn) {
    testing::qtTestApp();
    QTreeWidget plain;
    plain.setFrameShape(QFrame::NoFrame); // as the tree
    fillAndShow(plain, QSize(295, 160));
    VividTree tree;
    fillAndShow(tree, QSize(295, 160));
    CTransparentListBox list(false);
    fillAndShow(list, QSize(113, 275));

    // The views keep the room they had with the desktop's scroll bar.
    ASSERT_TRUE(tree.verticalScrollBar()->isVisible());
    EXPECT_EQ(tree.viewport()->width(), plain.viewport()->width());
    ASSERT_TRUE(list.verticalScrollBar()->isVisible());
    EXPECT_EQ(list.verticalScrollBar()->width(), plain.verticalScrollBar()->width());

    for (QAbstractScrollArea* view :
         {static_cast<QAbstractScrollArea*>(&tree), static_cast<QAbstractScrollArea*>(&list)}) {
        const auto [darkest, lightest] = scrollBarLightness(*view);
        EXPECT_LT(darkest, 40);
        EXPECT_LT(lightest, 110); // no light groove, handle or arrow
    }
}

TEST(SkinTheme, TreeGlyphsHaveNoBoxAroundThemOnTheSolidBackground) {
    testing::qtTestApp();
    VividTree tree;
    tree.setBackgroundMode(VividTree::SolidBackground);
    fillAndShow(tree, QSize(295, 160));
    const QColor background = tree.viewport()->grab().toImage().pixelColor(1, 1);
    for (const char* glyph : {"133.png", "134.png"}) {
        const QImage image = programSkinImages().image(SkinFolder::Bitmaps, glyph);
        ASSERT_FALSE(image.isNull()) << glyph;
        for (QPoint corner : {QPoint(0, 0), QPoint(image.width() - 1, image.height() - 1)})
            EXPECT_EQ(image.pixelColor(corner), background) << glyph;
    }
}

} // namespace
} // namespace talvex
