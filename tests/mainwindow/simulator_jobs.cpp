#include "simulator_jobs.h"

#include "device/device_link.h"
#include "device/event_reader.h"
#include "device/sequences.h"
#include "device/wire_trace.h"
#include "simulator/simulator_backend.h"

namespace talvex::testing {

struct SimulatorJobs::Link {
    explicit Link(std::shared_ptr<SimulatedKeyboard> keyboard)
        : backend(std::move(keyboard)), trace([this](const std::string& line) {
              if (line.rfind("SET", 0) == 0 || line.rfind("WRITE", 0) == 0)
                  ++sent;
          }) {
        openKeyboard(backend, link);
        channel = std::make_unique<TracingChannel>(std::move(link.commandHandle), trace);
        // The acknowledgement arrives on the event channel; read it while the apply waits.
        pauser.onPoll = [this] { readOneEvent(*link.eventHandle, link.ackCount, {}, 0); };
    }

    DeviceIo io() { return DeviceIo{*channel, pauser, link.ackCount}; }

    SimulatorBackend backend;
    DeviceLink link;
    WireTrace trace;
    std::unique_ptr<HidChannel> channel;
    RecordingPauser pauser;
    int sent = 0;
};

SimulatorJobs::SimulatorJobs()
    : keyboard_(std::make_shared<SimulatedKeyboard>()), link_(std::make_unique<Link>(keyboard_)) {}

SimulatorJobs::~SimulatorJobs() = default;

int SimulatorJobs::reportsSent() const {
    return link_->sent;
}

void SimulatorJobs::run(std::function<void()> job) {
    ++requests;
    if (holdJobs)
        held_ = std::move(job);
    else
        job();
}

void SimulatorJobs::release() {
    auto job = std::move(held_);
    held_ = nullptr;
    if (job)
        job();
}

void SimulatorJobs::requestSave(const DeviceSettings& working, const DeviceSettings& snapshot,
                                SaveDone done) {
    run([this, working, snapshot, done] {
        SaveOutcome outcome;
        outcome.sent = working;
        outcome.snapshot = snapshot;
        DeviceIo io = link_->io();
        const auto result = applyChanges(io, outcome.sent, outcome.snapshot);
        outcome.completed = result.completed;
        if (!result.completed)
            outcome.failedStep = result.describeFailure();
        done(outcome);
    });
}

void SimulatorJobs::requestFactoryReset(const DeviceSettings& working, ReadDone done) {
    run([this, working, done] {
        DeviceIo io = link_->io();
        done(resetAndReadBack(io, working));
    });
}

} // namespace talvex::testing
