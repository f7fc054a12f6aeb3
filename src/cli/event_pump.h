#pragma once
// The CLI runs on one thread: instead of a reader thread, the sleeps inside an acknowledgement
// wait read the event channel, so acknowledgements arrive in the order of the trace.

#include "device/event_reader.h"
#include "platform/ack_counter.h"
#include "platform/hid.h"
#include "platform/pauser.h"

#include <atomic>
#include <cstdint>

namespace talvex {

class EventPumpingPauser final : public Pauser {
public:
    EventPumpingPauser(Pauser& inner, HidChannel& events, AckCounter& ackCount)
        : inner(inner), events(events), ackCount(ackCount) {}

    void reportSent() override { inner.reportSent(); }
    void pause(int ms) override { inner.pause(ms); }
    // Takes in every input report already waiting; then, when no acknowledgement was among them,
    // reads for up to `ms`, returning as soon as one arrives.
    void poll(int ms) override;

private:
    // Reads what is waiting; false when the channel failed.
    bool readWaiting();

    Pauser& inner;
    HidChannel& events;
    AckCounter& ackCount;
};

} // namespace talvex
