// The generated skin against the image catalogue, and QtCanvas drawing real files.

#include "controls/qt/qt_canvas.h"
#include "controls/skin_catalogue.h"
#include "mainwindow/key_geometry.h"
#include "qt_test_app.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QTemporaryDir>

#include <cstdlib>

namespace talvex {
namespace {

using testing::qtTestApp;

QString builtFile(std::string_view path) {
    QString file = QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
    if (file.startsWith(":/"))
        return file;
    return QDir(QString::fromLocal8Bit(std::getenv("TALVEX_BINARY_DIR"))).filePath(file);
}

QImage builtImage(std::string_view path) {
    initSkinResources();
    return LoadSkinImage(builtFile(path));
}

TEST(GeneratedSkin, EveryImageAWindowNamesShipsWithItsSize) {
    qtTestApp();
    for (const auto& entry : skinImages()) {
        QImage image = builtImage(entry.path);
        ASSERT_FALSE(image.isNull()) << entry.path;
        EXPECT_EQ(image.width(), entry.width) << entry.path;
        EXPECT_EQ(image.height(), entry.height) << entry.path;
    }
}

// Images whose size is the click rectangle that their window gives them.
TEST(GeneratedSkin, ButtonsCoverTheirClickRectangles) {
    qtTestApp();
    struct Area {
        const char* path;
        int left, top, right, bottom; // inclusive, as the windows hit-test
    };
    const Area areas[] = {
        {"png/button-close-normal.png", 978, 5, 994, 20},
        {"png/button-help-normal.png", 936, 5, 952, 20},
        {"png/Direction-T-Disable.png", 29, 197, 64, 212},
        {"png/Custom/large_button.png", 0, 31, 81, 57},
        {"png/Custom/button-close-over.png", 303, 2, 318, 17},
        {"png/Custom/view02.png", 256, 68, 302, 83},
        {"png/MacroManagement/Record-over.png", 290, 100, 379, 124},
        {"png/MacroManagement/PaneMakingTick.png", 368, 168, 382, 182},
        {"png/MacroManagement/button-new-over.png", 20, 368, 77, 392},
    };
    for (const Area& area : areas) {
        QImage image = builtImage(area.path);
        EXPECT_EQ(image.size(), QSize(area.right - area.left + 1, area.bottom - area.top + 1))
            << area.path;
    }
    QImage main = builtImage("png/main.png");
    EXPECT_GE(main.width(), 997);  // help panel's right edge
    EXPECT_GE(main.height(), 636); // bottom buttons
}

// Lighting a key copies its rectangle out of the lit picture: the two pictures must differ on
// every key and nowhere else, or a lit key would show a cut keycap or light its neighbour.
TEST(GeneratedSkin, KeycapsSitExactlyOnTheKeyRectangles) {
    qtTestApp();
    QImage unlit = builtImage("png/kb_BK.png");
    QImage lit = builtImage("png/kb_hl.png");
    ASSERT_EQ(unlit.size(), lit.size());
    QImage onKey(unlit.size(), QImage::Format_Grayscale8);
    onKey.fill(0);
    for (std::size_t position = 0; position < kKeyPositionCount; ++position) {
        const KeyGeometry& key = keyGeometry[position];
        if (key.isEmpty())
            continue;
        ASSERT_LE(key.rect.right, unlit.width()) << position;
        ASSERT_LE(key.rect.bottom, unlit.height()) << position;
        int differing = 0;
        for (int y = key.rect.top; y < key.rect.bottom; ++y)
            for (int x = key.rect.left; x < key.rect.right; ++x) {
                onKey.setPixel(x, y, 255);
                differing += unlit.pixel(x, y) != lit.pixel(x, y);
            }
        // Corners and edges of every keycap change, not only its middle.
        EXPECT_NE(unlit.pixel(key.rect.left, key.rect.top), lit.pixel(key.rect.left, key.rect.top))
            << position;
        EXPECT_NE(unlit.pixel(key.rect.right - 1, key.rect.bottom - 1),
                  lit.pixel(key.rect.right - 1, key.rect.bottom - 1))
            << position;
        EXPECT_GT(differing, key.rect.width() * key.rect.height() * 3 / 4) << position;
    }
    for (int y = 0; y < unlit.height(); ++y)
        for (int x = 0; x < unlit.width(); ++x)
            if (qGray(onKey.pixel(x, y)) == 0) {
                ASSERT_EQ(unlit.pixel(x, y), lit.pixel(x, y)) << x << "," << y;
            }
}

class CanvasTest : public ::testing::Test {
protected:
    void SetUp() override {
        qtTestApp();
        ASSERT_TRUE(folder.isValid());
        QDir(folder.path()).mkpath("png/Custom");
    }
    QString skinFile(const QString& name) { return folder.filePath("png/" + name); }
    void writeImage(const QString& name, const QImage& image) {
        ASSERT_TRUE(image.save(skinFile(name), "PNG"));
    }
    QImage blankCanvas() {
        QImage canvas(40, 30, QImage::Format_RGB32);
        canvas.fill(QColor(1, 2, 3));
        return canvas;
    }

