#pragma once
// Device jobs for tests, run against the simulated keyboard on the test's thread. A job can be
// held back (`holdJobs`) so a test sees the window while the keyboard is busy, then released.

#include "mainwindow/device_jobs.h"
#include "simulator/simulated_keyboard.h"

#include <functional>
#include <memory>

namespace talvex::testing {

class SimulatorJobs final : public DeviceJobs {
public:
    SimulatorJobs();
    ~SimulatorJobs() override;

    bool busy() const override { return static_cast<bool>(held_); }
    void requestSave(const DeviceSettings& working, const DeviceSettings& snapshot,
                     SaveDone done) override;
    void requestFactoryReset(const DeviceSettings& working, ReadDone done) override;

    // Runs the job that was held back.
    void release();

    SimulatedKeyboard& keyboard() { return *keyboard_; }
    // Feature and data reports the host has sent so far.
    int reportsSent() const;

    bool holdJobs = false;
    int requests = 0;

private:
    void run(std::function<void()> job);

    struct Link;
    std::shared_ptr<SimulatedKeyboard> keyboard_;
    std::unique_ptr<Link> link_;
    std::function<void()> held_;
};

} // namespace talvex::testing
