#pragma once
// The one QApplication of a Qt test executable, made on first use, and a way to answer the
// modal dialog that the code under test is about to run.

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <functional>

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

// Runs `answer` on the next modal widget once it is shown (polling from the event loop that
// the modal run spins), so a test can click through QMessageBox::exec() and friends.
inline void answerNextModal(std::function<void(QWidget*)> answer) {
    auto* timer = new QTimer(&qtTestApp());
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, answer = std::move(answer)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        timer->stop();
        timer->deleteLater();
        answer(modal);
    });
    timer->start();
}

} // namespace talvex::testing
