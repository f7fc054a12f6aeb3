#pragma once
// The GUI's command line: `Kestrix [--simulate[=STATE_FILE]] [--lang=en|zh_CN]`.

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
    "usage: Kestrix [--simulate[=STATE_FILE]] [--lang=en|zh_CN]";

} // namespace talvex
