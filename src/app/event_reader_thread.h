#pragma once
// The thread that reads the keyboard's event channel while it is open: acknowledgements count in
// `ackCount`, key events go to a sink that must hand them on without blocking.

#include "device/event_reader.h"
#include "platform/ack_counter.h"
#include "platform/hid.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>

namespace talvex {

class EventReaderThread {
public:
    EventReaderThread() = default;
    EventReaderThread(const EventReaderThread&) = delete;
    EventReaderThread& operator=(const EventReaderThread&) = delete;
    ~EventReaderThread() { stop(); }

    // Starts reading `events`, which the reader holds until it ends, so whoever else holds the
    // channel may let go of it at any time. `ackCount` must outlive the reader. Does nothing
    // while a reader runs or without a channel.
    void start(std::shared_ptr<HidChannel> events, AckCounter& ackCount, KeyEventSink onKeyEvent);
    // Waits for the reader, which notices within one read timeout.
    void stop();
    bool running() const { return thread_.joinable(); }

private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

} // namespace talvex
