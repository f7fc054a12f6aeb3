#include "app/qt/device_thread.h"

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

DeviceThread::DeviceThread(DeviceLink& link, Pauser& pauser, QObject* parent)
    : QObject(parent), link_(link), pauser_(pauser), thread_([this] { loop(); }) {}

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
    busy_ = true;
    emit busyChanged(true);
    // The channel is fixed now; the window thread closes it only while no job runs.
    HidChannel* channel = link_.commandHandle.get();
    {
        std::lock_guard lock(mutex_);
        pending_ = [this, channel, job = std::move(job), done = std::move(done)] {
            AbsentChannel absent;
            DeviceIo io{channel ? *channel : absent, pauser_, link_.ackCount};
            job(io);
            QMetaObject::invokeMethod(
                this,
                [this, done] {
                    busy_ = false;
                    emit busyChanged(false);
                    if (done)
                        done();
                },
                Qt::QueuedConnection);
        };
    }
    wake_.notify_one();
    return true;
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
