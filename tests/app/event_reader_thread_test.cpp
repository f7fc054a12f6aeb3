#include "app/event_reader_thread.h"
#include "keys/key_positions.h"
#include "keys/key_slot.h"
#include "simulator/simulator_backend.h"

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

namespace talvex {
namespace {

using Clock = std::chrono::steady_clock;

template <typename Done> bool waitUntil(Done done) {
    const auto deadline = Clock::now() + std::chrono::seconds(3);
    while (!done() && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    return done();
}

TEST(EventReaderThreadTest, KeyEventsReachTheSinkAndStopEndsTheReaderWithinOneRead) {
    const KeyPosition& key = keyPositions()[42];
    DeviceSettings image = factorySettings();
    writeSlot(image, key.matrixCell, KeySlot{{kSlotHostAction, 0, key.vk, 0}});
    auto keyboard = std::make_shared<SimulatedKeyboard>(image);
    SimulatorBackend backend(keyboard);
    DeviceLink link;
    ASSERT_EQ(openKeyboard(backend, link), KeyboardPresence::Open);

    std::mutex mutex;
    std::vector<std::uint8_t> codes;
    EventReaderThread reader;
    reader.start(link.eventHandle, link.ackCount, [&](std::uint8_t code) {
        std::lock_guard lock(mutex);
        codes.push_back(code);
    });
    ASSERT_TRUE(reader.running());
    keyboard->pressKey(key.matrixCell);
    ASSERT_TRUE(waitUntil([&] {
        std::lock_guard lock(mutex);
        return !codes.empty();
    }));
    EXPECT_EQ(codes, std::vector<std::uint8_t>{key.vk});
    EXPECT_EQ(link.ackCount.load(), 0u); // a key event is no acknowledgement

    const auto stopping = Clock::now();
    reader.stop();
    EXPECT_FALSE(reader.running());
    EXPECT_LT(Clock::now() - stopping, std::chrono::milliseconds(kEventReadTimeoutMs * 3));
}

TEST(EventReaderThreadTest, NoEventChannelStartsNoReader) {
    DeviceLink link;
    EventReaderThread reader;
    reader.start(link.eventHandle, link.ackCount, [](std::uint8_t) {});
    EXPECT_FALSE(reader.running());
    reader.stop();
}

} // namespace
} // namespace talvex
