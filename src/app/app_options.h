#pragma once
// The GUI's command line: `Kestrix [--simulate[=STATE_FILE]] [--lang=en|zh_CN]`.

#include <optional>
#include <string>
#include <vector>

namespace talvex {

struct AppOptions {
    // Run against the simulated keyboard instead of looking for the real one.
    bool simulate = false;
    // Where the simulated keyboard keeps its settings between runs; empty: in memory only.
    std::string simulatorStateFile;
    // The windows' language as asked for on the command line; empty: not asked.
    std::string language;
};

struct AppOptionsParse {
    AppOptions options;
    std::string error; // empty when the arguments were understood
};

// `arguments` without the program name, after the toolkit took its own.
AppOptionsParse parseAppArguments(const std::vector<std::string>& arguments);

inline constexpr const char* kAppUsage =
    "usage: Kestrix [--simulate[=STATE_FILE]] [--lang=en|zh_CN]\n"
    "       Kestrix --help | --version";

// What `--help` or `--version` prints, when the whole command line (toolkit options included)
// asks for either; nothing otherwise. Answered before the toolkit starts, so that both work
// without a display.
std::optional<std::string> answerWithoutWindow(const std::vector<std::string>& arguments);

} // namespace talvex
