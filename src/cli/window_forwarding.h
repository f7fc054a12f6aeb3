#pragma once
// The command line's side of one owner of the keyboard: while the window runs and drives the
// keyboard a command means, the command's keyboard work is the window's to do, so the window's
// picture of the keyboard stays true and its next save reverts nothing.

#include "app/forwarded_command.h"
#include "cli/cli_context.h"
#include "device/device_settings.h"

#include <optional>
#include <string>
#include <vector>

namespace talvex {

// A request for `command` with its arguments; forwardToWindow fills in the rest.
ForwardedRequest forwardedRequest(ForwardedCommand command, std::vector<std::string> args = {});

// Has the running window carry out `request`, printing what it answered and its trace where
// --trace points. The exit code when a window answered (or was needed and failed to), or
// nothing when no window drives this keyboard: the command then runs here. `reply` receives
// the window's answer when given.
std::optional<int> forwardToWindow(CliContext& context, ForwardedRequest request,
                                   ForwardedReply* reply = nullptr);

// Every setting the keyboard holds, read by the window that drives it, or here when none does.
int readThroughWindowOrHere(CliContext& context, DeviceSettings& image);

} // namespace talvex
