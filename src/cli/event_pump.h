#pragma once
// The CLI runs on one thread: instead of a reader thread, the sleeps inside an acknowledgement
// wait read the event channel, so acknowledgements arrive in the order of the trace.

#include "device/event_reader.h"
#include "platform/hid.h"
#include "platform/pauser.h"

#include <atomic>

namespace talvex {

class EventPumpingPauser final : public Pauser {
public:
    EventPumpingPauser(Pauser& inner, HidChannel& events, std::atomic<bool>& ackFlag)
        : inner(inner), events(events), ackFlag(ackFlag) {}

    void pause(int ms) override { inner.pause(ms); }
    // Reads input reports for up to `ms`, returning early once an acknowledgement arrived.
    void poll(int ms) override;

private:
    Pauser& inner;
    HidChannel& events;
    std::atomic<bool>& ackFlag;
};

} // namespace talvex
