#pragma once
// What the main window says about the keyboard: beside the title whether it is there, and under
// the keyboard picture, while a request runs, what it does and how far it has come. A request's
// outcome stays there a few seconds, then the hint about saving comes back.

#include "controls/canvas.h"
#include "device/device_link.h"
#include "mainwindow/device_jobs.h"
#include "platform/clock.h"

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

namespace talvex {

class DeviceActivity {
public:
    static constexpr int kOutcomeShownMs = 4000;

    // `clock` must outlive this object; null: the system's steady clock.
    explicit DeviceActivity(const SteadyClock* clock = nullptr);

    // The command channel opened or closed; a keyboard that goes takes its firmware version.
    void keyboardConnected(bool connected);
    void firmwareRead(const FirmwareVersion& version);
    void jobStarted(DeviceJobKind kind);
    void jobProgressed(std::size_t done, std::size_t total);
    void jobEnded(DeviceJobKind kind, bool completed);
    // Saved changes the keyboard has not received yet: the status counts them.
    void unsentChanges(std::size_t count) { unsent_ = count; }

    bool jobRunning() const { return running_.has_value(); }
    std::string statusText() const;
    // Progress while a request runs, then its outcome for kOutcomeShownMs, else the hint.
    std::string lineText() const;
    void paint(Canvas& canvas) const;

private:
    bool outcomeShown() const;

    const SteadyClock& clock_;
    bool connected_ = false;
    std::optional<FirmwareVersion> firmware_;
    std::optional<DeviceJobKind> running_;
    std::size_t done_ = 0;
    std::size_t total_ = 0;
    std::size_t unsent_ = 0;
    std::string outcome_;
    bool outcomeFailed_ = false;
    std::chrono::steady_clock::time_point outcomeUntil_{};
};

} // namespace talvex
