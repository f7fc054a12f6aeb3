#include "controls/qt/edit_helper.h"

#include <QKeyEvent>

namespace talvex {
namespace {

bool isEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

CEditHelper::CEditHelper(QWidget* parent) : QLineEdit(parent) {}

void CEditHelper::keyPressEvent(QKeyEvent* event) {
    // Taken here so that a dialog around the list never treats them as its default or
    // cancel button; the edit ends when the key comes up.
    if (isEnter(event->key()) || event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CEditHelper::keyReleaseEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat() && isEnter(event->key())) {
        emit finished(true);
    } else if (!event->isAutoRepeat() && event->key() == Qt::Key_Escape) {
        emit finished(false);
    } else {
        QLineEdit::keyReleaseEvent(event);
    }
}

void CEditHelper::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    emit finished(true);
}

} // namespace talvex
