// The splash screen, the image slider and its image button, run offscreen.

#include "controls/qt/bit_slider.h"
#include "controls/qt/bit_wnd.h"
#include "controls/qt/qt_canvas.h"
#include "controls/qt/splash_screen.h"
#include "qt_test_app.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QWheelEvent>

#include <cstdlib>
#include <vector>

namespace talvex {
namespace {

using testing::qtTestApp;

std::filesystem::path buildFolder() {
    return std::getenv("TALVEX_BINARY_DIR");
}

void sendMouse(QWidget* target, QEvent::Type type, QPoint at,
               Qt::MouseButtons held = Qt::LeftButton) {
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

class SplashTest : public ::testing::Test {
protected:
    void SetUp() override {
        qtTestApp();
        ASSERT_TRUE(folder.isValid());
        QDir(folder.path()).mkpath("png");
    }
    void writePicture(QSize size, QColor colour) {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(colour);
        ASSERT_TRUE(picture.save(folder.filePath("png/SplashScreen.png")));
    }
    QTemporaryDir folder;
    SplashTicker ticker;
};

TEST_F(SplashTest, TakesThePictureSizeAndShowsThePicture) {
    writePicture(QSize(50, 30), QColor(200, 10, 20));
    SkinImages images(folder.path().toStdString());
    CSplashScreen splash(images, ticker);
    EXPECT_EQ(splash.size(), QSize(50, 30));
    QImage shown = splash.grab().toImage();
    EXPECT_EQ(shown.pixel(25, 15), qRgb(200, 10, 20));
    EXPECT_EQ(shown.pixel(49, 29), qRgb(200, 10, 20));
}

TEST_F(SplashTest, ClosesItselfOnThe52ndTickAndASecondShowingOnItsFirst) {
    writePicture(QSize(10, 10), Qt::black);
    SkinImages images(folder.path().toStdString());
    CSplashScreen first(images, ticker);
    first.open();
    for (int tick = 1; tick <= 51; ++tick)
        first.timerTick();
    EXPECT_TRUE(first.isVisible());
    first.timerTick();
    EXPECT_FALSE(first.isVisible());
    EXPECT_EQ(first.result(), QDialog::Accepted);

    CSplashScreen second(images, ticker);
    second.open();
    second.timerTick();
    EXPECT_FALSE(second.isVisible());
    EXPECT_EQ(second.result(), QDialog::Accepted);
}

TEST_F(SplashTest, WithoutAPictureItStillWaitsItsSecondOnTheRealTimer) {
    SkinImages images(folder.path().toStdString());
    CSplashScreen splash(images, ticker);
    EXPECT_EQ(splash.pictureSize(), QSize(0, 0));
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(splash.exec(), QDialog::Accepted);
    EXPECT_GE(clock.elapsed(), 52 * 20 * 9 / 10);
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_EQ(ticker.count(), 52);
}

// The owner of a slider: paints a flat colour and the slider over it, as the main window does.
class Owner : public QWidget {
public:
    Owner() : images(buildFolder()), slider(new CBitSlider(kBrightnessSliderId, this)) {
        resize(300, 100);
        slider->setUp();
        slider->loadImages();
        slider->move(28, 40);
        slider->setRange(0, 50);
        connect(slider, &CBitSlider::notify, this, [this](int id) { notified.push_back(id); });
    }
    void paintEvent(QPaintEvent*) override {
        QImage frame(size(), QImage::Format_RGB32);
        frame.fill(QColor(0, 90, 0));
        {
            QtCanvas canvas(frame, images);
            slider->drawOnOwner(canvas);
        }
        QPainter(this).drawImage(0, 0, frame);
    }
    SkinImages images;
    CBitSlider* slider;
    std::vector<int> notified;
};

TEST(BitSlider, AClickOnTheTrackJumpsThereAtOnce) {
    qtTestApp();
    Owner owner;
    EXPECT_EQ(owner.slider->size(), QSize(220, 17));
    Rect channel = owner.slider->channelRect();
    QPoint middle((channel.left + channel.right) / 2, 8);
    sendMouse(owner.slider, QEvent::MouseButtonPress, middle);
    sendMouse(owner.slider, QEvent::MouseButtonRelease, middle, Qt::NoButton);
    EXPECT_EQ(owner.slider->value(), 25);
    ASSERT_FALSE(owner.notified.empty());
    EXPECT_EQ(owner.notified.back(), kBrightnessSliderId);

    // Dragging follows the mouse; moving without the button only reports the thumb.
    sendMouse(owner.slider, QEvent::MouseButtonPress, middle);
    sendMouse(owner.slider, QEvent::MouseMove, QPoint(channel.right, 8), Qt::LeftButton);
    sendMouse(owner.slider, QEvent::MouseButtonRelease, QPoint(channel.right, 8), Qt::NoButton);
    EXPECT_EQ(owner.slider->value(), 50);
    std::size_t before = owner.notified.size();
    sendMouse(owner.slider, QEvent::MouseMove, QPoint(channel.left, 8), Qt::NoButton);
    EXPECT_EQ(owner.slider->value(), 50);
    EXPECT_EQ(owner.notified.size(), before + 1);
}

TEST(BitSlider, TheWheelChangesNothing) {
    qtTestApp();
    Owner owner;
    owner.slider->setValue(10);
    QWheelEvent wheel(QPointF(50, 8), QPointF(50, 8), QPoint(0, 0), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(owner.slider, &wheel);
    EXPECT_EQ(owner.slider->value(), 10);
}

TEST(BitSlider, OnlyTheOwnersDrawingIsSeenAndTheThumbWindowStaysHidden) {
    qtTestApp();
    Owner owner;
    owner.slider->setValue(25);
    owner.show();
    QImage seen = owner.grab().toImage();
    ThumbPlacement thumb = owner.slider->thumbPlacement();
    QPoint origin(28, 40);
    // Red track left of the thumb, grey track right of it, the thumb image in between.
    EXPECT_EQ(seen.pixel(origin + QPoint(thumb.x / 2, 8)), qRgb(255, 33, 0));
    EXPECT_EQ(seen.pixel(origin + QPoint(thumb.x + 15 + 20, 8)), qRgb(54, 54, 54));
    QRgb knob = seen.pixel(origin + QPoint(thumb.x + 7, thumb.y + 1 + 2));
    EXPECT_GT(qGray(knob), 150);
    // Away from the tracks the owner's own colour shows through the slider window.
    EXPECT_EQ(seen.pixel(origin + QPoint(213, 1)), qRgb(38, 38, 40));
    EXPECT_EQ(seen.pixel(5, 5), qRgb(0, 90, 0));
    EXPECT_TRUE(owner.slider->thumbWindow()->isHidden());
    EXPECT_EQ(owner.slider->thumbWindow()->size(), QSize(15, 14));
}

TEST(BitWnd, StatesFollowHoverPressAndRelease) {
    qtTestApp();
    QWidget parent;
    auto* button = new CBitWnd(&parent);
    QTemporaryDir folder;
    QImage strip(10, 30, QImage::Format_RGB32);
    strip.fill(Qt::gray);
    ASSERT_TRUE(strip.save(folder.filePath("strip.png")));
    ASSERT_TRUE(button->loadStrip(folder.filePath("strip.png"), 10, 10));
    button->sizeToFrame();
    button->setControlId(77);
    std::vector<int> commands;
    QObject::connect(button, &CBitWnd::command, [&](int id) { commands.push_back(id); });

    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(button, &enter);
    EXPECT_EQ(button->state(), 1);
    sendMouse(button, QEvent::MouseButtonPress, QPoint(2, 2));
    EXPECT_EQ(button->state(), 2);
    EXPECT_TRUE(commands.empty());
    sendMouse(button, QEvent::MouseButtonRelease, QPoint(2, 2), Qt::NoButton);
    EXPECT_EQ(button->state(), 1);
    EXPECT_EQ(commands, std::vector<int>{77});
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    EXPECT_EQ(button->state(), 0);

    // In toggle mode the press stays down after release and the command comes on press.
    button->setToggleMode(true);
    button->setNotifyOnPress(true);
    sendMouse(button, QEvent::MouseButtonPress, QPoint(2, 2));
    EXPECT_TRUE(button->isPressed());
    EXPECT_EQ(commands.size(), 2u);
    sendMouse(button, QEvent::MouseButtonRelease, QPoint(2, 2), Qt::NoButton);
    EXPECT_EQ(commands.size(), 2u);
    QApplication::sendEvent(button, &enter);
    EXPECT_EQ(button->state(), 2);
}

} // namespace
} // namespace talvex
