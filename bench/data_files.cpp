// Loading and saving the two data files the program rewrites after every change: keymap.bin
// (206920 bytes) and MacroDefine.bin (169860 bytes). A save is an atomic replace with a flush to
// disk, so its figure is mostly the file system's; run it on the disk the program will use:
//   TMPDIR=/path/on/that/disk bench/talvex_bench_data_files
#include "keys/keymap_file.h"
#include "macros/macro_file.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace talvex {
namespace {

namespace fs = std::filesystem;

struct Folder {
    Folder() { fs::create_directories(path); }
    ~Folder() { fs::remove_all(path); }
    fs::path path = fs::temp_directory_path() / ("talvex-bench-" + std::to_string(::getpid()));
};

struct Keymap {
    std::unique_ptr<DeviceSettings> settings = std::make_unique<DeviceSettings>(zeroSettings());
    std::unique_ptr<KeyAssignments> assignments = std::make_unique<KeyAssignments>();
};

void keymapSave(benchmark::State& state) {
    Folder folder;
    Keymap keymap;
    for (auto _ : state) {
        if (!saveKeymapFile(folder.path / "keymap.bin", *keymap.settings, *keymap.assignments))
            state.SkipWithError("keymap.bin could not be written");
    }
    state.SetBytesProcessed(state.iterations() * kKeymapFileSize);
}
BENCHMARK(keymapSave)->Unit(benchmark::kMillisecond)->UseRealTime();

void keymapLoad(benchmark::State& state) {
    Folder folder;
    Keymap keymap;
    if (!saveKeymapFile(folder.path / "keymap.bin", *keymap.settings, *keymap.assignments))
        state.SkipWithError("keymap.bin could not be written");
    for (auto _ : state) {
        if (loadKeymapFile(folder.path / "keymap.bin", *keymap.settings, *keymap.assignments, false)
                .status != FileStatus::Ok)
            state.SkipWithError("keymap.bin could not be read");
    }
    state.SetBytesProcessed(state.iterations() * kKeymapFileSize);
}
BENCHMARK(keymapLoad)->Unit(benchmark::kMicrosecond);

void macroFileSave(benchmark::State& state) {
    Folder folder;
    const auto macros = std::make_unique<MacroStore>(emptyMacroStore());
    for (auto _ : state) {
        if (!saveMacroFile(folder.path / "MacroDefine.bin", *macros))
            state.SkipWithError("MacroDefine.bin could not be written");
    }
}
BENCHMARK(macroFileSave)->Unit(benchmark::kMillisecond)->UseRealTime();

void macroFileLoad(benchmark::State& state) {
    Folder folder;
    auto macros = std::make_unique<MacroStore>(emptyMacroStore());
    if (!saveMacroFile(folder.path / "MacroDefine.bin", *macros))
        state.SkipWithError("MacroDefine.bin could not be written");
    for (auto _ : state) {
        if (loadMacroFile(folder.path / "MacroDefine.bin", *macros).status != FileStatus::Ok)
            state.SkipWithError("MacroDefine.bin could not be read");
    }
}
BENCHMARK(macroFileLoad)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace talvex
