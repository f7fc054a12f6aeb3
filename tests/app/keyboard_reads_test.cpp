#include "app/keyboard_reads.h"

#include "simulator/simulator_backend.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace talvex
