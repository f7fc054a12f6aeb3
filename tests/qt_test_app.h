#pragma once
// The one QApplication of a Qt test executable, made on first use, a left click, and a way to
// answer the modal dialog that the code under test is about to run.

#include <QApplication>
#include <QDeadlineTimer>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <type_traits>

namespace talvex::testing {

inline QApplication& qtTestApp() {
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance()))
        return *existing;
    static int argc = 1;
    static char name[] = "talvex_tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: tearing Qt down among the other statics at exit crashes in QtGui.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// Lets the event loop run until `done` or the time is up; what `done` says at the end.
template <typename Done> bool spinUntil(Done done, int ms = 3000) {
    QDeadlineTimer deadline(ms);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

// A left click at `at` (widget coordinates), delivered straight to the widget.
inline void leftClick(QWidget* widget, QPoint at) {
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(widget, &event);
    }
}

// Runs `answer` on the next modal widget once it is shown (polling from the event loop that
// the modal run spins), so a test can click through QMessageBox::exec() and friends. With a
// type, it waits for an open popup menu or a modal widget of that type, so a test can answer a
// chooser opened from a dialog that is itself modal.
template <typename T = QWidget>
void answerNextModal(std::function<void(std::type_identity_t<T>*)> answer) {
    auto* timer = new QTimer(&qtTestApp());
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, answer = std::move(answer)] {
        T* shown = qobject_cast<T*>(QApplication::activePopupWidget());
        if (!shown)
            shown = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!shown)
            return;
        timer->stop();
        timer->deleteLater();
        answer(shown);
    });
    timer->start();
}

// Closes the next modal dialog of type T unanswered (as Escape would) once it is shown, and
// notes the widget it was opened over: which window a question stands on decides what the window
// system keeps above what.
template <typename T> void declineNextModal(QWidget*& openedOver) {
    answerNextModal<T>([&openedOver](T* shown) {
        openedOver = shown->parentWidget();
        shown->reject();
    });
}

} // namespace talvex::testing
