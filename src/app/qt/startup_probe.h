#pragma once
// The start-up benchmark's hook into the program (bench/process/startup.cpp). With
// KESTRIX_STARTUP_PROBE=1 in the environment the program skips its splash, prints to stderr
// when the main window was first painted, and ends; without it nothing changes.

namespace talvex {

class MainWindow;

inline constexpr const char* kStartupProbeVariable = "KESTRIX_STARTUP_PROBE";
// The start of the line the probe prints; the benchmark looks for it.
inline constexpr const char* kStartupProbeLine = "KESTRIX_STARTUP_PROBE first_paint";

class StartupProbe {
public:
    StartupProbe();

    bool active() const { return active_; }

    // When active: on the window's first paint, prints the line and ends the event loop.
    void watch(MainWindow& window) const;

private:
    bool active_ = false;
};

} // namespace talvex
