#include "controls/qt/splash_screen.h"

#include "controls/qt/qt_canvas.h"
#include "platform/ui_text.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace talvex {

namespace {

constexpr const char* kSplashPicture = "SplashScreen.png";
constexpr int kTickMilliseconds = 20;
constexpr const char* kSubtitle = TALVEX_TEXT("87 键 RGB 机械游戏键盘");
constexpr const char* kStarting = TALVEX_TEXT("正在启动…");
constexpr int kSubtitleX = 176, kSubtitleY = 104;
constexpr int kMargin = 14;
constexpr int kVersionWidth = 60;

} // namespace

CSplashScreen::CSplashScreen(SkinImages& images, SplashTicker& ticker, QWidget* parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint), images_(images),
      ticker_(ticker) {
    // Without the picture the window has no size and shows nothing, but it still waits out
    // its second.
    pictureSize_ = images_.image(SkinFolder::Main, kSplashPicture).size();
    setFixedSize(pictureSize_);
    timer_.setInterval(kTickMilliseconds);
    connect(&timer_, &QTimer::timeout, this, &CSplashScreen::timerTick);
}

void CSplashScreen::timerTick() {
    if (ticker_.tick())
        accept();
}

void CSplashScreen::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    timer_.start();
}

void CSplashScreen::hideEvent(QHideEvent* event) {
    timer_.stop();
    QDialog::hideEvent(event);
}

void CSplashScreen::paintEvent(QPaintEvent*) {
    QImage picture = images_.image(SkinFolder::Main, kSplashPicture);
    if (picture.isNull())
        return;
    QImage frame = picture.copy(QRect(QPoint(0, 0), pictureSize_));
    {
        QtCanvas canvas(frame, images_);
        const int width = pictureSize_.width(), height = pictureSize_.height();
        writeCaption(canvas, kSubtitle, kSubtitleX, kSubtitleY, 15, Colour{200, 200, 206},
                     width - kSubtitleX - kMargin);
        // Up to the version in the bottom right corner.
        writeCaption(canvas, kStarting, kMargin, height - 24, 14, Colour{220, 220, 226},
                     width - kVersionWidth - 2 * kMargin);
    }
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), frame);
}

} // namespace talvex
