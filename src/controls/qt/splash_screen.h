#pragma once
// The picture shown for about a second while the main window starts.

#include "controls/qt/skin_images.h"
#include "controls/splash_ticker.h"

#include <QDialog>
#include <QSize>
#include <QTimer>

namespace talvex {

class CSplashScreen : public QDialog {
    Q_OBJECT
public:
    explicit CSplashScreen(SkinImages& images = programSkinImages(),
                           SplashTicker& ticker = processSplashTicker(), QWidget* parent = nullptr);

    // The timer's 20 ms tick; ends the dialog with Accepted once the ticker says so.
    void timerTick();
    QSize pictureSize() const { return pictureSize_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    SkinImages& images_;
    SplashTicker& ticker_;
    QSize pictureSize_;
    QTimer timer_;
};

} // namespace talvex
