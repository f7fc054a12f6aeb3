#include "app/device_thread.h"

#include "device/sequences.h"

#include <memory>

namespace talvex {

namespace {

// The command channel of a keyboard that is not there: every report fails at once.
class AbsentChannel final : public HidChannel {
public:
    bool setFeature(std::span<const std::uint8_t, kFeatureReportSize>) override { return false; }
    bool getFeature(std::span<std::uint8_t, kFeatureReportSize>) override { return false; }
    bool writeData(std::span<const std::uint8_t, kDataReportSize>) override { return false; }
    bool readData(std::span<std::uint8_t, kDataReportSize>) override { return false; }
    InputResult readInput(std::span<std::uint8_t, kInputReportSize>, int) override {
        return InputResult::Error;
    }
};

} // namespace

DeviceThread::DeviceThread(DeviceLink& link, Pauser& pauser, EventLoopPort& eventLoop,
                           std::function<void(bool)> busyChanged)
    : link_(link), pauser_(pauser), loop_(eventLoop), busyChanged_(std::move(busyChanged)),
      thread_([this] { loop(); }) {}

DeviceThread::~DeviceThread() {
    finish();
}

void DeviceThread::loop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return pending_ || stopping_; });
        if (pending_) {
            auto work = std::move(pending_);
            pending_ = nullptr;
            lock.unlock();
            work();
            lock.lock();
        } else if (stopping_) {
            return;
        }
    }
}

bool DeviceThread::run(Job job, std::function<void()> done) {
    if (busy_ || finished_)
        return false;
    setBusy(true);
    std::shared_ptr<HidChannel> channel = link_.commandHandle;
    if (!channel)
        channel = std::make_shared<AbsentChannel>();
    {
        std::lock_guard lock(mutex_);
        pending_ = [this, channel = std::move(channel), job = std::move(job),
                    done = std::move(done)]() mutable {
            DeviceIo io{*channel, pauser_, link_.ackCount};
            job(io);
            // Closed here when the link has let go meanwhile, before the result is delivered.
            channel.reset();
            loop_.post([this, done] {
                setBusy(false);
                if (done)
                    done();
            });
        };
    }
    wake_.notify_one();
    return true;
}

void DeviceThread::setBusy(bool busy) {
    busy_ = busy;
    if (busyChanged_)
        busyChanged_(busy);
}

void DeviceThread::finish() {
    finished_ = true;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable())
        thread_.join();
}

void DeviceThread::requestSave(const DeviceSettings& working, const DeviceSettings& snapshot,
                               SaveDone done) {
    auto outcome = std::make_shared<SaveOutcome>();
    outcome->sent = working;
    outcome->snapshot = snapshot;
    run(
        [outcome](DeviceIo& io) {
            const ApplyResult result = applyChanges(io, outcome->sent, outcome->snapshot);
            outcome->completed = result.completed;
            if (!result.completed)
                outcome->failedStep = result.describeFailure();
        },
        [outcome, done = std::move(done)] { done(*outcome); });
}

void DeviceThread::requestFactoryReset(const DeviceSettings& working, ReadDone done) {
    auto outcome = std::make_shared<ReadOutcome>();
    run([outcome, working](DeviceIo& io) { *outcome = resetAndReadBack(io, working); },
        [outcome, done = std::move(done)] { done(*outcome); });
}

} // namespace talvex
