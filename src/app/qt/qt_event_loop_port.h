#pragma once
// The Qt event loop as an EventLoopPort: calls run on the thread of `context` and are dropped
// once it is destroyed.

#include "app/event_loop_port.h"

#include <QObject>
#include <QTimer>

namespace talvex {

class QtEventLoopPort final : public EventLoopPort {
public:
    explicit QtEventLoopPort(QObject& context) : context_(context) {}

    void post(Call call) override {
        QMetaObject::invokeMethod(&context_, std::move(call), Qt::QueuedConnection);
    }
    // Precise: a coarse timer may fire early, before what it waits for is due.
    void after(int ms, Call call) override {
        QTimer::singleShot(ms, Qt::PreciseTimer, &context_, std::move(call));
    }

private:
    QObject& context_;
};

} // namespace talvex
