#pragma once
// The keyboard's multi-command sequences: reading everything, factory reset, and writing exactly
// the parts of the settings that changed, each part confirmed by the keyboard.

#include "device/device_io.h"
#include "device/device_link.h"
#include "device/device_settings.h"

#include <array>
#include <cstddef>
#include <string>

namespace talvex {

// How long one step of an apply waits for the keyboard's acknowledgement before the apply is
// abandoned, and how often the flag is tested meanwhile. The acknowledgement usually arrives a
// moment after the step's last report, just after the first test: a 10 ms sleep there made an
// apply of every part half as long again as its protocol pauses, a 1 ms one costs next to
// nothing.
inline constexpr int kAckWaitLimitMs = 2000;
inline constexpr int kAckPollMs = 1;

// Polls `ackFlag`; true when it was set within kAckWaitLimitMs.
bool waitForAck(DeviceIo& io);

void resetDevice(DeviceIo& io);
// Every setting the keyboard holds, into `s`. Neither the device information nor any snapshot.
void readAllSettings(DeviceIo& io, DeviceSettings& s);

// The first read after the keyboard was found: everything, the device information and firmware
// version, then `snapshot` becomes a copy of `working`.
void initialRead(DeviceIo& io, DeviceSettings& working, DeviceSettings& snapshot,
                 DeviceInfo& deviceInfo, FirmwareVersion& firmwareVersion);

// The re-read after the keyboard arrives again: everything, the custom layouts once more, the
// device information and firmware version. The snapshot is left to the caller.
void rereadAfterArrival(DeviceIo& io, DeviceSettings& working, DeviceInfo& deviceInfo,
                        FirmwareVersion& firmwareVersion);

// Which parts differ between the edited settings and what the keyboard holds.
struct ChangeFlags {
    bool palette = false;
    bool gameMode = false;
    bool reportRate = false;
    bool responseTime = false;
    bool keyTable = false;
    bool keyFlags = false;
    std::array<bool, kMacroSlotCount> macroSlots{};
    std::array<bool, kCustomLayoutCount> layouts{};
    bool lighting = false;

    bool any() const;
};

ChangeFlags computeChanges(const DeviceSettings& working, const DeviceSettings& snapshot);

enum class ApplyStep {
    LightingOpen,
    Palette,
    GameMode,
    ReportRate,
    ResponseTime,
    KeyTable,
    KeyFlags,
    MacroSlot,
    CustomLayout,
};

struct ApplyResult {
    bool completed = true;
    bool sentAnything = false;
    ApplyStep failedStep = ApplyStep::LightingOpen; // meaningful when !completed
    std::size_t failedIndex = 0;                    // slot or layout number of a failed step
};

// English name of a step, e.g. "macro slot 17".
std::string describeApplyStep(ApplyStep step, std::size_t index);

// Folds the Windows-key lock into the key flags, sends the parts of `working` that differ from
// `snapshot`, and on success copies `working` into `snapshot`. When the keyboard does not
// acknowledge a step the apply stops there and `snapshot` is left untouched, so the next apply
// sends the same parts again.
ApplyResult applyChanges(DeviceIo& io, DeviceSettings& working, DeviceSettings& snapshot);

} // namespace talvex
