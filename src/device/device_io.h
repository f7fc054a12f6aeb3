#pragma once
// What every operation on the command channel needs: the channel, the pauser for the protocol's
// pauses, and for the write sequences the count of acknowledgements the event reader has seen.

#include "platform/hid.h"
#include "platform/pauser.h"

#include <atomic>
#include <cstdint>

namespace talvex {

// Told how each acknowledgement wait ended (the wire trace records it).
class AckObserver {
public:
    virtual ~AckObserver() = default;
    virtual void ackWaitEnded(bool acknowledged) = 0;
};

struct DeviceIo {
    HidChannel& channel;
    Pauser& pauser;
    std::atomic<std::uint32_t>& ackCount;
    AckObserver* ackObserver = nullptr;
};

} // namespace talvex
