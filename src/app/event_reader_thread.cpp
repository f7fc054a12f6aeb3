#include "app/event_reader_thread.h"

#include "platform/pauser.h"

namespace talvex {

void EventReaderThread::start(std::shared_ptr<HidChannel> events, AckCounter& ackCount,
                              KeyEventSink onKeyEvent) {
    if (running() || !events)
        return;
    stop_ = false;
    thread_ = std::thread(
        [this, events = std::move(events), &ackCount, onKeyEvent = std::move(onKeyEvent)] {
            SleepingPauser pauser;
            runEventReader(*events, ackCount, stop_, onKeyEvent, pauser);
        });
}

void EventReaderThread::stop() {
    if (!running())
        return;
    stop_ = true;
    thread_.join();
}

} // namespace talvex
