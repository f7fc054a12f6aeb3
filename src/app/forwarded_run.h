#pragma once
// A command the window carries out for the command line, as its device thread runs it: the
// reply to send back, and what the keyboard holds afterwards for the window to take over.

#include "app/forwarded_command.h"
#include "device/device_io.h"
#include "device/device_settings.h"
#include "keys/key_assignment_store.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace talvex {

struct ForwardedRun {
    ForwardedReply reply;
    // What the keyboard holds after the command, when it read or wrote it whole.
    std::optional<DeviceSettings> keyboardHolds;
};

// The command line's own code for the keyboard part of a command, run with the window's channel.
// The window cannot depend on the command line, so the program hands it this at start-up.
using ForwardedKeyboardWork = std::function<ForwardedRun(const ForwardedRequest&, DeviceIo&)>;

// `assign` on the window's keymap.bin: the command line's code applies the request to the
// window's key state as the key dialog's Save would.
using ForwardedAssign = std::function<ForwardedReply(const ForwardedRequest&, KeyAssignmentState&,
                                                     const MacroSlotRefresh&)>;

// A file as requests name it: absolute, links and dots resolved as far as the path exists, so
// "S", "./S" and a link to S meet.
std::string forwardedPathName(const std::filesystem::path& file);

// The keyboard as a request names it: "" for the real one, else the simulated keyboard's state
// file in full, so "S" and "./S" meet. A simulator without a state file lives in its process
// only and has no name.
std::optional<std::string> forwardedKeyboardName(bool simulate, const std::string& stateFile);

} // namespace talvex
