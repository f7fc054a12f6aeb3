#include "controls/qt/bit_wnd.h"

#include "controls/qt/skin_images.h"

#include <QMouseEvent>
#include <QPainter>

namespace talvex {

CBitWnd::CBitWnd(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool CBitWnd::loadStrip(const QString& path, int frameWidth, int frameHeight) {
    if (path.startsWith(":/"))
        initSkinResources();
    image_ = LoadSkinImage(path);
    layout_ = ImageStripLayout(image_.width(), image_.height(), frameWidth, frameHeight);
    update();
    return !image_.isNull();
}

void CBitWnd::sizeToFrame() {
    resize(layout_.frameWidth(), layout_.frameHeight());
}

void CBitWnd::setState(int state) {
    state_ = state;
    update();
}

void CBitWnd::paintEvent(QPaintEvent*) {
    auto frame = layout_.frame(state_);
    if (!frame)
        return;
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), image_,
                      QRect(frame->left, frame->top, frame->width(), frame->height()));
}

void CBitWnd::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    setState(pressed_ ? 2 : layout_.frameCount() > 1 ? 1 : 0);
}

void CBitWnd::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    setState(layout_.frameCount() > 1 && pressed_ ? 2 : 0);
}

void CBitWnd::mouseMoveEvent(QMouseEvent* event) {
    if (forwardMoves_ && parentWidget())
        emit mouseMovedInParent(mapToParent(event->position().toPoint()));
}

void CBitWnd::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    setState(!pressed_ && layout_.frameCount() > 2 ? 2 : 0);
    if (toggleMode_)
        pressed_ = !pressed_;
    if (notifyOnPress_)
        emit command(controlId_);
    if (forwardButtons_ && parentWidget())
        emit buttonInParent(mapToParent(event->position().toPoint()), true);
}

void CBitWnd::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    if (!pressed_)
        setState(layout_.frameCount() > 1 ? 1 : 0);
    if (!notifyOnPress_)
        emit command(controlId_);
    if (forwardButtons_ && parentWidget())
        emit buttonInParent(mapToParent(event->position().toPoint()), false);
}

} // namespace talvex
