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
                           DeviceThreadListener* listener)
    : link_(link), pauser_(pauser), loop_(eventLoop), listener_(listener),
      thread_([this] { loop(); }) {}

DeviceThread::~DeviceThread() {
    finish();
}

void DeviceThread::loop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return !pending_.empty() || stopping_; });
        if (!pending_.empty()) {
            auto work = std::move(pending_.front());
            pending_.pop_front();
            lock.unlock();
            work();
            lock.lock();
        } else if (stopping_) {
            return;
        }
    }
}

bool DeviceThread::run(DeviceJobKind kind, Job job, std::function<void()> done) {
    if (finished_)
        return false;
    Request request{kind, std::move(job), std::move(done)};
    if (busy_) {
        waiting_.push_back(std::move(request));
        return true;
    }
    busy_ = true;
    start(std::move(request));
    // After the start, so that the listener can already tell what runs.
    if (listener_)
        listener_->busyChanged(true);
    return true;
}

void DeviceThread::start(Request request) {
    if (listener_)
        listener_->jobStarted(request.kind);
    // Taken now, not when the request was made: a keyboard pulled meanwhile is not held open.
    std::shared_ptr<HidChannel> channel = link_.commandHandle;
    if (!channel)
        channel = std::make_shared<AbsentChannel>();
    {
        std::lock_guard lock(mutex_);
        pending_.push_back([this, channel = std::move(channel), job = std::move(request.job),
                            done = std::move(request.done)]() mutable {
            // Every step is posted: the window shows it while the keyboard works.
            JobProgress progress([this](std::size_t stepsDone, std::size_t total) {
                loop_.post([this, stepsDone, total] {
                    if (listener_)
                        listener_->jobProgressed(stepsDone, total);
                });
            });
            DeviceIo io{*channel, pauser_, link_.ackCount};
            io.progress = &progress;
            io.ackReaderThread = true;
            job(io);
            // Closed here when the link has let go meanwhile, before the result is delivered.
            channel.reset();
            loop_.post([this, done] { ended(done); });
        });
    }
    wake_.notify_one();
}

void DeviceThread::ended(const std::function<void()>& done) {
    if (waiting_.empty()) {
        becomeIdle();
        if (done)
            done();
        return;
    }
    // The next request starts only after this result is in, so it may build on it.
    if (done)
        done();
    if (waiting_.empty())
        return; // the result's handling ended the thread, which started the rest
    Request next = std::move(waiting_.front());
    waiting_.pop_front();
    start(std::move(next));
}

void DeviceThread::becomeIdle() {
    busy_ = false;
    if (listener_)
        listener_->busyChanged(false);
}

void DeviceThread::finish() {
    if (!finished_) {
        finished_ = true;
        // What the user asked for before the end still reaches the keyboard.
        while (!waiting_.empty()) {
            Request next = std::move(waiting_.front());
            waiting_.pop_front();
            start(std::move(next));
        }
    }
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
        DeviceJobKind::Save,
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
    run(
        DeviceJobKind::FactoryReset,
        [outcome, working](DeviceIo& io) { *outcome = resetAndReadBack(io, working); },
        [outcome, done = std::move(done)] { done(*outcome); });
}

} // namespace talvex
