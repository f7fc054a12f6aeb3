// The main window as a window: painting, mouse and keys, moving, hiding and ending.
#include "app/qt/about_box.h"
#include "app/qt/main_window.h"
#include "controls/qt/qt_canvas.h"
#include "controls/qt/skin_menu_style.h"
#include "platform/qt/qt_ui_text.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>

namespace talvex {

namespace {

// The strip along the top edge where a title bar would be: its context menu is the window menu.
constexpr int kTitleStripHeight = 30;

} // namespace

QImage MainWindow::render() {
    QImage image = QtCanvas::backgroundCanvas(ports_.skin, SkinFolder::Main,
                                              MainWindowCommands::kBackgroundImage);
    QtCanvas canvas(image, ports_.skin);
    commands_.paint(canvas);
    captions_ = canvas.drawnCaptions();
    return image;
}

bool MainWindow::event(QEvent* event) {
    return showCaptionTip(*this, *event, captions_) || QWidget::event(event);
}

void MainWindow::paintEvent(QPaintEvent*) {
    const QImage image = render();
    QPainter painter(this);
    if (image.isNull())
        painter.fillRect(rect(), Qt::black);
    else
        painter.drawImage(0, 0, image);
    emit painted();
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    drag_.end(); // a system move may have taken the last release
    commands_.onLButtonDown(event->position().toPoint().x(), event->position().toPoint().y());
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    if (drag_.end())
        return;
    commands_.onLButtonUp(event->position().toPoint().x(), event->position().toPoint().y());
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    if (drag_.follow(*this, *event))
        return;
    const QPoint p = event->position().toPoint();
    commands_.onMouseMove(p.x(), p.y(), event->buttons().testFlag(Qt::LeftButton));
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_F1:
        // Neither a default button nor the end of the window.
        event->accept();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (session_.state() == SessionState::ShuttingDown) {
        event->accept();
        return;
    }
    // Closed from outside (the desktop's close shortcut): the close button's command.
    event->ignore();
    commands_.close();
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
    if (event->pos().y() >= kTitleStripHeight)
        return QWidget::contextMenuEvent(event);
    QMenu menu(this);
    menu.setStyleSheet(kSkinMenuStyle);
    connect(menu.addAction(translatedText(kAboutMenuText)), &QAction::triggered, this,
            [this] { runAboutBox(this); });
    menu.exec(event->globalPos());
}

void MainWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange)
        update();
}

void MainWindow::requestRepaint() {
    update();
}

void MainWindow::hideWindow() {
    if (ports_.notificationIcon.available())
        hide();
    else
        showMinimized();
}

void MainWindow::closeWindow() {
    // While the keyboard finishes a request, the close waits to run again with its result.
    if (session_.deferUntilIdle([this] { commands_.close(); }))
        hide();
    else
        endWindow();
}

void MainWindow::startWindowDrag(int x, int y) {
    drag_.start(*this, QPoint(x, y));
}

bool MainWindow::keyboardPresent() const {
    return session_.link().commandHandle != nullptr;
}

void MainWindow::setBusyCursor(bool busy) {
    commandsBusyCursor_ = busy;
    updateCursor();
}

void MainWindow::updateCursor() {
    if (commandsBusyCursor_ || session_.busy())
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

} // namespace talvex
