#include "device/sequences.h"

#include "device/block_transfers.h"
#include "device/commands.h"

#include <algorithm>
#include <cstdio>

namespace talvex {

namespace {

template <typename A, typename B> bool differ(const A& a, const B& b) {
    return !std::equal(a.begin(), a.end(), b.begin(), b.end());
}

void readEverything(DeviceIo& io, DeviceSettings& s, bool yieldAfterMacroSlots) {
    readLighting(io, s);
    for (std::size_t n = 0; n < kPaletteSlotCount; ++n)
        readPaletteColour(io, s, n);
    readGameMode(io, s);
    readReportInterval(io, s);
    readResponseTime(io, s);
    readKeyTable(io, s);
    readKeyFlags(io, s);
    for (std::size_t n = 0; n < kMacroSlotCount; ++n) {
        readMacroSlot(io, s, n);
        if (yieldAfterMacroSlots)
            io.pauser.pause(0);
    }
    for (std::size_t n = 0; n < kCustomLayoutCount; ++n)
        readCustomLayout(io, s, n);
}

void readIdentity(DeviceIo& io, DeviceInfo& deviceInfo, FirmwareVersion& firmwareVersion) {
    readDeviceInfo(io, deviceInfo);
    firmwareVersion = firmwareVersionOf(deviceInfo);
}

ApplyResult failedAt(ApplyStep step, std::size_t index = 0) {
    ApplyResult r;
    r.completed = false;
    r.sentAnything = true;
    r.failedStep = step;
    r.failedIndex = index;
    return r;
}

} // namespace

bool waitForAck(DeviceIo& io) {
    for (int waited = 0;; waited += kAckPollMs) {
        if (io.ackFlag.load()) {
            if (io.ackObserver)
                io.ackObserver->ackWaitEnded(true);
            return true;
        }
        if (waited >= kAckWaitLimitMs) {
            if (io.ackObserver)
                io.ackObserver->ackWaitEnded(false);
            return false;
        }
        io.pauser.poll(kAckPollMs);
    }
}

void resetDevice(DeviceIo& io) {
    sendResetRequest(io);
    sendGameModeOn(io);
    io.pauser.pause(300);
    sendGameModeOn(io);
    io.pauser.pause(300);
}

void readAllSettings(DeviceIo& io, DeviceSettings& s) {
    sendGameModeOn(io);
    io.pauser.pause(10);
    readEverything(io, s, false);
}

void initialRead(DeviceIo& io, DeviceSettings& working, DeviceSettings& snapshot,
                 DeviceInfo& deviceInfo, FirmwareVersion& firmwareVersion) {
    sendGameModeOn(io);
    readIdentity(io, deviceInfo, firmwareVersion);
    readEverything(io, working, true);
    snapshot = working;
}

void rereadAfterArrival(DeviceIo& io, DeviceSettings& working, DeviceInfo& deviceInfo,
                        FirmwareVersion& firmwareVersion) {
    readAllSettings(io, working);
    for (std::size_t n = 0; n < kCustomLayoutCount; ++n)
        readCustomLayout(io, working, n);
    readIdentity(io, deviceInfo, firmwareVersion);
}

bool ChangeFlags::any() const {
    const auto anyOf = [](const auto& flags) {
        return std::any_of(flags.begin(), flags.end(), [](bool f) { return f; });
    };
    return palette || gameMode || reportRate || responseTime || keyTable || keyFlags ||
           anyOf(macroSlots) || anyOf(layouts) || lighting;
}

ChangeFlags computeChanges(const DeviceSettings& w, const DeviceSettings& d) {
    ChangeFlags c;
    c.palette = differ(w.palette, d.palette);
    c.gameMode = w.gameMode != d.gameMode;
    c.reportRate = w.reportInterval != d.reportInterval;
    c.responseTime = w.responseTime != d.responseTime;
    c.keyTable = differ(w.keyTable, d.keyTable);
    c.keyFlags = differ(w.keyFlags, d.keyFlags);
    for (std::size_t n = 0; n < kMacroSlotCount; ++n)
        c.macroSlots[n] = differ(w.macroSlot(n), d.macroSlot(n));
    for (std::size_t n = 0; n < kCustomLayoutCount; ++n)
        c.layouts[n] = differ(w.customLayout(n), d.customLayout(n));
    c.lighting = w.lightEffect != d.lightEffect || w.lightSpeed != d.lightSpeed ||
                 w.lightBrightness != d.lightBrightness || w.lightColour != d.lightColour ||
                 w.lightDirection != d.lightDirection;
    return c;
}

std::string describeApplyStep(ApplyStep step, std::size_t index) {
    switch (step) {
    case ApplyStep::LightingOpen:
        return "lighting";
    case ApplyStep::Palette:
        return "colour palette";
    case ApplyStep::GameMode:
        return "game mode";
    case ApplyStep::ReportRate:
        return "report rate";
    case ApplyStep::ResponseTime:
        return "response time";
    case ApplyStep::KeyTable:
        return "key table";
    case ApplyStep::KeyFlags:
        return "key flags";
    case ApplyStep::MacroSlot:
        return "macro slot " + std::to_string(index);
    case ApplyStep::CustomLayout:
        return "custom layout " + std::to_string(index);
    }
    return "unknown step";
}

ApplyResult applyChanges(DeviceIo& io, DeviceSettings& working, DeviceSettings& snapshot) {
    foldWinLock(working);
    const ChangeFlags changed = computeChanges(working, snapshot);
    if (!changed.any())
        return {};

    io.ackFlag = false;
    writeLighting(io, working, LightingStage::Open);
    io.pauser.pause(10);
    if (!waitForAck(io))
        return failedAt(ApplyStep::LightingOpen);

    // One acknowledged step per changed single-report setting; the palette's seven reports
    // share one acknowledgement.
    struct SingleStep {
        bool changed;
        ApplyStep step;
        void (*send)(DeviceIo&, DeviceSettings&);
    };
    const SingleStep singleSteps[] = {
        {changed.palette, ApplyStep::Palette,
         [](DeviceIo& io, DeviceSettings& s) {
             for (std::size_t n = 0; n < kPaletteSlotCount; ++n)
                 writePaletteColour(io, s, n);
         }},
        {changed.gameMode, ApplyStep::GameMode, writeGameMode},
        {changed.reportRate, ApplyStep::ReportRate,
         [](DeviceIo& io, DeviceSettings& s) { writeReportInterval(io, s); }},
        {changed.responseTime, ApplyStep::ResponseTime,
         [](DeviceIo& io, DeviceSettings& s) { writeResponseTime(io, s); }},
        {changed.keyTable, ApplyStep::KeyTable,
         [](DeviceIo& io, DeviceSettings& s) { writeKeyTable(io, s); }},
        {changed.keyFlags, ApplyStep::KeyFlags,
         [](DeviceIo& io, DeviceSettings& s) { writeKeyFlags(io, s); }},
    };
    for (const auto& step : singleSteps) {
        io.ackFlag = false;
        if (!step.changed)
            continue;
        step.send(io, working);
        if (!waitForAck(io))
            return failedAt(step.step);
    }
    for (std::size_t n = 0; n < kMacroSlotCount; ++n) {
        if (!changed.macroSlots[n])
            continue;
        // Cleared before the write too: the previous step's acknowledgement must not pass for
        // this one's.
        io.ackFlag = false;
        writeMacroSlot(io, working, n);
        if (!waitForAck(io))
            return failedAt(ApplyStep::MacroSlot, n);
        io.ackFlag = false;
    }
    for (std::size_t n = 0; n < kCustomLayoutCount; ++n) {
        if (!changed.layouts[n])
            continue;
        io.ackFlag = false;
        writeCustomLayout(io, working, n);
        if (!waitForAck(io))
            return failedAt(ApplyStep::CustomLayout, n);
        io.ackFlag = false;
    }
    writeLighting(io, working, LightingStage::Close);
    snapshot = working;
    ApplyResult done;
    done.sentAnything = true;
    return done;
}

} // namespace talvex