    QTemporaryDir folder;
};

TEST_F(CanvasTest, TransparentPixelsLandWithTheirStoredColourNotBlended) {
    QImage picture(2, 1, QImage::Format_ARGB32);
    picture.setPixel(0, 0, qRgba(10, 200, 30, 0));
    picture.setPixel(1, 0, qRgba(200, 100, 50, 128));
    writeImage("see-through.png", picture);

    SkinImages images(folder.path().toStdString());
    QImage canvas = blankCanvas();
    {
        QtCanvas painter(canvas, images);
        painter.drawImage(SkinFolder::Main, "see-through.png", 5, 6);
    }
    EXPECT_EQ(canvas.pixel(5, 6), qRgb(10, 200, 30));
    EXPECT_EQ(canvas.pixel(6, 6), qRgb(200, 100, 50));
}

TEST_F(CanvasTest, NamesMatchWithoutRegardToCaseAndMissingOrBrokenImagesDrawNothing) {
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(Qt::red);
    writeImage("Custom/Enable.png", red);

    QFile garbage(skinFile("Custom/garbage.png"));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("\x89PNG\r\n\x1a\n not really");
    garbage.close();

    SkinImages images(folder.path().toStdString());
    QImage canvas = blankCanvas();
    QImage untouched = canvas;
    {
        QtCanvas painter(canvas, images);
        painter.drawImage(SkinFolder::Custom, "missing.png", 0, 0);
        painter.drawImagePart(SkinFolder::Custom, "garbage.png", Rect{0, 0, 4, 4}, 0, 0);
        painter.drawImage(SkinFolder::Main, "Enable.png", 0, 0); // other folder
    }
    EXPECT_EQ(canvas, untouched);
    {
        QtCanvas painter(canvas, images);
        painter.drawImage(SkinFolder::Custom, "enable.png", 1, 1);
    }
    EXPECT_EQ(canvas.pixel(1, 1), qRgb(255, 0, 0));
    EXPECT_TRUE(QtCanvas::backgroundCanvas(images, SkinFolder::Main, "main.png").isNull());
}

TEST_F(CanvasTest, AChangedFileIsDecodedAgain) {
    QImage first(3, 3, QImage::Format_RGB32);
    first.fill(Qt::blue);
    writeImage("swap.png", first);
    SkinImages images(folder.path().toStdString());
    EXPECT_EQ(images.image(SkinFolder::Main, "swap.png").pixel(0, 0), qRgb(0, 0, 255));

    QImage second(5, 5, QImage::Format_RGB32);
    second.fill(Qt::green);
    writeImage("swap.png", second);
    QImage again = images.image(SkinFolder::Main, "swap.png");
    EXPECT_EQ(again.size(), QSize(5, 5));
    EXPECT_EQ(again.pixel(0, 0), qRgb(0, 255, 0));

    QFile::remove(skinFile("swap.png"));
    EXPECT_TRUE(images.image(SkinFolder::Main, "swap.png").isNull());
}

TEST_F(CanvasTest, PartsFillsAndOutlinesLandOnExactPixels) {
    QImage strip(4, 1, QImage::Format_RGB32);
    for (int x = 0; x < 4; ++x)
        strip.setPixel(x, 0, qRgb(x * 50, 0, 0));
    writeImage("strip.png", strip);
    SkinImages images(folder.path().toStdString());
    QImage canvas = blankCanvas();
    {
        QtCanvas painter(canvas, images);
        // A source reaching past the image copies only what exists, where it belongs.
        painter.drawImagePart(SkinFolder::Main, "strip.png", Rect{2, 0, 6, 1}, 10, 0);
        painter.fillRect(Rect{0, 5, 3, 7}, Colour{9, 9, 9});
        painter.outlineRect(Rect{20, 10, 25, 14}, Colour{255, 255, 255});
    }
    EXPECT_EQ(canvas.pixel(10, 0), qRgb(100, 0, 0));
    EXPECT_EQ(canvas.pixel(11, 0), qRgb(150, 0, 0));
    EXPECT_EQ(canvas.pixel(12, 0), qRgb(1, 2, 3));
    EXPECT_EQ(canvas.pixel(2, 6), qRgb(9, 9, 9));
    EXPECT_EQ(canvas.pixel(3, 6), qRgb(1, 2, 3)); // right edge exclusive
    EXPECT_EQ(canvas.pixel(2, 7), qRgb(1, 2, 3)); // bottom edge exclusive
    EXPECT_EQ(canvas.pixel(20, 10), qRgb(255, 255, 255));
    EXPECT_EQ(canvas.pixel(24, 13), qRgb(255, 255, 255));
    EXPECT_EQ(canvas.pixel(22, 12), qRgb(1, 2, 3)); // inside stays
    EXPECT_EQ(canvas.pixel(25, 13), qRgb(1, 2, 3));
}

TEST_F(CanvasTest, CaptionsSitInTheirCellWithATransparentBackground) {
    SkinImages images(folder.path().toStdString());
    QImage canvas(120, 60, QImage::Format_RGB32);
    canvas.fill(QColor(53, 53, 53));
    CaptionStyle style;
    style.height = 16;
    style.text = Colour{255, 255, 255};
    EXPECT_LE(std::abs(QFontMetrics(QtCanvas::captionFont(style)).height() - 16), 1);
    {
        QtCanvas painter(canvas, images);
        painter.drawCaption("保存 Save", 10, 20, style);
    }
    int ink = 0;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            QRgb pixel = canvas.pixel(x, y);
            EXPECT_FALSE(qRed(pixel) > 100 && qGreen(pixel) < 60) << "background drawn";
            if (pixel == qRgb(53, 53, 53))
                continue;
            ++ink;
            EXPECT_GE(y, 20);
            EXPECT_LT(y, 36);
            EXPECT_GE(x, 10);
        }
    EXPECT_GT(ink, 40);
}

TEST_F(CanvasTest, BuiltInBitmapsDraw) {
    SkinImages images(folder.path().toStdString());
    QImage canvas(220, 17, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    {
        QtCanvas painter(canvas, images);
        painter.drawImage(SkinFolder::Bitmaps, "140.png", 0, 0);
    }
    EXPECT_EQ(canvas.pixel(100, 8), qRgb(255, 33, 0));
}

} // namespace
} // namespace talvex
