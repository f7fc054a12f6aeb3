#pragma once
// The reader of the event channel: acknowledgements add one to `ackCount`, every other input
// report is a key event whose code goes to a sink that must not block (it runs on the reader's
// thread, and a save may be waiting for the next acknowledgement).

#include "platform/ack_counter.h"
#include "platform/hid.h"
#include "platform/pauser.h"

#include <atomic>
#include <cstdint>
#include <functional>

namespace talvex {

// The read timeout that lets the reader notice `stopReader`.
inline constexpr int kEventReadTimeoutMs = 200;
inline constexpr std::uint8_t kAckReportKind = 4;

using KeyEventSink = std::function<void(std::uint8_t code)>;

// Reads one input report (waiting at most timeoutMs) and dispatches it.
InputResult readOneEvent(HidChannel& events, AckCounter& ackCount, const KeyEventSink& onKeyEvent,
                         int timeoutMs);

// Reads until `stopReader` is set. After a failed read it waits one timeout before trying
// again, so a vanished keyboard does not spin the thread.
void runEventReader(HidChannel& events, AckCounter& ackCount, const std::atomic<bool>& stopReader,
                    const KeyEventSink& onKeyEvent, Pauser& pauser);

} // namespace talvex
