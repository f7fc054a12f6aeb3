#include "controls/qt/skinned_window.h"

#include "controls/qt/qt_canvas.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWidget>
#include <QWindow>

namespace talvex {

std::vector<DrawnCaption> paintSkinnedWindow(QWidget& window, SkinImages& images, SkinFolder folder,
                                             std::string_view background,
                                             const std::function<void(Canvas&)>& paint,
                                             QColor fallback) {
    std::vector<DrawnCaption> captions;
    QImage canvasImage = QtCanvas::backgroundCanvas(images, folder, background);
    if (!canvasImage.isNull()) {
        QtCanvas canvas(canvasImage, images);
        paint(canvas);
        captions = canvas.drawnCaptions();
    }
    QPainter painter(&window);
    if (canvasImage.isNull())
        painter.fillRect(window.rect(), fallback);
    else
        painter.drawImage(0, 0, canvasImage);
    return captions;
}

bool showCaptionTip(QWidget& window, QEvent& event, const std::vector<DrawnCaption>& captions) {
    if (event.type() != QEvent::ToolTip)
        return false;
    auto& help = static_cast<QHelpEvent&>(event);
    if (const DrawnCaption* caption = elidedCaptionAt(captions, help.pos())) {
        QToolTip::showText(help.globalPos(), QString::fromStdString(caption->fullText), &window,
                           caption->rect);
    } else {
        QToolTip::hideText();
        event.ignore();
    }
    return true;
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
