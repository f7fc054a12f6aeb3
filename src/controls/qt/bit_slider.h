#pragma once
// The skinned horizontal slider. It keeps QSlider's range, position and keyboard handling but
// paints nothing: it tells its owner where the thumb is, and the owner draws the red and grey
// tracks and the thumb image over the slider's place (drawOnOwner).

#include "controls/canvas.h"
#include "controls/qt/bit_wnd.h"
#include "controls/slider_geometry.h"

#include <QSize>
#include <QSlider>

namespace talvex {

class CBitSlider : public QSlider {
    Q_OBJECT
public:
    CBitSlider(int controlId, QWidget* parent = nullptr);

    // Creates the hidden thumb window and the tooltip; does nothing the second time.
    void setUp();
    // Loads the track images and takes their size, keeping the slider's position.
    void loadImages();

    int controlId() const { return controlId_; }
    CBitWnd* thumbWindow() const { return thumb_; }
    // The trackbar's channel and thumb rectangles, in slider client coordinates.
    Rect channelRect() const;
    Rect thumbRect() const;
    // Where the owner draws the thumb, relative to the slider's top-left corner.
    ThumbPlacement thumbPlacement() const;
    // Draws the slider at its place on the owner's canvas.
    void drawOnOwner(Canvas& canvas) const;

signals:
    // The thumb may have moved: the owner should read the position and redraw the slider.
    void notify(int controlId);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void jumpTo(int x);
    void placeThumb();

    int controlId_;
    CBitWnd* thumb_ = nullptr;
    QSize trackSize_{kSliderTrackWidth, kSliderTrackHeight};
    bool dragging_ = false;
};

} // namespace talvex
