#pragma once
// The device thread: every request to the keyboard's command channel (the start-up read, save,
// factory reset, the re-read after an arrival) runs here, one at a time, on copies of the
// settings, so the window keeps painting while the keyboard works. Results come back to the
// loop's thread as posted calls.

#include "app/event_loop_port.h"
#include "device/device_io.h"
#include "device/device_link.h"
#include "mainwindow/device_jobs.h"
#include "platform/pauser.h"

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace talvex {

class DeviceThread final : public DeviceJobs {
public:
    using Job = std::function<void(DeviceIo&)>;

    // `link`, `pauser` and `eventLoop` must outlive this object. `busyChanged` runs on the loop's
    // thread before the ended job's result is delivered.
    DeviceThread(DeviceLink& link, Pauser& pauser, EventLoopPort& eventLoop,
                 std::function<void(bool)> busyChanged = {});
    DeviceThread(const DeviceThread&) = delete;
    DeviceThread& operator=(const DeviceThread&) = delete;
    ~DeviceThread() override;

    bool busy() const override { return busy_; }
    void requestSave(const DeviceSettings& working, const DeviceSettings& snapshot,
                     SaveDone done) override;
    void requestFactoryReset(const DeviceSettings& working, ReadDone done) override;

    // Runs `job` on the device thread with the command channel of this moment, which the job
    // holds until it ends (a channel that answers nothing when there is none, as a vanished
    // keyboard does), then `done` on the loop's thread. Refused (false, nothing run) while a job
    // runs or after finish().
    bool run(Job job, std::function<void()> done);

    // Waits for the running job and ends the thread. Its result is still delivered if the loop
    // runs on.
    void finish();

private:
    void loop();
    void setBusy(bool busy);

    DeviceLink& link_;
    Pauser& pauser_;
    EventLoopPort& loop_;
    std::function<void(bool)> busyChanged_;
    bool busy_ = false; // loop thread only
    bool finished_ = false;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::function<void()> pending_;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace talvex
