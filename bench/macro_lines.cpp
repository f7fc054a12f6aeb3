// The macro editor rebuilds the list's lines from the 190 event bytes after every edit, and maps
// a clicked line back to its event: both on a full sequence of mixed short and long waits.
#include "keys/key_name_table.h"
#include "macros/macro_event.h"
#include "macros/macro_sequence.h"

#include <benchmark/benchmark.h>

namespace talvex {
namespace {

EventBuffer fullSequence() {
    EventBuffer buffer{};
    std::size_t at = 0;
    for (int n = 0;; ++n) {
        const MacroEvent event = encodeMacroEvent(n % 2 == 1, 0x04 + n % 26, n % 3 ? 5 : 500);
        if (at + event.size > buffer.size())
            break;
        for (std::size_t i = 0; i < event.size; ++i)
            buffer[at + i] = event.bytes[i];
        at += event.size;
    }
    return buffer;
}

void macroLineBuilder(benchmark::State& state) {
    const KeyNameTable names = buildKeyNameTable();
    const EventBuffer buffer = fullSequence();
    for (auto _ : state)
        benchmark::DoNotOptimize(sequenceLines(buffer, names));
}
BENCHMARK(macroLineBuilder)->Unit(benchmark::kMicrosecond);

void macroLineToEvent(benchmark::State& state) {
    const EventBuffer buffer = fullSequence();
    const SequenceLayout layout = layoutSequence(buffer);
    for (auto _ : state) {
        for (std::size_t line = 0; line <= layout.lineCount; ++line)
            benchmark::DoNotOptimize(lineToEvent(layout, line));
    }
}
BENCHMARK(macroLineToEvent)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace talvex
