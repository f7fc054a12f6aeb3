// The keyboard session against the simulated keyboard, with an event loop the test turns by
// hand: the start-up read, hot-plug, requests that overlap, and shutdown during a request.
#include "app/keyboard_session.h"
#include "device/hid_transport.h"
#include "platform/fake_device_monitor.h"
#include "platform/scripted_prompts.h"
#include "simulated_bus.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace talvex {
namespace {

using namespace std::chrono_literals;

class HandTurnedLoop final : public EventLoopPort {
public:
    void post(Call call) override {
        std::lock_guard lock(mutex_);
        posted_.push_back(std::move(call));
        wake_.notify_all();
    }
    void after(int ms, Call call) override { timers.emplace_back(ms, std::move(call)); }

    // Runs posted calls until `done` holds; false when 3 s pass first.
    bool runUntil(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + 3s;
        while (!done()) {
            std::unique_lock lock(mutex_);
            if (!wake_.wait_until(lock, deadline, [this] { return !posted_.empty(); }))
                return false;
            auto calls = std::move(posted_);
            posted_.clear();
            lock.unlock();
            for (auto& call : calls)
                call();
        }
        return true;
    }
    void fireTimers() {
        auto due = std::move(timers);
        timers.clear();
        for (auto& timer : due)
            timer.second();
    }

    std::vector<std::pair<int, Call>> timers;

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<Call> posted_;
};

// Command channels that hold their reports while the gate is shut and tell when they close.
class GatedBus final : public HidBackend {
public:
    std::vector<HidInterfaceInfo> enumerate() override { return bus.enumerate(); }
    std::unique_ptr<HidChannel> open(const std::string& path, ChannelRole role) override {
        auto channel = bus.open(path, role);
        if (channel && role == ChannelRole::Command)
            return std::make_unique<Channel>(std::move(channel), *this);
        return channel;
    }
    void setGate(bool open) {
        std::lock_guard lock(mutex_);
        open_ = open;
        wake_.notify_all();
    }

    testing::SimulatedBus bus;
    std::atomic<bool> commandClosed{false};

private:
    struct Channel final : HidChannel {
        Channel(std::unique_ptr<HidChannel> inner, GatedBus& owner)
            : inner(std::move(inner)), owner(owner) {}
        ~Channel() override { owner.commandClosed = true; }
        bool setFeature(std::span<const std::uint8_t, kFeatureReportSize> r) override {
            owner.waitForGate();
            return inner->setFeature(r);
        }
        bool getFeature(std::span<std::uint8_t, kFeatureReportSize> r) override {
            return inner->getFeature(r);
        }
        bool writeData(std::span<const std::uint8_t, kDataReportSize> r) override {
            return inner->writeData(r);
        }
        bool readData(std::span<std::uint8_t, kDataReportSize> r) override {
            return inner->readData(r);
        }
        InputResult readInput(std::span<std::uint8_t, kInputReportSize> r, int ms) override {
            return inner->readInput(r, ms);
        }
        std::unique_ptr<HidChannel> inner;
        GatedBus& owner;
    };
    void waitForGate() {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [this] { return open_; });
    }
    std::mutex mutex_;
    std::condition_variable wake_;
    bool open_ = true;
};

class KeyboardSessionTest : public ::testing::Test, private KeyboardSessionListener {
protected:
    KeyboardSessionTest() { gated.bus.keyboard = std::make_shared<SimulatedKeyboard>(); }
    ~KeyboardSessionTest() override { gated.setGate(true); }

    void openAndRead() {
        session.watchDevices();
        session.open();
        session.readKeyboard();
        ASSERT_TRUE(loop.runUntil([this] { return session.state() == SessionState::Idle; }));
    }
    void save(std::uint8_t brightness) {
        DeviceSettings working = factorySettings();
        working.lightBrightness = brightness;
        session.requestSave(working, factorySettings(),
                            [this](const SaveOutcome& outcome) { saves.push_back(outcome); });
    }

    // Shuts down while the command channel's gate is shut; the gate opens 50 ms later.
    void shutDownWhileHeld() {
        std::thread opener([this] {
            std::this_thread::sleep_for(50ms);
            gated.setGate(true);
        });
        session.shutdown();
        opener.join();
    }

    DeviceSettings workingSettings() override { return zeroSettings(); }
    void readFinished(const KeyboardRead& read, const ReadScope& scope) override {
        reads.emplace_back(read.working, scope);
    }
    void readIncomplete(const std::string& failure) override { failures.push_back(failure); }
    void keyEvent(std::uint8_t) override {}
    void busyChanged() override { ++busyChanges; }
    // What the window shows of it (main_window_activity_test).
    void connectionChanged() override {}
    void jobStarted(DeviceJobKind) override {}
    void jobProgressed(std::size_t, std::size_t) override {}
    void jobEnded(DeviceJobKind, bool) override {}

    GatedBus gated;
    InstantPauser pauser;
    FakeDeviceMonitor monitor;
    ScriptedPrompts prompts;
    HandTurnedLoop loop;
    std::vector<std::pair<DeviceSettings, ReadScope>> reads;
    std::vector<std::string> failures;
    std::vector<SaveOutcome> saves;
    int busyChanges = 0;
    KeyboardSession session{{gated, pauser, monitor, prompts, loop}, *this, 50};
};

