#include "app/keyboard_reads.h"

#include "device/commands.h"
#include "device/sequences.h"

namespace talvex {

void readAtStartUp(DeviceIo& io, KeyboardRead& read) {
    initialRead(io, read.working, read.snapshot, read.deviceInfo, read.firmwareVersion);
    readLighting(io, read.working);
}

void readAfterArrival(DeviceIo& io, KeyboardRead& read, bool commandReopened, bool eventsReopened) {
    if (commandReopened)
        rereadAfterArrival(io, read.working, read.deviceInfo, read.firmwareVersion);
    if (eventsReopened)
        readLighting(io, read.working);
}

} // namespace talvex
