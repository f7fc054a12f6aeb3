// Renders the whole main window offscreen in its three looks and checks a few pixels; the
// PNGs are kept in the build folder ("renders/") for a person to look at.
#include "controls/qt/qt_canvas.h"
#include "keys/key_positions.h"
#include "mainwindow/key_geometry.h"
#include "mainwindow/main_window_rig.h"
#include "mainwindow/qt/panel_bit_sliders.h"
#include "qt_test_app.h"
#include "simulator/simulated_keyboard.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QWidget>

#include <cstdlib>
#include <filesystem>

namespace talvex {
namespace {

namespace fs = std::filesystem;

class MainWindowRenderTest : public ::testing::Test {
protected:
    MainWindowRenderTest()
        : app(testing::qtTestApp()),
          binary(std::getenv("TALVEX_BINARY_DIR") ? std::getenv("TALVEX_BINARY_DIR") : "."),
          images(binary), sliders(&window,
                                  [this](SliderId id) {
                                      if (rig)
                                          rig->commands.onSliderMoved(id);
                                  }),
          rig(std::make_unique<MainWindowRig>(AppPaths{binary, fs::temp_directory_path()}, sliders,
                                              jobs)),
          keys(rig->keys), commands(&rig->commands) {
        keys.workingSettings = factorySettings();
        rig->snapshot = keys.workingSettings;
    }

    QImage render(const char* name) {
        QImage image = QtCanvas::backgroundCanvas(images, SkinFolder::Main,
                                                  MainWindowCommands::kBackgroundImage);
        {
            QtCanvas canvas(image, images);
            commands->paint(canvas);
        }
        QDir().mkpath(QString::fromStdString((binary / "renders").string()));
        image.save(QString::fromStdString((binary / "renders" / name).string()));
        return image;
    }
    void click(int x, int y) {
        commands->onLButtonDown(x, y);
        commands->onLButtonUp(x, y);
    }
    static QPoint insideKey(std::size_t position) {
        const Rect r = keyRectOnWindow(position);
        return QPoint(r.left + 2, r.top + 2);
    }

    QApplication& app;
    fs::path binary;
    SkinImages images;
    QWidget window;
    PanelBitSliders sliders;
    UnansweredDeviceJobs jobs;
    std::unique_ptr<MainWindowRig> rig;
    KeyAssignmentState& keys;
    MainWindowCommands* commands;
};

TEST_F(MainWindowRenderTest, KeyMapViewLightsModifiedAndHoveredKeys) {
    constexpr std::size_t kQ = 42, kW = 43, kEsc = 0;
    keys.keyModified[kQ] = 1;
    const QPoint esc = insideKey(kEsc);
    commands->onMouseMove(esc.x(), esc.y(), false);
    const QImage image = render("main_window_keymap.png");
    ASSERT_FALSE(image.isNull());
    const QImage lit = images.image(SkinFolder::Main, "kb_hl.png");
    const QImage unlit = images.image(SkinFolder::Main, "kb_BK.png");
    ASSERT_FALSE(lit.isNull());
    auto pictureAt = [](const QImage& picture, QPoint p) {
        return picture.pixel(p.x() - kKeyboardPictureX, p.y() - kKeyboardPictureY);
    };
    for (std::size_t key : {kQ, kEsc}) {
        const QPoint p = insideKey(key);
        EXPECT_EQ(image.pixel(p), pictureAt(lit, p)) << key;
        EXPECT_NE(image.pixel(p), pictureAt(unlit, p)) << key;
    }
    EXPECT_EQ(image.pixel(insideKey(kW)), pictureAt(unlit, insideKey(kW)));
}

TEST_F(MainWindowRenderTest, DiyViewPaintsTheCustomColours) {
    keys.workingSettings.lightEffect = 51;
    commands->keyboardView().setDiyView(true);
    auto layout = keys.workingSettings.customLayout(0);
    const std::uint8_t colours[][3] = {{255, 33, 0}, {0, 200, 80}, {40, 90, 255}};
    for (std::size_t p = 0; p < kKeyPositionCount; ++p) {
        const auto& c = colours[p % 3];
        const std::size_t at = keyPositions()[p].cellOffset;
        layout[at + 1] = c[0];
        layout[at + 2] = c[1];
        layout[at + 3] = c[2];
    }
    // Space stays black: the unlit picture shows through.
    const std::size_t space = 98;
    for (int i = 1; i < 4; ++i)
        layout[keyPositions()[space].cellOffset + i] = 0;
    click(100, 115); // open the lighting section: the view switch shows "DIY"
    const QImage image = render("main_window_diy.png");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixelColor(insideKey(42)), QColor(255, 33, 0)); // 42 % 3 == 0
    EXPECT_EQ(image.pixelColor(insideKey(43)), QColor(0, 200, 80));
    const QImage unlit = images.image(SkinFolder::Main, "kb_BK.png");
    const QPoint s = insideKey(space);
    EXPECT_EQ(image.pixel(s), unlit.pixel(s.x() - kKeyboardPictureX, s.y() - kKeyboardPictureY));
}

TEST_F(MainWindowRenderTest, PanelWithTheEffectListOpen) {
    click(100, 115);
    click(100, 165);
    commands->onMouseMove(100, 175 + 3 * 20 + 10, false);
    const QImage image = render("main_window_effect_list.png");
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.pixelColor(245, 175 + 3 * 20 + 2), QColor(80, 0, 0));
    EXPECT_EQ(image.pixelColor(245, 175 + 5 * 20 + 2), QColor(59, 59, 59));
}

} // namespace
} // namespace talvex
