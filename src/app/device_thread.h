#pragma once
// The device thread: every request to the keyboard's command channel (the start-up read, save,
// factory reset, the re-read after an arrival) runs here, one at a time, on copies of the
// settings, so the window keeps painting while the keyboard works. A request made while another
// runs waits its turn; none is dropped. Results come back to the loop's thread as posted calls.

#include "app/event_loop_port.h"
#include "device/device_io.h"
#include "device/device_link.h"
#include "mainwindow/device_jobs.h"
#include "platform/pauser.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace talvex {

// What the device thread tells the loop's thread, on that thread.
class DeviceThreadListener {
public:
    virtual ~DeviceThreadListener() = default;
    // True once the first request has started; false when the last one has ended, before its
    // result is delivered.
    virtual void busyChanged(bool busy) = 0;
    // A request leaves the queue and starts.
    virtual void jobStarted(DeviceJobKind kind) = 0;
    // The running request moved on: `done` of `total` steps.
    virtual void jobProgressed(std::size_t done, std::size_t total) = 0;
};

class DeviceThread final : public DeviceJobs {
public:
    using Job = std::function<void(DeviceIo&)>;

    // `link`, `pauser`, `eventLoop` and `listener` must outlive this object.
    DeviceThread(DeviceLink& link, Pauser& pauser, EventLoopPort& eventLoop,
                 DeviceThreadListener* listener = nullptr);
    DeviceThread(const DeviceThread&) = delete;
    DeviceThread& operator=(const DeviceThread&) = delete;
    ~DeviceThread() override;

    bool busy() const override { return busy_; }
    void requestSave(const DeviceSettings& working, const DeviceSettings& snapshot,
                     SaveDone done) override;
    void requestFactoryReset(const DeviceSettings& working, ReadDone done) override;

    // Runs `job` on the device thread once the requests before it have ended, with the command
    // channel of the moment it starts, which the job holds until it ends (a channel that
    // answers nothing when there is none, as a vanished keyboard does), then `done` on the
    // loop's thread. Refused (false, nothing run) only after finish().
    bool run(DeviceJobKind kind, Job job, std::function<void()> done);

    // Starts what is still waiting, waits for all of it and ends the thread. Results are still
    // delivered if the loop runs on.
    void finish();

private:
    struct Request {
        DeviceJobKind kind;
        Job job;
        std::function<void()> done;
    };

    void loop();
    void start(Request request);
    void ended(const std::function<void()>& done);
    void becomeIdle();

    DeviceLink& link_;
    Pauser& pauser_;
    EventLoopPort& loop_;
    DeviceThreadListener* listener_;
    bool busy_ = false; // loop thread only
    bool finished_ = false;
    std::deque<Request> waiting_; // loop thread only: behind the running request

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> pending_;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace talvex
