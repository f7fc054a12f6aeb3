#pragma once
// The profile store: up to six named snapshots of the whole configuration, one file each in the
// profile folder, with the layout of keymap.bin. The profile manager dialog is its only user and
// mirrors names(); every operation re-reads the folder afterwards, so the list always shows what
// the folder really holds. No operation talks to the keyboard.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "device/device_settings.h"
#include "keys/key_assignment.h"

namespace talvex {

inline constexpr std::size_t kMaxProfiles = 6;

enum class ProfileStatus {
    Done,
    LimitReached,  // six profiles exist already
    NoSuchProfile, // the index names no listed profile
    InvalidName,   // the name could not be a file inside the profile folder
    NameTaken,     // another profile or file has that name; nothing changed
    ReadFailed,    // the source or import file could not be read
    WrongSize,     // the import file is neither a settings image nor a whole configuration
    WriteFailed,   // the profile file could not be written
    ExportFailed,  // the profile was written, the export file was not
    DeleteFailed,  // the file is still there
};

// Reads a configuration file the user chose: a 10060-byte settings image into `settings` (the
// assignments stay as they are), or a whole 206920-byte configuration into both. Any other size
// is refused, and then nothing changes: a file of another kind (MacroDefine.bin, a picture)
// would otherwise be read as key slots. The content is the caller's to judge.
[[nodiscard]] ProfileStatus readConfigurationFile(const std::filesystem::path& path,
                                                  DeviceSettings& settings,
                                                  KeyAssignments& assignments);

class ProfileStore {
public:
    explicit ProfileStore(std::filesystem::path folder);

    // Listed profile names, at most six, in the order of the sorted profile list box.
    const std::vector<std::string>& names() const { return names_; }
    // The files of the listed profiles in list order, followed by the first file that did not
    // fit the list, if any.
    const std::vector<std::filesystem::path>& pathTable() const { return paths_; }
    const std::filesystem::path& folder() const { return folder_; }

    void reloadProfiles();
    std::string makeNewProfileName() const;

    // The list index of the profile called `name`, if it is listed.
    std::optional<std::size_t> indexOf(const std::string& name) const;

    // A new profile holds the factory configuration. Without a name it takes the next free one.
    [[nodiscard]] ProfileStatus createProfile();
    [[nodiscard]] ProfileStatus createProfile(const std::string& name);
    // Replaces the listed profile `name` with `bytes`, or creates it under the same rules as
    // createProfile (refused at six, or when the name is not free).
    [[nodiscard]] ProfileStatus writeProfile(const std::string& name,
                                             std::span<const std::uint8_t> bytes);
    // The copy's name goes to `copyName` when given.
    [[nodiscard]] ProfileStatus copyProfile(std::size_t index, std::string* copyName = nullptr);
    [[nodiscard]] ProfileStatus renameProfile(std::size_t oldIndex, const std::string& newText);
    [[nodiscard]] ProfileStatus deleteProfile(std::size_t index);

    // Writes the working configuration into the profile and, when given, to exportPath too.
    [[nodiscard]] ProfileStatus
    storeWorkingToProfile(std::size_t index, const DeviceSettings& settings,
                          const KeyAssignments& assignments,
                          const std::optional<std::filesystem::path>& exportPath);

private:
    std::filesystem::path fileOf(const std::string& name) const;
    bool isTaken(const std::string& name) const;
    [[nodiscard]] ProfileStatus writeNewProfile(const std::string& name,
                                                std::span<const std::uint8_t> bytes);
    [[nodiscard]] ProfileStatus addProfile(const std::string& name,
                                           std::span<const std::uint8_t> bytes);

    std::filesystem::path folder_;
    std::vector<std::string> names_;
    std::vector<std::filesystem::path> paths_;
    // Failed deletions are retried, at most this many times over the store's whole life.
    int deleteRetriesLeft_ = 10;
};

} // namespace talvex
