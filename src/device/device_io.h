#pragma once
// What every operation on the command channel needs: the channel, the pauser for the protocol's
// pauses, and for the write sequences the count of acknowledgements the event reader has seen.

#include "platform/ack_counter.h"
#include "platform/hid.h"
#include "platform/pauser.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <utility>

namespace talvex {

// Told how each acknowledgement wait ended (the wire trace records it).
class AckObserver {
public:
    virtual ~AckObserver() = default;
    virtual void ackWaitEnded(bool acknowledged) = 0;
};

// How far a job on the command channel has come, for the window to show while the keyboard
// works. The function a job runs sets the total before its first step (an apply counts its steps
// from the change flags); the sequences move it on. Reports are made on the job's thread.
class JobProgress {
public:
    using Report = std::function<void(std::size_t done, std::size_t total)>;

    explicit JobProgress(Report report) : report_(std::move(report)) {}
    void start(std::size_t total) {
        total_ = total;
        done_ = 0;
        report_(done_, total_);
    }
    void stepDone() { report_(++done_, total_); }

private:
    Report report_;
    std::size_t done_ = 0;
    std::size_t total_ = 0;
};

struct DeviceIo {
    HidChannel& channel;
    Pauser& pauser;
    AckCounter& ackCount;
    AckObserver* ackObserver = nullptr;
    JobProgress* progress = nullptr;
    // A reader on another thread counts the acknowledgements: a wait for one sleeps until the
    // reader wakes it. Otherwise the wait polls, and the pauser's poll reads the events.
    bool ackReaderThread = false;
};

// The channel's reports. Each tells the pauser when it went out (or came in), since the pause
// after a report counts from then.
inline bool setFeature(DeviceIo& io, const FeatureReport& report) {
    const bool done = io.channel.setFeature(report);
    io.pauser.reportSent();
    return done;
}
inline bool getFeature(DeviceIo& io, FeatureReport& report) {
    const bool done = io.channel.getFeature(report);
    io.pauser.reportSent();
    return done;
}
inline bool readData(DeviceIo& io, DataReport& report) {
    const bool done = io.channel.readData(report);
    io.pauser.reportSent();
    return done;
}
inline bool writeData(DeviceIo& io, const DataReport& report) {
    const bool done = io.channel.writeData(report);
    io.pauser.reportSent();
    return done;
}

inline void startSteps(DeviceIo& io, std::size_t total) {
    if (io.progress)
        io.progress->start(total);
}

inline void stepDone(DeviceIo& io) {
    if (io.progress)
        io.progress->stepDone();
}

} // namespace talvex
