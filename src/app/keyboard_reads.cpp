#include "app/keyboard_reads.h"

#include "device/commands.h"
#include "device/sequences.h"

namespace talvex {

DeviceResult readAtStartUp(DeviceIo& io, KeyboardRead& read) {
    if (auto r =
            initialRead(io, read.working, read.snapshot, read.deviceInfo, read.firmwareVersion);
        !r.ok)
        return r;
    return readLighting(io, read.working);
}

DeviceResult readAfterArrival(DeviceIo& io, KeyboardRead& read, bool commandReopened,
                              bool eventsReopened) {
    if (commandReopened) {
        if (auto r = rereadAfterArrival(io, read.working, read.deviceInfo, read.firmwareVersion);
            !r.ok)
            return r;
        read.snapshot = read.working;
    }
    if (eventsReopened)
        return readLighting(io, read.working);
    return {};
}

} // namespace talvex
