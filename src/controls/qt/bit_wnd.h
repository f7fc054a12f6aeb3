#pragma once
// A small image button drawn from an image strip: frame 0 normal, 1 hover, 2 pressed. The
// image slider uses one, never shown, as its thumb whose size fixes the drawn thumb's size.

#include "controls/image_strip.h"

#include <QImage>
#include <QPoint>
#include <QWidget>

namespace talvex {

class CBitWnd : public QWidget {
    Q_OBJECT
public:
    explicit CBitWnd(QWidget* parent = nullptr);

    // Cuts the image into frames of the given size (0 = the image's own width or height).
    // False when the image cannot be read; the strip is then empty.
    bool loadStrip(const QString& path, int frameWidth, int frameHeight);
    const ImageStripLayout& strip() const { return layout_; }
    // Resizes the window to one frame.
    void sizeToFrame();

    int state() const { return state_; }
    bool isPressed() const { return pressed_; }
    void setControlId(int id) { controlId_ = id; }
    void setToggleMode(bool on) { toggleMode_ = on; }
    void setNotifyOnPress(bool on) { notifyOnPress_ = on; }
    void setForwardMouseMoves(bool on) { forwardMoves_ = on; }
    void setForwardButtons(bool on) { forwardButtons_ = on; }

signals:
    // The button was clicked (on release, or on press with notify-on-press).
    void command(int controlId);
    // Forwarded mouse input, in the parent's coordinates.
    void mouseMovedInParent(QPoint point);
    void buttonInParent(QPoint point, bool down);

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void setState(int state);

    QImage image_;
    ImageStripLayout layout_;
    int state_ = 0;
    int controlId_ = 0;
    bool pressed_ = false;
    bool toggleMode_ = false;
    bool notifyOnPress_ = false;
    bool forwardMoves_ = false;
    bool forwardButtons_ = false;
};

} // namespace talvex
