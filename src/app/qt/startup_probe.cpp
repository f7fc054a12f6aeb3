#include "app/qt/startup_probe.h"

#include "app/qt/main_window.h"

#include <QCoreApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace talvex {

namespace {

std::int64_t clockNs(clockid_t clock) {
    timespec now{};
    ::clock_gettime(clock, &now);
    return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

// The process's start on CLOCK_BOOTTIME, from /proc/self/stat (in clock ticks, so to 10 ms on
// most systems); -1 when it cannot be read. The benchmark has the exact figure: it knows when
// it started the process and compares with the CLOCK_MONOTONIC time the line carries.
std::int64_t processStartNs() {
    std::ifstream file("/proc/self/stat");
    std::string stat((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    // The command name in parentheses may hold spaces; the fields count from its end.
    const std::size_t nameEnd = stat.rfind(')');
    if (nameEnd == std::string::npos)
        return -1;
    std::istringstream fields(stat.substr(nameEnd + 2));
    std::string field;
    // Field 22 (starttime) is the 20th after the name.
    for (int i = 0; i < 20 && fields >> field; ++i) {
    }
    const long ticks = ::sysconf(_SC_CLK_TCK);
    if (!fields || ticks <= 0)
        return -1;
    return static_cast<std::int64_t>(std::strtoull(field.c_str(), nullptr, 10) *
                                     (1'000'000'000.0 / ticks));
}

void firstPaint() {
    const std::int64_t monotonic = clockNs(CLOCK_MONOTONIC);
    const std::int64_t sinceBoot = clockNs(CLOCK_BOOTTIME);
    const std::int64_t start = processStartNs();
    const double sinceStartMs = start < 0 ? -1.0 : (sinceBoot - start) / 1e6;
    // The processor time of all threads, which grows much less than the wall time when other
    // programs keep the processors busy.
    const double cpuMs = clockNs(CLOCK_PROCESS_CPUTIME_ID) / 1e6;
    std::fprintf(stderr, "%s monotonic_ns=%lld since_start_ms=%.1f cpu_ms=%.1f\n",
                 kStartupProbeLine, static_cast<long long>(monotonic), sinceStartMs, cpuMs);
    std::fflush(stderr);
    QCoreApplication::exit(0);
}

} // namespace

StartupProbe::StartupProbe() {
    const char* value = std::getenv(kStartupProbeVariable);
    active_ = value && std::strcmp(value, "1") == 0;
}

void StartupProbe::watch(MainWindow& window) const {
    if (active_)
        QObject::connect(&window, &MainWindow::painted, &window, &firstPaint,
                         Qt::SingleShotConnection);
}

} // namespace talvex
