#include "controls/qt/skinned_window.h"

#include "controls/qt/qt_canvas.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <QWindow>

namespace talvex {

void paintSkinnedWindow(QWidget& window, SkinImages& images, SkinFolder folder,
                        std::string_view background, const std::function<void(Canvas&)>& paint,
                        QColor fallback) {
    QImage canvasImage = QtCanvas::backgroundCanvas(images, folder, background);
    if (!canvasImage.isNull()) {
        QtCanvas canvas(canvasImage, images);
        paint(canvas);
    }
    QPainter painter(&window);
    if (canvasImage.isNull())
        painter.fillRect(window.rect(), fallback);
    else
        painter.drawImage(0, 0, canvasImage);
}

bool swallowDialogEndingKey(QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event.accept();
        return true;
    default:
        return false;
    }
}

void WindowDrag::start(QWidget& window, QPoint grip) {
    started_ = true;
    if (QWindow* handle = window.windowHandle(); handle && handle->startSystemMove())
        return;
    following_ = true;
    grip_ = grip;
}

bool WindowDrag::follow(QWidget& window, const QMouseEvent& event) {
    if (!following_ || !(event.buttons() & Qt::LeftButton))
        return false;
    window.move(event.globalPosition().toPoint() - grip_);
    return true;
}

} // namespace talvex
