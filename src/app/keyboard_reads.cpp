#include "app/keyboard_reads.h"

#include "device/commands.h"
#include "device/sequences.h"

namespace talvex {

namespace {

DeviceResult readLightingAgain(DeviceIo& io, DeviceSettings& settings) {
    DeviceResult r = readLighting(io, settings);
    if (r.ok)
        stepDone(io);
    return r;
}

} // namespace

DeviceResult readAtStartUp(DeviceIo& io, KeyboardRead& read) {
    startSteps(io, kInitialReadSteps + 1);
    if (auto r =
            initialRead(io, read.working, read.snapshot, read.deviceInfo, read.firmwareVersion);
        !r.ok)
        return r;
    return readLightingAgain(io, read.working);
}

DeviceResult readAfterArrival(DeviceIo& io, KeyboardRead& read, bool commandReopened,
                              bool eventsReopened) {
    startSteps(io, (commandReopened ? kRereadAfterArrivalSteps : 0) + (eventsReopened ? 1 : 0));
    if (commandReopened) {
        if (auto r = rereadAfterArrival(io, read.working, read.deviceInfo, read.firmwareVersion);
            !r.ok)
            return r;
        read.snapshot = read.working;
    }
    if (eventsReopened)
        return readLightingAgain(io, read.working);
    return {};
}

} // namespace talvex
