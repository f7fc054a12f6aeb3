#include "app/event_reader_thread.h"

#include "platform/pauser.h"

namespace talvex {

void EventReaderThread::start(DeviceLink& link, KeyEventSink onKeyEvent) {
    if (running() || !link.eventHandle)
        return;
    link_ = &link;
    link.stopReader = false;
    thread_ = std::thread([&link, onKeyEvent = std::move(onKeyEvent)] {
        SleepingPauser pauser;
        runEventReader(*link.eventHandle, link.ackFlag, link.stopReader, onKeyEvent, pauser);
    });
}

void EventReaderThread::stop() {
    if (!running())
        return;
    link_->stopReader = true;
    thread_.join();
    link_ = nullptr;
}

} // namespace talvex
