#pragma once
// The device thread: every request to the keyboard's command channel (the start-up read, save,
// factory reset, the re-read after an arrival) runs here, one at a time, on copies of the
// settings, so the window keeps painting while the keyboard works. Results come back to the
// window thread as queued calls.

#include "device/device_io.h"
#include "device/device_link.h"
#include "mainwindow/device_jobs.h"
#include "platform/pauser.h"

#include <QObject>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace talvex {

class DeviceThread final : public QObject, public DeviceJobs {
    Q_OBJECT
public:
    using Job = std::function<void(DeviceIo&)>;

    // `link` and `pauser` must outlive this object.
    DeviceThread(DeviceLink& link, Pauser& pauser, QObject* parent = nullptr);
    ~DeviceThread() override;

    bool busy() const override { return busy_; }
    void requestSave(const DeviceSettings& working, const DeviceSettings& snapshot,
                     SaveDone done) override;
    void requestFactoryReset(const DeviceSettings& working, ReadDone done) override;

    // Runs `job` on the device thread with the command channel of this moment (a channel that
    // answers nothing when there is none, as a vanished keyboard does), then `done` on this
    // object's thread. Refused (false, nothing run) while a job runs or after finish().
    bool run(Job job, std::function<void()> done);

    // Waits for the running job and ends the thread. Its result is still delivered if the
    // event loop runs on.
    void finish();

signals:
    void busyChanged(bool busy);

private:
    void loop();

    DeviceLink& link_;
    Pauser& pauser_;
    bool busy_ = false; // window thread only
    bool finished_ = false;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::function<void()> pending_;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace talvex
