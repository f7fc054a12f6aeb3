#pragma once
// Steps that several CLI commands share: reading what the keyboard holds, and applying edited
// settings with a report of how it went.

#include "cli/cli_context.h"
#include "device/device_result.h"
#include "device/device_settings.h"
#include "keys/configuration_check.h"
#include "keys/key_assignment.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

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

// Why `size` bytes at `path` are no configuration, or nothing when they may be one.
std::optional<std::string> wrongConfigurationSize(const std::string& path, std::size_t size);

// The bytes of a file that is a 10060-byte settings image, or a 206920-byte keymap.bin or
// profile. False with `error` set otherwise.
bool readConfigurationBytes(const std::string& path, std::vector<std::uint8_t>& bytes,
                            std::string& error);

// The settings image of a configuration's bytes (10060 or 206920 of them) and, when given, the
// assignments of a whole one. True when the bytes held assignments.
bool splitConfiguration(std::span<const std::uint8_t> bytes, DeviceSettings& s,
                        KeyAssignments* assignments);

// Reads every setting and the device information from the keyboard, as a backup wants them.
int readWholeKeyboard(CliContext& context, DeviceSettings& image);

// Reads the keyboard, checks `working` against it and sends what differs; `assignments`: those
// of a whole configuration, judged with it.
int applyConfiguration(CliContext& context, const std::string& source, DeviceSettings working,
                       const KeyAssignments* assignments);

// A settings image from a file of 10060 bytes, or a keymap.bin or profile of 206920 bytes, whose
// assignments then go to `assignments` when given. False with `error` set otherwise.
bool loadSettingsFile(const std::string& path, DeviceSettings& s, std::string& error,
                      KeyAssignments* assignments = nullptr, bool* hasAssignments = nullptr);

// Refuses, with exit 2 and a message naming the first bad field, a configuration that must not
// reach the keyboard (Send) or the profile store (Import): a broken slot or entry always, an
// unusual setting or, when sending, one without a working key unless --force was given. kExitOk
// when it may go on. `held`: what the keyboard holds, when it was read.
int checkConfiguration(CliContext& context, const std::string& source,
                       const DeviceSettings& settings, const KeyAssignments* assignments,
                       const DeviceSettings* held, CheckScope scope);

} // namespace talvex
