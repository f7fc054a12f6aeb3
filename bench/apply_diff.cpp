// Working out which parts of the settings differ from what the keyboard holds: done before every
// apply and after every edit to enable the save button, on a change in the last custom layout
// (the worst case: every part before it is compared in full).
#include "device/sequences.h"

#include <benchmark/benchmark.h>

namespace talvex {
namespace {

void applyChangesDiff(benchmark::State& state) {
    const DeviceSettings snapshot = zeroSettings();
    DeviceSettings working = snapshot;
    working.customLayouts.back() = 1;
    for (auto _ : state)
        benchmark::DoNotOptimize(computeChanges(working, snapshot));
}
BENCHMARK(applyChangesDiff)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace talvex
