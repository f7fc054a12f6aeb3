// From process start to the first paint of the main window: starts the built Kestrix against
// the simulated keyboard, as installed (bin/ and share/kestrix/ in a temporary folder, the data
// folder and the runtime folder there too, so runs disturb neither each other nor a Kestrix
// the user is running), offscreen, with KESTRIX_STARTUP_PROBE=1 so that the program skips the
// splash's second, prints when its window was first painted, and ends. The time runs from just
// before the process is started to the CLOCK_MONOTONIC time in that line.
//   build/release/bench/talvex_bench_startup
// min_ms, median_ms and max_ms give the spread of the runs; in_process_ms is the program's own
// figure (from the start time in /proc/self/stat, to 10 ms) and cpu_ms the processor time its
// threads had used by the paint, which other programs' load changes much less than the wall time
// (medians). Each language is started once untimed first, which also writes the data files, as a
// start after the first one finds them.
#include "app/qt/startup_probe.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kRunTimeoutMs = 30000;

std::int64_t monotonicNs() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

// A temporary installed layout of the built program, removed when the benchmark ends.
class Installation {
public:
    Installation() {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/talvex-startup-XXXXXX";
        if (!::mkdtemp(pattern.data()))
            return;
        root_ = pattern;
        const fs::path share = root_ / "share" / "kestrix";
        std::error_code ec;
        fs::create_directories(root_ / "bin", ec);
        fs::create_directories(share, ec);
        fs::create_directories(root_ / "data", ec);
        fs::create_directories(runtimeFolder(), ec);
        fs::permissions(runtimeFolder(), fs::perms::owner_all, ec);
        // A copy, not a link: the program finds its share folder from /proc/self/exe.
        fs::copy_file(TALVEX_KESTRIX, executable(), ec);
        if (!ec)
            fs::create_directory_symlink(TALVEX_SKIN_FOLDER, share / "png", ec);
        if (!ec)
            fs::copy_file(TALVEX_VERSION_FILE, share / "VER.bin", ec);
        error_ = ec ? ec.message() : "";
    }
    ~Installation() {
        std::error_code ec;
        if (!root_.empty())
            fs::remove_all(root_, ec);
    }
    Installation(const Installation&) = delete;
    Installation& operator=(const Installation&) = delete;

    // Empty when the layout is ready.
    std::string error() const { return root_.empty() ? "cannot make a temporary folder" : error_; }
    fs::path executable() const { return root_ / "bin" / "Kestrix"; }
    fs::path dataFolder() const { return root_ / "data"; }
    fs::path runtimeFolder() const { return root_ / "run"; }

private:
    fs::path root_;
    std::string error_;
};

Installation& installation() {
    static Installation installed;
    return installed;
}

struct Run {
    double seconds = 0;      // from just before the start to the first paint
    double inProcessMs = -1; // the program's own figure
    double cpuMs = -1;       // the processor time it had used by then
    std::string error;       // empty when the run went well
};

std::string numberAfter(const std::string& text, const std::string& key) {
    const std::size_t at = text.find(key);
    if (at == std::string::npos)
        return {};
    const std::size_t from = at + key.size();
    return text.substr(from, text.find_first_of(" \n", from) - from);
}

// The environment the program runs in: this one, with the benchmark's folders, platform and
// probe in place of any the caller set.
std::vector<std::string> childEnvironment(const Installation& installed) {
    const std::vector<std::string> replaced = {
        "QT_QPA_PLATFORM=", "XDG_DATA_HOME=", "XDG_RUNTIME_DIR=", "KESTRIX_"};
    std::vector<std::string> variables;
    for (char** entry = environ; *entry; ++entry) {
        const std::string variable = *entry;
        if (std::none_of(replaced.begin(), replaced.end(),
                         [&](const std::string& p) { return variable.rfind(p, 0) == 0; }))
            variables.push_back(variable);
    }
    variables.push_back("QT_QPA_PLATFORM=offscreen");
    variables.push_back("XDG_DATA_HOME=" + installed.dataFolder().string());
    variables.push_back("XDG_RUNTIME_DIR=" + installed.runtimeFolder().string());
    variables.push_back(std::string(talvex::kStartupProbeVariable) + "=1");
    return variables;
}

Run startOnce(const std::string& language) {
    Installation& installed = installation();
    Run run;
    if (!(run.error = installed.error()).empty())
        return run;

    std::vector<std::string> variables = childEnvironment(installed);
    std::vector<char*> envp;
    for (std::string& variable : variables)
        envp.push_back(variable.data());
    envp.push_back(nullptr);
    std::string program = installed.executable().string();
    std::string simulate = "--simulate", lang = "--lang=" + language;
    char* argv[] = {program.data(), simulate.data(), lang.data(), nullptr};

    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) {
        run.error = std::strerror(errno);
        return run;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 2);

    const std::int64_t started = monotonicNs();
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    if (spawned != 0) {
        ::close(pipeEnds[0]);
        run.error = std::string("cannot start Kestrix: ") + std::strerror(spawned);
        return run;
    }

    // Everything the program writes is read to its end, so that it never blocks on the pipe.
    std::string output;
    bool timedOut = false;
    for (;;) {
        pollfd readable{pipeEnds[0], POLLIN, 0};
        const int ready = ::poll(&readable, 1, kRunTimeoutMs);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0) {
            timedOut = true;
            ::kill(pid, SIGKILL);
            break;
        }
        char buffer[4096];
        const ssize_t got = ::read(pipeEnds[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        output.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);

    const std::string paintedAt = numberAfter(output, " monotonic_ns=");
    if (timedOut || paintedAt.empty() ||
        output.find(talvex::kStartupProbeLine) == std::string::npos)
        run.error = std::string(timedOut ? "Kestrix did not paint in time" : "no first paint") +
                    "; it wrote: " + output;
    else if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        run.error = "Kestrix did not end cleanly; it wrote: " + output;
    if (!run.error.empty())
        return run;
    run.seconds = static_cast<double>(std::stoll(paintedAt) - started) / 1e9;
    const std::string inProcess = numberAfter(output, " since_start_ms=");
    run.inProcessMs = inProcess.empty() ? -1 : std::stod(inProcess);
    const std::string cpu = numberAfter(output, " cpu_ms=");
    run.cpuMs = cpu.empty() ? -1 : std::stod(cpu);
    return run;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void BM_StartToFirstPaint(benchmark::State& state, const char* language) {
    if (const Run warmUp = startOnce(language); !warmUp.error.empty()) {
        state.SkipWithError(warmUp.error.c_str());
        return;
    }
    std::vector<double> ms, inProcessMs, cpuMs;
    for (auto _ : state) {
        const Run run = startOnce(language);
        if (!run.error.empty()) {
            state.SkipWithError(run.error.c_str());
            return;
        }
        state.SetIterationTime(run.seconds);
        ms.push_back(run.seconds * 1e3);
        inProcessMs.push_back(run.inProcessMs);
        cpuMs.push_back(run.cpuMs);
    }
    state.counters["min_ms"] = *std::min_element(ms.begin(), ms.end());
    state.counters["median_ms"] = median(ms);
    state.counters["max_ms"] = *std::max_element(ms.begin(), ms.end());
    state.counters["in_process_ms"] = median(inProcessMs);
    state.counters["cpu_ms"] = median(cpuMs);
}
BENCHMARK_CAPTURE(BM_StartToFirstPaint, zh_CN, "zh_CN")
    ->UseManualTime()
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StartToFirstPaint, en, "en")
    ->UseManualTime()
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond);

} // namespace
