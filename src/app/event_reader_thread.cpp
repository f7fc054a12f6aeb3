#include "app/event_reader_thread.h"

#include "platform/pauser.h"

namespace talvex {

void EventReaderThread::start(DeviceLink& link, KeyEventSink onKeyEvent) {
    if (running() || !link.eventHandle)
        return;
    link_ = &link;
    link.stopReader = false;
    // The reader holds the channel, not the link's pointer to it: of the link, only the two
    // atomic flags are shared between threads.
    thread_ = std::thread([&events = *link.eventHandle, &link, onKeyEvent = std::move(onKeyEvent)] {
        SleepingPauser pauser;
        runEventReader(events, link.ackCount, link.stopReader, onKeyEvent, pauser);
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
