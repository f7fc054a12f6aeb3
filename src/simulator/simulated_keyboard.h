#pragma once
// A software Kestrix keyboard: the firmware's side of every report. It holds its own settings
// image, answers every read command, takes every write, puts an acknowledgement on the event
// channel after each write step, reports presses of host-action keys, and can be told to
// misbehave. Safe to use from the command thread and the event reader at once.

#include "device/device_link.h"
#include "device/device_settings.h"
#include "keys/factory_configuration.h"
#include "platform/hid.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

namespace talvex {

// An acknowledgement the keyboard sends this long after its step finished comes too late for
// any host's wait: well past the 2000 ms bound even when a loaded machine stretches the wait's
// polls.
inline constexpr int kLateAckDelayMs = 6000;

struct SimulatorFaults {
    int dropAckForStep = 0; // the write step (1 = first) whose acknowledgement is lost
    bool dropAllAcks = false;
    int unplugAfterReports = -1; // reports after setFaults until the keyboard is gone; -1 never
    bool garbageResponses = false;
    bool duplicateAcks = false;   // every acknowledgement comes twice
    bool unsolicitedAcks = false; // every read request is answered with an acknowledgement too
    bool earlyAcks = false;       // a step is acknowledged after its first report, not its last
    int lateAckForStep = 0;       // the write step whose acknowledgement comes late, by:
    int lateAckDelayMs = kLateAckDelayMs;

    bool operator==(const SimulatorFaults&) const = default;
};

class SimulatedKeyboard {
public:
    SimulatedKeyboard();
    explicit SimulatedKeyboard(const DeviceSettings& image);

    static constexpr std::uint8_t kFirmwareMajor = 1;
    static constexpr std::uint8_t kFirmwareMinor = 3;

    DeviceSettings image() const;
    void setFaults(const SimulatorFaults& faults);
    // Presses the key of a matrix cell; a host-action slot reports its code on the event channel.
    void pressKey(std::size_t cell);
    void unplug();
    bool plugged() const;
    // Write steps the keyboard finished, and requests it rejected (bad checksum or parameters).
    int writeSteps() const;
    int badRequests() const;
    // Called (outside the lock) after each finished write step with the new image.
    void setOnWrite(std::function<void(const DeviceSettings&)> onWrite);

    // The host's side, used by the channels.
    bool setFeature(std::span<const std::uint8_t, kFeatureReportSize> report);
    bool getFeature(std::span<std::uint8_t, kFeatureReportSize> report);
    bool writeData(std::span<const std::uint8_t, kDataReportSize> report);
    bool readData(std::span<std::uint8_t, kDataReportSize> report);
    InputResult readInput(std::span<std::uint8_t, kInputReportSize> report, int timeoutMs);

private:
    enum class Area { None, KeyTable, KeyFlags, MacroSlot, Layout };

    bool countReport();
    // Runs one call from the host under the lock, then tells onWrite when it finished a step.
    template <typename Body> bool hostCall(Body body);
    void handleRequest(const FeatureReport& request);
    std::span<std::uint8_t> areaOf(Area area, std::size_t index);
    void finishWriteStep();
    // The acknowledgement of write step `step`, as the faults make it.
    void acknowledge(int step);
    void pushInput(const InputReport& report);
    void releaseLateAck();
    std::uint8_t nextGarbage();

    mutable std::mutex mutex;
    std::condition_variable inputArrived;
    DeviceSettings settings;
    SimulatorFaults faults;
    bool isPlugged = true;
    int reportCount = 0;
    int steps = 0;
    int rejected = 0;
    bool stepFinished = false;
    FeatureReport response{};
    std::deque<InputReport> inputs;
    std::uint32_t garbageState = 0x12345678;
    std::optional<std::chrono::steady_clock::time_point> lateAckDue;
    std::function<void(const DeviceSettings&)> onWrite;

    // The data phase in progress: reads hand out `pendingRead` chunk by chunk; writes collect
    // chunks into `pendingWrite` until `expectedChunks` arrived.
    std::vector<std::uint8_t> pendingRead;
    std::size_t readChunk = 0;
    Area writeArea = Area::None;
    std::size_t writeIndex = 0;
    std::vector<std::uint8_t> pendingWrite;
    std::size_t expectedChunks = 0;
};

} // namespace talvex
