#pragma once
// The offer to update the keyboard's firmware. "VER.bin" beside the executable names the
// firmware version this build was made for; when the keyboard reports an older one, the user is
// asked whether to start the updater that ships beside the executable.

#include <filesystem>
#include <optional>

#include "device/device_link.h"
#include "mainwindow/updater_start.h"

namespace talvex {

class Prompts;
class Shell;

// Major and minor from the characters at offsets 5 and 7 read as digits (byte - '0', modulo 256).
// Empty optional when the file is missing or too short to hold both, so that no update is ever
// offered.
std::optional<FirmwareVersion> readExpectedVersion(const std::filesystem::path& versionFile);

// Compares major, then minor, as unsigned bytes.
bool keyboardIsOlder(const FirmwareVersion& expected, const FirmwareVersion& keyboard);

// The updater program in the program folder.
std::filesystem::path updaterPath(const std::filesystem::path& programFolder);

// Starts the updater of the program folder without waiting for it; NotInstalled when that is not
// a regular file.
UpdaterStart startUpdater(const std::filesystem::path& programFolder, Shell& shell);

enum class FirmwareCheckOutcome {
    NoOffer,
    Declined,
    UpdaterStarted,
    UpdaterMissing,
    UpdaterFailed
};

// Runs after every read of the keyboard's settings. Starts the updater without waiting for it;
// a missing updater or one that cannot start is reported to the user.
FirmwareCheckOutcome runFirmwareCheck(const std::optional<FirmwareVersion>& expected,
                                      const FirmwareVersion& keyboard,
                                      const std::filesystem::path& programFolder, Prompts& prompts,
                                      Shell& shell);

} // namespace talvex
