// The initial read and an apply of every part against the simulated keyboard, with the
// protocol's pauses really slept and the event reader on its own thread as in the program. The
// keyboard answers at once, so the pauses are the floor: `floor_ms` is their sum, `ratio` the
// measured time over it. Anything the host adds (waiting on acknowledgements, copying, the
// checksum) shows as a ratio above 1; the target is under 1.05.
#include "device/device_link.h"
#include "device/event_reader.h"
#include "device/sequences.h"
#include "simulator/simulated_keyboard.h"
#include "simulator/simulator_backend.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <thread>

namespace talvex {
namespace {

// Sleeps each protocol pause and adds it to the floor.
class FloorPauser final : public Pauser {
public:
    void reportSent() override { sleeper.reportSent(); }
    void pause(int ms) override {
        floorMs += ms;
        sleeper.pause(ms);
    }
    void poll(int ms) override { sleeper.poll(ms); }

    long long floorMs = 0;

private:
    SleepingPauser sleeper;
};

class Session {
public:
    Session() : keyboard(std::make_shared<SimulatedKeyboard>()), backend(keyboard) {
        openKeyboard(backend, link);
        reader = std::thread([this] {
            SleepingPauser readerPauser;
            runEventReader(*link.eventHandle, link.ackCount, stopReader, {}, readerPauser);
        });
    }
    ~Session() {
        stopReader = true;
        reader.join();
    }

    DeviceIo io() {
        DeviceIo io{*link.commandHandle, pauser, link.ackCount};
        io.ackReaderThread = true;
        return io;
    }

    std::shared_ptr<SimulatedKeyboard> keyboard;
    SimulatorBackend backend;
    DeviceLink link;
    FloorPauser pauser;
    std::atomic<bool> stopReader{false};
    std::thread reader;
};

// Measured time, floor and ratio over all iterations.
void report(benchmark::State& state, double measuredMs, long long floorMs) {
    state.counters["measured_ms"] = measuredMs / state.iterations();
    state.counters["floor_ms"] = static_cast<double>(floorMs) / state.iterations();
    state.counters["ratio"] = floorMs > 0 ? measuredMs / static_cast<double>(floorMs) : 0;
}

template <typename Body> double timedMs(Body body) {
    const auto start = std::chrono::steady_clock::now();
    body();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

void protocolInitialRead(benchmark::State& state) {
    Session session;
    DeviceSettings working = zeroSettings(), snapshot = zeroSettings();
    DeviceInfo info{};
    FirmwareVersion version{};
    double measuredMs = 0;
    for (auto _ : state) {
        DeviceIo io = session.io();
        DeviceResult result;
        measuredMs += timedMs([&] { result = initialRead(io, working, snapshot, info, version); });
        if (!result.ok)
            state.SkipWithError("the keyboard did not answer every read");
    }
    report(state, measuredMs, session.pauser.floorMs);
}
BENCHMARK(protocolInitialRead)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

// Every byte the keyboard keeps changed, so every part of the apply is sent.
DeviceSettings everyPartChanged(const DeviceSettings& held) {
    DeviceSettings changed = held;
    auto bytes = changed.bytes();
    for (auto& byte : bytes)
        byte ^= 1;
    return changed;
}

void protocolApplyEveryPart(benchmark::State& state) {
    Session session;
    DeviceSettings snapshot = session.keyboard->image();
    double measuredMs = 0;
    for (auto _ : state) {
        DeviceSettings working = everyPartChanged(snapshot);
        state.PauseTiming();
        const ChangeFlags changes = computeChanges(working, snapshot);
        state.ResumeTiming();
        if (!changes.keyTable || !changes.macroSlots.back() || !changes.layouts.back())
            state.SkipWithError("not every part differs");
        DeviceIo io = session.io();
        ApplyResult result;
        measuredMs += timedMs([&] { result = applyChanges(io, working, snapshot); });
        if (!result.completed)
            state.SkipWithError("the keyboard did not acknowledge a step");
    }
    report(state, measuredMs, session.pauser.floorMs);
}
BENCHMARK(protocolApplyEveryPart)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace talvex
