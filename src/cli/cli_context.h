#pragma once
// What a CLI command works with: the output streams, the global options, and on demand the
// keyboard (real or simulated) with its channels, pauser and optional wire trace.

#include "cli/report_tree.h"
#include "device/device_io.h"
#include "device/device_link.h"
#include "device/wire_trace.h"
#include "platform/app_paths.h"
#include "platform/hid.h"
#include "platform/keyboard_lock.h"
#include "simulator/simulated_keyboard.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

namespace talvex {

enum CliExit : int {
    kExitOk = 0,
    kExitNoKeyboard = 1,
    kExitBadInput = 2,
    kExitApplyFailed = 3,
};

struct CliOptions {
    bool simulate = false;
    std::string simulatorStateFile;         // empty: the simulated keyboard lives in memory only
    std::optional<std::string> traceTarget; // "-" for the standard output
    bool json = false;
    // Send a configuration whose settings are unusual or in which no key works.
    bool force = false;
    SimulatorFaults simulatorFaults; // --simulate-fault: to see how the tools cope
    // --data-folder: where keymap.bin and the profiles are; empty: the window's own folder.
    std::filesystem::path dataFolder;
    // --format: how `profile export` writes the profile, "binary" (the default) or "json".
    std::string format;
    // How long connect() waits for another program to finish with the keyboard.
    std::chrono::milliseconds keyboardLockWait{60000};
};

class CliContext {
public:
    CliContext(CliOptions options, std::ostream& out, std::ostream& err);
    ~CliContext();
    CliContext(const CliContext&) = delete;
    CliContext& operator=(const CliContext&) = delete;

    std::ostream& out;
    std::ostream& err;
    const CliOptions options;

    // Prints a report as text, or as JSON with --json.
    void print(const ReportNode& report);

    // Prints "kestrix-cli: <message>" to the error stream and returns kExitBadInput.
    int badInput(const std::string& message);

    // Opens the trace target. Returns kExitOk, or kExitBadInput after saying why.
    int openTrace();

    // Waits for the keyboard's lock, then finds and opens the keyboard (a simulated one's state
    // is loaded only under the lock). The lock is held until the context ends, so the whole
    // command is one turn. Returns kExitOk, or the exit code after saying why not.
    int connect();
    // Works with a keyboard that another part of the program has open (the window's, for a
    // command it carries out for the command line): connect() then opens nothing, the events
    // stay with the reader that counts their acknowledgements, and with --trace the lines go to
    // `traceLines`.
    void useKeyboard(DeviceIo& io, std::function<void(const std::string&)> traceLines);

    // Whether the keyboard is the window's (useKeyboard): the command is already in its hands.
    bool usesWindowKeyboard() const { return externalIo != nullptr; }

    // What the keyboard holds as far as this command has read or written it whole; empty until
    // then, and after a write that did not complete.
    const std::optional<DeviceSettings>& keyboardHolds() const { return keyboardHolds_; }
    void setKeyboardHolds(std::optional<DeviceSettings> held) { keyboardHolds_ = std::move(held); }
    DeviceIo& io();
    DeviceLink& link() { return deviceLink; }
    // The simulated keyboard, or null when talking to a real one.
    SimulatedKeyboard* simulatedKeyboard() { return simulated.get(); }

    // The window's files, or those of the folder --data-folder names. Creates nothing.
    AppPaths paths() const;

    // Reads and drops the input reports that are waiting, so that an acknowledgement left over
    // from an earlier write cannot pass for the next step's.
    void drainEvents();

private:
    int connectExternal();
    int lockKeyboard();

    // Declared first, so that it is let go only after everything that uses the keyboard.
    KeyboardLock keyboardLock;

    std::shared_ptr<SimulatedKeyboard> simulated;
    std::unique_ptr<HidBackend> backend;
    DeviceLink deviceLink;
    std::ofstream traceFile;
    std::unique_ptr<WireTrace> trace;
    std::unique_ptr<Pauser> protocolPauser;
    std::unique_ptr<Pauser> tracedPauser;
    std::unique_ptr<Pauser> pumpingPauser;
    std::unique_ptr<DeviceIo> deviceIo;
    DeviceIo* externalIo = nullptr;
    std::function<void(const std::string&)> externalTrace;
    std::shared_ptr<HidChannel> tracedExternalChannel;
    std::optional<DeviceSettings> keyboardHolds_;
};

} // namespace talvex
