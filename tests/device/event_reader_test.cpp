#include "device/event_reader.h"
#include "device/sequences.h"
#include "fake_channel.h"
#include "simulated_link.h"

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <thread>

namespace talvex {
namespace {

using testing::ScriptedChannel;

TEST(EventReader, AcknowledgementCountsAndSendsNothing) {
    ScriptedChannel events;
    events.inputs = {{4, 4, 9, 0}, {4, 1, 13, 0}};
    AckCounter ack;
    std::vector<std::uint8_t> codes;
    const KeyEventSink sink = [&](std::uint8_t c) { codes.push_back(c); };
    EXPECT_EQ(readOneEvent(events, ack, sink, 0), InputResult::Report);
    EXPECT_EQ(ack.load(), 1u);
    EXPECT_TRUE(codes.empty());
    EXPECT_EQ(readOneEvent(events, ack, sink, 0), InputResult::Report);
    EXPECT_EQ(ack.load(), 1u);
    EXPECT_EQ(codes, std::vector<std::uint8_t>{13});
}

TEST(EventReader, FailedReadDeliversNothingAndDoesNotSpin) {
    ScriptedChannel events;
    events.inputError = true;
    AckCounter ack;
    std::atomic<bool> stop{false};
    int delivered = 0;
    RecordingPauser pauser;
    pauser.onPoll = [&] {
        if (pauser.polledMs >= 3 * kEventReadTimeoutMs)
            stop = true;
    };
    runEventReader(
        events, ack, stop, [&](std::uint8_t) { ++delivered; }, pauser);
    EXPECT_EQ(delivered, 0);
    EXPECT_EQ(ack.load(), 0u);
    EXPECT_EQ(pauser.polledMs, 3 * kEventReadTimeoutMs);
}

// Presses a key of the simulated keyboard at the first protocol pause, the one just before the
// first acknowledgement wait, so the key event and the acknowledgement are in flight together.
// (Pressing at the first poll of the wait is timing-dependent: a quick reader may have set the
// flag already, and the wait then never polls.)
class PressOnFirstPause final : public Pauser {
public:
    PressOnFirstPause(SimulatedKeyboard& keyboard, std::size_t cell)
        : keyboard(keyboard), cell(cell) {}
    void pause(int) override {
        if (!pressed)
            keyboard.pressKey(cell);
        pressed = true;
    }
    void poll(int ms) override { sleeper.poll(ms); }

private:
    SimulatedKeyboard& keyboard;
    std::size_t cell;
    bool pressed = false;
    SleepingPauser sleeper;
};

// The reader on its own thread, as in the application: a key event that arrives while a save
// waits for an acknowledgement is delivered, and the save still completes.
TEST(EventReader, KeyEventDuringAnAcknowledgementWaitIsNeitherLostNorBlocking) {
    DeviceSettings image = factorySettings();
    image.keyTable[4 * 24 + 0] = 10; // cell 24 is a host action reporting code 13
    image.keyTable[4 * 24 + 2] = 13;
    auto keyboard = std::make_shared<SimulatedKeyboard>(image);
    SimulatorBackend backend(keyboard);
    DeviceLink link;
    ASSERT_EQ(openKeyboard(backend, link), KeyboardPresence::Open);

    std::mutex mutex;
    std::vector<std::uint8_t> codes;
    SleepingPauser readerPauser;
    std::atomic<bool> stopReader{false};
    std::thread reader([&] {
        runEventReader(
            *link.eventHandle, link.ackCount, stopReader,
            [&](std::uint8_t c) {
                std::lock_guard lock(mutex);
                codes.push_back(c);
            },
            readerPauser);
    });

    DeviceSettings working = image;
    DeviceSettings snapshot = image;
    working.lightBrightness = 5;
    working.macroSlot(2)[0] = 1;
    PressOnFirstPause pauser(*keyboard, 24);
    DeviceIo io{*link.commandHandle, pauser, link.ackCount};
    const auto started = std::chrono::steady_clock::now();
    const ApplyResult result = applyChanges(io, working, snapshot);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(1000));

    stopReader = true;
    const auto stopAsked = std::chrono::steady_clock::now();
    reader.join();
    EXPECT_LT(std::chrono::steady_clock::now() - stopAsked,
              std::chrono::milliseconds(kEventReadTimeoutMs + 150));
    EXPECT_TRUE(result.completed);
    EXPECT_EQ(snapshot, working);
    std::lock_guard lock(mutex);
    EXPECT_EQ(codes, std::vector<std::uint8_t>{13});
}

} // namespace
} // namespace talvex
