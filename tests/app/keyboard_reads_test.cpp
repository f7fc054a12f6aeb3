#include "app/keyboard_reads.h"

#include "device/sequences.h"
#include "device/simulated_link.h"
#include "mainwindow/device_jobs.h"
#include "simulator/simulator_backend.h"

#include <gtest/gtest.h>

#include <functional>

namespace talvex {
namespace {

// After an arrival the window may take the read as the keyboard's known state, so the copy must
// hold exactly what came in, before the lighting is read once more.
TEST(KeyboardReadsTest, AWholeArrivalReadCopiesWhatItReadForTheSnapshot) {
    DeviceSettings image = factorySettings();
    image.lightBrightness = 12;
    auto keyboard = std::make_shared<SimulatedKeyboard>(image);
    SimulatorBackend backend(keyboard);
    DeviceLink link;
    ASSERT_EQ(openKeyboard(backend, link), KeyboardPresence::Open);
    RecordingPauser pauser;
    DeviceIo io{*link.commandHandle, pauser, link.ackCount};

    KeyboardRead read;
    ASSERT_TRUE(readAfterArrival(io, read, true, true).ok);
    EXPECT_EQ(read.snapshot, keyboard->image());
    EXPECT_EQ(read.working, keyboard->image());

    keyboard->setFaults({.unplugAfterReports = 3});
    EXPECT_FALSE(readAfterArrival(io, read, true, false).ok);
}

// The window shows "n / total" while a job runs: each tells every step once, in order, up to the
// total it set before its first report (an apply counts it from its change flags).
TEST(KeyboardReadsTest, EveryJobTellsEachStepOnceUpToTheTotalItSetFirst) {
    using Job = std::function<bool(DeviceIo&, KeyboardRead&)>;
    const std::tuple<const char*, Job, std::size_t> cases[] = {
        {"start-up", [](DeviceIo& io, KeyboardRead& read) { return readAtStartUp(io, read).ok; },
         kInitialReadSteps + 1},
        {"arrival",
         [](DeviceIo& io, KeyboardRead& read) { return readAfterArrival(io, read, true, true).ok; },
         kRereadAfterArrivalSteps + 1},
        {"factory reset",
         [](DeviceIo& io, KeyboardRead&) {
             return resetAndReadBack(io, factorySettings()).complete;
         },
         kResetDeviceSteps + kReadAllSettingsSteps},
        {"apply of the lighting, palette, a macro, two layouts",
         [](DeviceIo& io, KeyboardRead& read) {
             DeviceSettings& s = read.working;
             s.palette[0] ^= 1;
             s.macroSlot(3)[0] ^= 1;
             s.customLayout(0)[1] ^= 1;
             s.customLayout(4)[1] ^= 1;
             return applyChanges(io, s, read.snapshot).completed;
         },
         6},
    };
    for (const auto& [what, job, total] : cases) {
        testing::SimulatedLink sim;
        KeyboardRead read;
        ASSERT_TRUE(readAtStartUp(sim.io, read).ok);
        std::vector<std::pair<std::size_t, std::size_t>> told;
        JobProgress progress(
            [&](std::size_t done, std::size_t all) { told.emplace_back(done, all); });
        sim.io.progress = &progress;
        EXPECT_TRUE(job(sim.io, read)) << what;
        ASSERT_EQ(told.size(), total + 1) << what;
        for (std::size_t n = 0; n <= total; ++n)
            EXPECT_EQ(told[n], std::make_pair(n, total)) << what;
    }
}

} // namespace
} // namespace talvex
