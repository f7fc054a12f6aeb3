#include "device/event_reader.h"

namespace talvex {

InputResult readOneEvent(HidChannel& events, AckCounter& ackCount, const KeyEventSink& onKeyEvent,
                         int timeoutMs) {
    InputReport report{};
    report[0] = 4;
    report[2] = 0;
    const InputResult result = events.readInput(report, timeoutMs);
    if (result != InputResult::Report)
        return result;
    if (report[1] == kAckReportKind)
        ++ackCount;
    else if (onKeyEvent)
        onKeyEvent(report[2]);
    return result;
}

void runEventReader(HidChannel& events, AckCounter& ackCount, const std::atomic<bool>& stopReader,
                    const KeyEventSink& onKeyEvent, Pauser& pauser) {
    while (!stopReader) {
        if (readOneEvent(events, ackCount, onKeyEvent, kEventReadTimeoutMs) == InputResult::Error)
            pauser.poll(kEventReadTimeoutMs);
    }
}

} // namespace talvex
