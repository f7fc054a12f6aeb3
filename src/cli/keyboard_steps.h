#pragma once
// Steps that several CLI commands share: reading what the keyboard holds, and applying edited
// settings with a report of how it went.

#include "cli/cli_context.h"
#include "device/device_result.h"
#include "device/device_settings.h"

#include <string>

namespace talvex {

// Connects and reads every setting the keyboard holds into `s`. Returns an exit code:
// kExitNoKeyboard, after saying which part went unanswered, when the read did not complete.
int readKeyboard(CliContext& context, DeviceSettings& s);

// Says that the keyboard stopped answering at the failed part of `result` and what was left
// undone (e.g. "nothing was sent"), and returns `exitCode`.
int reportReadFailure(CliContext& context, const DeviceResult& result, const std::string& outcome,
                      int exitCode = kExitNoKeyboard);

// Sends the parts of `working` that differ from `held`, says what happened, and returns
// kExitOk or kExitApplyFailed.
int applyAndReport(CliContext& context, DeviceSettings& working, DeviceSettings& held);

// A settings image from a file of 10060 bytes, or the first 10060 bytes of a keymap.bin or
// profile. False with `error` set otherwise.
bool loadSettingsFile(const std::string& path, DeviceSettings& s, std::string& error);

} // namespace talvex