TEST_F(KeyboardSessionTest, TheStartUpReadTakesEverythingWhileTheReaderRuns) {
    EXPECT_EQ(session.state(), SessionState::Absent);
    session.watchDevices();
    session.open();
    EXPECT_TRUE(session.readerRunning());
    session.readKeyboard();
    EXPECT_EQ(session.state(), SessionState::Reading);
    ASSERT_TRUE(loop.runUntil([this] { return !reads.empty(); }));

    EXPECT_EQ(session.state(), SessionState::Idle);
    EXPECT_EQ(busyChanges, 2);
    EXPECT_EQ(reads[0].first, gated.bus.keyboard->image());
    EXPECT_EQ(reads[0].second.occasion, ReadOccasion::StartUp);
    EXPECT_TRUE(reads[0].second.everything && reads[0].second.reload);
    EXPECT_EQ(session.link().firmwareVersion[0], SimulatedKeyboard::kFirmwareMajor);
}

TEST_F(KeyboardSessionTest, WithoutTheKeyboardNothingIsReadUntilItArrivesAndSettles) {
    gated.bus.replace(nullptr);
    session.watchDevices();
    session.open();
    session.readKeyboard();
    EXPECT_EQ(session.state(), SessionState::Absent);
    EXPECT_FALSE(session.readerRunning());

    gated.bus.replace(std::make_shared<SimulatedKeyboard>());
    monitor.arrive(kKestrixVendorId, kKestrixProductId);
    ASSERT_EQ(loop.timers.size(), 1u);
    EXPECT_EQ(loop.timers[0].first, 50);
    EXPECT_EQ(session.state(), SessionState::Absent);
    loop.fireTimers();
    EXPECT_EQ(session.state(), SessionState::Reading);
    EXPECT_TRUE(session.readerRunning());
    ASSERT_TRUE(loop.runUntil([this] { return !reads.empty(); }));
    EXPECT_EQ(reads[0].second.occasion, ReadOccasion::Arrival);
    EXPECT_TRUE(reads[0].second.everything && reads[0].second.reload);
}

TEST_F(KeyboardSessionTest, ARemovalLetsGoAtOnceAndARunningSaveClosesTheChannelWhenItEnds) {
    openAndRead();
    gated.setGate(false);
    save(20);
    EXPECT_EQ(session.state(), SessionState::Busy);

    monitor.remove();
    gated.bus.replace(nullptr); // not yet unlisted when the removal came: ignored
    EXPECT_TRUE(session.link().commandHandle);
    monitor.remove();
    EXPECT_FALSE(session.link().commandHandle);
    EXPECT_FALSE(session.link().eventHandle);
    EXPECT_FALSE(session.readerRunning());
    EXPECT_FALSE(gated.commandClosed);
    EXPECT_EQ(session.state(), SessionState::Busy);

    gated.setGate(true);
    ASSERT_TRUE(loop.runUntil([this] { return !saves.empty(); }));
    EXPECT_TRUE(gated.commandClosed);
    EXPECT_FALSE(saves[0].completed);
    EXPECT_EQ(session.state(), SessionState::Absent);
}

TEST_F(KeyboardSessionTest, WhileReadingASaveWaitsItsTurnAndArrivalsAndActionsWait) {
    session.watchDevices();
    session.open();
    gated.setGate(false);
    session.readKeyboard();
    save(20);
    session.readKeyboard(); // the read already running brings the same
    bool closed = false;
    EXPECT_TRUE(session.deferUntilIdle([&] {
        EXPECT_EQ(reads.size(), 1u);
        EXPECT_TRUE(saves.empty()); // before the last request's result
        closed = true;
    }));
    monitor.arrive();
    loop.fireTimers();
    ASSERT_EQ(loop.timers.size(), 1u); // looks again later
    EXPECT_EQ(loop.timers[0].first, 100);
    EXPECT_EQ(session.state(), SessionState::Reading);

    gated.setGate(true);
    ASSERT_TRUE(loop.runUntil([this] { return !saves.empty(); }));
    EXPECT_TRUE(closed);
    EXPECT_TRUE(saves[0].completed);
    EXPECT_EQ(gated.bus.keyboard->image().lightBrightness, 20);
    EXPECT_EQ(busyChanges, 2); // busy from the read's start to the save's end
    loop.fireTimers();         // both channels are open: nothing to read again
    EXPECT_EQ(session.state(), SessionState::Idle);
    EXPECT_EQ(reads.size(), 1u);
    EXPECT_FALSE(session.deferUntilIdle([] { FAIL(); }));
}

TEST_F(KeyboardSessionTest, ShutdownLetsASaveFinishWithItsAcknowledgementsFirst) {
    openAndRead();
    gated.setGate(false);
    save(20);
    shutDownWhileHeld();

    EXPECT_EQ(session.state(), SessionState::ShuttingDown);
    EXPECT_EQ(gated.bus.keyboard->image().lightBrightness, 20);
    EXPECT_FALSE(session.readerRunning());
    EXPECT_FALSE(session.link().commandHandle || session.link().eventHandle);
    EXPECT_TRUE(gated.commandClosed);
    EXPECT_FALSE(monitor.running());
    ASSERT_TRUE(loop.runUntil([this] { return !saves.empty(); }));
    EXPECT_TRUE(saves[0].completed);

    monitor.arrive(); // too late: nothing is watched any more
    EXPECT_TRUE(loop.timers.empty());
}

TEST_F(KeyboardSessionTest, AReadThatEndsAfterShutdownDeliversNothing) {
    session.open();
    gated.setGate(false);
    session.readKeyboard();
    shutDownWhileHeld();
    ASSERT_TRUE(loop.runUntil([this] { return busyChanges == 2; }));
    EXPECT_TRUE(reads.empty());
    EXPECT_TRUE(failures.empty());
}

} // namespace
} // namespace talvex
