#include "controls/qt/splash_screen.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace talvex {

namespace {

constexpr const char* kSplashPicture = "SplashScreen.png";
constexpr int kTickMilliseconds = 20;

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
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), picture,
                      QRect(0, 0, pictureSize_.width(), pictureSize_.height()));
}

} // namespace talvex
