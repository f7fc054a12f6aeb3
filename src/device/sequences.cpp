#include "device/sequences.h"

#include "device/block_transfers.h"
#include "device/commands.h"

#include <algorithm>
#include <chrono>

namespace talvex {

namespace {

template <typename A, typename B> bool differ(const A& a, const B& b) {
    return !std::equal(a.begin(), a.end(), b.begin(), b.end());
}

// Each read of the list in turn, stopping at the first that failed: once the keyboard stops
// answering, every further read would only wait out its timeout.
DeviceResult readEverything(DeviceIo& io, DeviceSettings& s, bool yieldAfterMacroSlots) {
    if (auto r = readLighting(io, s); !r.ok)
        return r;
    stepDone(io);
    for (std::size_t n = 0; n < kPaletteSlotCount; ++n) {
        if (auto r = readPaletteColour(io, s, n); !r.ok)
            return r;
        stepDone(io);
    }
    for (auto read :
         {readGameMode, readReportInterval, readResponseTime, readKeyTable, readKeyFlags}) {
        if (auto r = read(io, s); !r.ok)
            return r;
        stepDone(io);
    }
    for (std::size_t n = 0; n < kMacroSlotCount; ++n) {
        if (auto r = readMacroSlot(io, s, n); !r.ok)
            return r;
        stepDone(io);
        if (yieldAfterMacroSlots)
            io.pauser.pause(0);
    }
    return readCustomLayouts(io, s);
}

DeviceResult readIdentity(DeviceIo& io, DeviceInfo& deviceInfo, FirmwareVersion& firmwareVersion) {
    DeviceInfo read = deviceInfo;
    if (auto r = readDeviceInfo(io, read); !r.ok)
        return r;
    stepDone(io);
    deviceInfo = read;
    firmwareVersion = firmwareVersionOf(deviceInfo);
    return {};
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

DeviceResult readCustomLayouts(DeviceIo& io, DeviceSettings& s) {
    for (std::size_t n = 0; n < kCustomLayoutCount; ++n) {
        if (auto r = readCustomLayout(io, s, n); !r.ok)
            return r;
        stepDone(io);
    }
    return {};
}

std::uint32_t beginAckStep(DeviceIo& io) {
    io.pauser.poll(0);
    return io.ackCount.load();
}

bool waitForAck(DeviceIo& io, std::uint32_t countAtStart) {
    if (io.ackReaderThread) {
        const bool acknowledged =
            io.ackCount.waitForChange(countAtStart, std::chrono::milliseconds(kAckWaitLimitMs));
        if (io.ackObserver)
            io.ackObserver->ackWaitEnded(acknowledged);
        return acknowledged;
    }
    for (int waited = 0;; waited += kAckPollMs) {
        if (io.ackCount.load() != countAtStart) {
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

DeviceResult resetDevice(DeviceIo& io) {
    if (auto r = sendResetRequest(io); !r.ok)
        return r;
    stepDone(io);
    for (int confirmation = 0; confirmation < 2; ++confirmation) {
        if (auto r = sendGameModeOn(io); !r.ok)
            return DeviceResult::failure(DevicePart::Reset);
        io.pauser.pause(300);
        stepDone(io);
    }
    return {};
}

DeviceResult readAllSettings(DeviceIo& io, DeviceSettings& s) {
    if (auto r = sendGameModeOn(io); !r.ok)
        return r;
    io.pauser.pause(10);
    stepDone(io);
    return readEverything(io, s, false);
}

DeviceResult initialRead(DeviceIo& io, DeviceSettings& working, DeviceSettings& snapshot,
                         DeviceInfo& deviceInfo, FirmwareVersion& firmwareVersion) {
    if (auto r = sendGameModeOn(io); !r.ok)
        return r;
    stepDone(io);
    if (auto r = readIdentity(io, deviceInfo, firmwareVersion); !r.ok)
        return r;
    if (auto r = readEverything(io, working, true); !r.ok)
        return r;
    snapshot = working;
    return {};
}

DeviceResult rereadAfterArrival(DeviceIo& io, DeviceSettings& working, DeviceInfo& deviceInfo,
                                FirmwareVersion& firmwareVersion) {
    if (auto r = readAllSettings(io, working); !r.ok)
        return r;
    if (auto r = readCustomLayouts(io, working); !r.ok)
        return r;
    return readIdentity(io, deviceInfo, firmwareVersion);
}

bool ChangeFlags::any() const {
    const auto anyOf = [](const auto& flags) {
        return std::any_of(flags.begin(), flags.end(), [](bool f) { return f; });
    };
    return palette || gameMode || reportRate || responseTime || keyTable || keyFlags ||
           anyOf(macroSlots) || anyOf(layouts) || lighting;
}

std::size_t applyStepCount(const ChangeFlags& c) {
    if (!c.any())
        return 0;
    const auto count = [](const auto& flags) {
        return static_cast<std::size_t>(std::count(flags.begin(), flags.end(), true));
    };
    // The opening and closing lighting reports frame whatever else changed.
    return 2 + c.palette + c.gameMode + c.reportRate + c.responseTime + c.keyTable + c.keyFlags +
           count(c.macroSlots) + count(c.layouts);
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

ApplyResult applyChanges(DeviceIo& io, DeviceSettings& working, DeviceSettings& snapshot) {
    foldWinLock(working);
    const ChangeFlags changed = computeChanges(working, snapshot);
    startSteps(io, applyStepCount(changed));
    if (!changed.any())
        return {};

    // One step: its reports, then one acknowledgement that arrived after the first of them.
    const auto step = [&io](auto&& sendReports) {
        const std::uint32_t countAtStart = beginAckStep(io);
        const DeviceResult sent = sendReports();
        const bool acknowledged = sent.ok && waitForAck(io, countAtStart);
        if (acknowledged)
            stepDone(io);
        return acknowledged;
    };

    if (!step([&] {
            const DeviceResult r = writeLighting(io, working, LightingStage::Open);
            io.pauser.pause(10);
            return r;
        }))
        return failedAt(ApplyStep::Lighting);

    // One acknowledged step per changed single-report setting; the palette's seven reports
    // share one acknowledgement.
    struct SingleStep {
        bool changed;
        ApplyStep step;
        DeviceResult (*send)(DeviceIo&, DeviceSettings&);
    };
    const SingleStep singleSteps[] = {
        {changed.palette, ApplyStep::Palette,
         [](DeviceIo& io, DeviceSettings& s) {
             for (std::size_t n = 0; n < kPaletteSlotCount; ++n)
                 if (auto r = writePaletteColour(io, s, n); !r.ok)
                     return r;
             return DeviceResult{};
         }},
        {changed.gameMode, ApplyStep::GameMode, writeGameMode},
        {changed.reportRate, ApplyStep::ReportRate,
         [](DeviceIo& io, DeviceSettings& s) { return writeReportInterval(io, s); }},
        {changed.responseTime, ApplyStep::ResponseTime,
         [](DeviceIo& io, DeviceSettings& s) { return writeResponseTime(io, s); }},
        {changed.keyTable, ApplyStep::KeyTable,
         [](DeviceIo& io, DeviceSettings& s) { return writeKeyTable(io, s); }},
        {changed.keyFlags, ApplyStep::KeyFlags,
         [](DeviceIo& io, DeviceSettings& s) { return writeKeyFlags(io, s); }},
    };
    for (const auto& single : singleSteps)
        if (single.changed && !step([&] { return single.send(io, working); }))
            return failedAt(single.step);
    for (std::size_t n = 0; n < kMacroSlotCount; ++n)
        if (changed.macroSlots[n] && !step([&] { return writeMacroSlot(io, working, n); }))
            return failedAt(ApplyStep::MacroSlot, n);
    for (std::size_t n = 0; n < kCustomLayoutCount; ++n)
        if (changed.layouts[n] && !step([&] { return writeCustomLayout(io, working, n); }))
            return failedAt(ApplyStep::CustomLayout, n);
    // The closing stage is not acknowledged, so a failed send of it is all there is to notice.
    if (auto r = writeLighting(io, working, LightingStage::Close); !r.ok)
        return failedAt(ApplyStep::Lighting);
    stepDone(io);
    snapshot = working;
    ApplyResult done;
    done.sentAnything = true;
    return done;
}

} // namespace talvex
