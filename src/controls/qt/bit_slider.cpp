#include "controls/qt/bit_slider.h"

#include "controls/qt/skin_images.h"

#include <QMouseEvent>
#include <QWheelEvent>

namespace talvex {

CBitSlider::CBitSlider(int controlId, QWidget* parent)
    : QSlider(Qt::Horizontal, parent), controlId_(controlId) {
    setMouseTracking(true);
    setSingleStep(1);
    setPageStep(1);
    connect(this, &QSlider::valueChanged, this, [this](int value) {
        setToolTip(QString::number(value));
        placeThumb();
    });
}

void CBitSlider::setUp() {
    if (thumb_)
        return;
    thumb_ = new CBitWnd(this);
    thumb_->loadStrip(":/bitmaps/141.png", kSliderThumbWidth, kSliderThumbHeight);
    thumb_->sizeToFrame();
    thumb_->hide();
    setToolTip(QString::number(value()));
}

void CBitSlider::loadImages() {
    initSkinResources();
    QImage filled = LoadSkinImage(":/bitmaps/140.png");
    if (!filled.isNull())
        trackSize_ = filled.size();
    resize(trackSize_);
}

Rect CBitSlider::channelRect() const {
    return trackbarChannel(width(), height());
}

Rect CBitSlider::thumbRect() const {
    return trackbarThumb(width(), height(), value(), minimum(), maximum());
}

ThumbPlacement CBitSlider::thumbPlacement() const {
    int thumbWidth = thumb_ ? thumb_->width() : kSliderThumbWidth;
    return talvex::placeThumb(thumbRect(), thumbWidth, 0);
}

void CBitSlider::drawOnOwner(Canvas& canvas) const {
    QRect place = geometry();
    drawSlider(
        canvas,
        Rect{place.left(), place.top(), place.left() + place.width(), place.top() + place.height()},
        thumbPlacement(), controlId_, value());
}

void CBitSlider::placeThumb() {
    if (thumb_)
        thumb_->hide();
    emit notify(controlId_);
}

// The owner paints the slider; the window itself stays see-through. No notification from here:
// the owner's repaint would paint the slider again and never stop.
void CBitSlider::paintEvent(QPaintEvent*) {}

void CBitSlider::jumpTo(int x) {
    setValue(jumpPosition(x, Rect{0, 0, width(), height()}, channelRect(), minimum(), maximum()));
}

void CBitSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    dragging_ = true;
    jumpTo(event->position().toPoint().x());
}

void CBitSlider::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && (event->buttons() & Qt::LeftButton))
        jumpTo(event->position().toPoint().x());
    placeThumb();
}

void CBitSlider::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        dragging_ = false;
}

void CBitSlider::wheelEvent(QWheelEvent* event) {
    event->accept();
}

} // namespace talvex
