#include "mainwindow/device_jobs.h"

#include "device/sequences.h"

namespace talvex {

ReadOutcome resetAndReadBack(DeviceIo& io, const DeviceSettings& working) {
    ReadOutcome outcome;
    outcome.settings = working;
    startSteps(io, kResetDeviceSteps + kReadAllSettingsSteps);
    DeviceResult result = resetDevice(io);
    if (result.ok)
        result = readAllSettings(io, outcome.settings);
    outcome.complete = result.ok;
    if (!result.ok)
        outcome.failedPart = result.describeFailure();
    return outcome;
}

} // namespace talvex
