#pragma once
// The offer to update the keyboard's firmware. "VER.bin" beside the executable names the
// firmware version this build was made for; when the keyboard reports an older one, the user is
// asked whether to start the updater that ships beside the executable.

#include <cstdint>
#include <filesystem>
#include <optional>

namespace talvex {

class Prompts;
class Shell;

struct VersionNumber {
    std::uint8_t majorVersion = 0;
    std::uint8_t minorVersion = 0;
    bool operator==(const VersionNumber&) const = default;
};

// The characters at offsets 5 and 7 read as digits (byte - '0', modulo 256). Empty optional
// when the file is missing or too short to hold both, so that no update is ever offered.
std::optional<VersionNumber> readExpectedVersion(const std::filesystem::path& versionFile);

bool keyboardIsOlder(VersionNumber expected, VersionNumber keyboard);

// The updater program in the program folder.
std::filesystem::path updaterPath(const std::filesystem::path& programFolder);

enum class FirmwareCheckOutcome {
    NoOffer,
    Declined,
    UpdaterStarted,
    UpdaterMissing,
    UpdaterFailed
};

// Runs after every read of the keyboard's settings. Starts the updater without waiting for it;
// a missing updater or one that cannot start is reported to the user.
FirmwareCheckOutcome runFirmwareCheck(const std::optional<VersionNumber>& expected,
                                      VersionNumber keyboard,
                                      const std::filesystem::path& programFolder, Prompts& prompts,
                                      Shell& shell);

} // namespace talvex
