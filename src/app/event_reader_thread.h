#pragma once
// The thread that reads the keyboard's event channel while it is open: acknowledgements count in
// the link's `ackCount`, key events go to a sink that must hand them on without blocking.

#include "device/device_link.h"
#include "device/event_reader.h"

#include <thread>

namespace talvex {

class EventReaderThread {
public:
    EventReaderThread() = default;
    EventReaderThread(const EventReaderThread&) = delete;
    EventReaderThread& operator=(const EventReaderThread&) = delete;
    ~EventReaderThread() { stop(); }

    // Starts reading link.eventHandle, which must stay open until stop() has returned. Clears
    // `stopReader` first. Does nothing while a reader runs or without an event channel.
    void start(DeviceLink& link, KeyEventSink onKeyEvent);
    // Sets `stopReader` and waits for the reader, which notices within one read timeout.
    void stop();
    bool running() const { return thread_.joinable(); }

private:
    DeviceLink* link_ = nullptr;
    std::thread thread_;
};

} // namespace talvex
