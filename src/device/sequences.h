#pragma once
// The keyboard's multi-command sequences: reading everything, factory reset, and writing exactly
// the parts of the settings that changed, each part confirmed by the keyboard.

#include "device/device_io.h"
#include "device/device_link.h"
#include "device/device_result.h"
#include "device/device_settings.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace talvex {

// How long one step of an apply waits for the keyboard's acknowledgement before the apply is
// abandoned, and how often the count is tested meanwhile. The acknowledgement usually arrives a
// moment after the step's last report, just after the first test: a 10 ms sleep there made an
// apply of every part half as long again as its protocol pauses, a 1 ms one costs next to
// nothing.
inline constexpr int kAckWaitLimitMs = 2000;
inline constexpr int kAckPollMs = 1;

// Starts a step: the events already waiting are taken in, and the acknowledgement count of this
// moment returned. Only an acknowledgement counted after it (after the step's first report went
// out) confirms the step; duplicate, stale and unsolicited ones from before are discarded.
std::uint32_t beginAckStep(DeviceIo& io);

// Polls the acknowledgement count; true when it grew past `countAtStart` within
// kAckWaitLimitMs.
bool waitForAck(DeviceIo& io, std::uint32_t countAtStart);

// How far each sequence moves a job's progress (`io.progress`), so that the function a job runs
// can set its total before the first step.
inline constexpr std::size_t kReadEverythingSteps = 1 /* lighting */ + kPaletteSlotCount +
                                                    5 /* game mode to key flags */ +
                                                    kMacroSlotCount + kCustomLayoutCount;
inline constexpr std::size_t kResetDeviceSteps = 3;
inline constexpr std::size_t kReadAllSettingsSteps = 1 + kReadEverythingSteps;
inline constexpr std::size_t kInitialReadSteps = 2 + kReadEverythingSteps;
inline constexpr std::size_t kRereadAfterArrivalSteps =
    kReadAllSettingsSteps + kCustomLayoutCount + 1;

DeviceResult resetDevice(DeviceIo& io);
// Every setting the keyboard holds, into `s`. Neither the device information nor any snapshot.
// Stops at the first part that failed; `s` then holds a mixture and must not be used.
DeviceResult readAllSettings(DeviceIo& io, DeviceSettings& s);

// The first read after the keyboard was found: everything, the device information and firmware
// version, then, when every part arrived, `snapshot` becomes a copy of `working`.
DeviceResult initialRead(DeviceIo& io, DeviceSettings& working, DeviceSettings& snapshot,
                         DeviceInfo& deviceInfo, FirmwareVersion& firmwareVersion);

// The re-read after the keyboard arrives again: everything, the custom layouts once more, the
// device information and firmware version. The snapshot is left to the caller.
// The five custom layouts, in order, stopping at the first that failed.
DeviceResult readCustomLayouts(DeviceIo& io, DeviceSettings& s);

DeviceResult rereadAfterArrival(DeviceIo& io, DeviceSettings& working, DeviceInfo& deviceInfo,
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
// The steps an apply of these changes takes (0 when nothing changed); the apply sets its job's
// total from it before it sends.
std::size_t applyStepCount(const ChangeFlags& changed);

// An apply's steps are named by the part they send; the lighting step is stage 1.
using ApplyStep = DevicePart;

struct [[nodiscard]] ApplyResult {
    bool completed = true;
    bool sentAnything = false;
    ApplyStep failedStep = ApplyStep::Lighting; // meaningful when !completed
    std::size_t failedIndex = 0;                // slot or layout number of a failed step

    std::string describeFailure() const { return describeDevicePart(failedStep, failedIndex); }
};

// Folds the Windows-key lock into the key flags, sends the parts of `working` that differ from
// `snapshot`, and on success copies `working` into `snapshot`. When a report of a step cannot be
// sent, or the keyboard does not acknowledge the step, the apply stops there and `snapshot` is
// left untouched, so the next apply sends the same parts again. The values are not judged here:
// the callers check what they send.
ApplyResult applyChanges(DeviceIo& io, DeviceSettings& working, DeviceSettings& snapshot);

} // namespace talvex
