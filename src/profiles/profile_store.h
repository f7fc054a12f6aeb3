#pragma once
// The profile store: up to six named snapshots of the whole configuration, one file each in the
// profile folder, with the layout of keymap.bin. The profile manager dialog is its only user and
// mirrors names(); every operation re-reads the folder afterwards, so the list always shows what
// the folder really holds. No operation talks to the keyboard.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
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
    ReadFailed,    // the source or import file could not be read, or is too short
    WriteFailed,   // the profile file could not be written
    ExportFailed,  // the profile was written, the export file was not
    DeleteFailed,  // the file is still there
};

class ProfileStore {
public:
    explicit ProfileStore(std::filesystem::path folder);

    // Listed profile names, at most six, in the order of the sorted profile list box.
    const std::vector<std::string>& names() const { return names_; }
    // The files of the listed profiles in list order, followed by the first file that did not
    // fit the list, if any.
    const std::vector<std::filesystem::path>& pathTable() const { return paths_; }
    const std::filesystem::path& folder() const { return folder_; }

    void ReloadProfiles();
    std::string MakeNewProfileName() const;

    ProfileStatus CreateProfile();
    ProfileStatus CopyProfile(std::size_t index);
    ProfileStatus RenameProfile(std::size_t oldIndex, const std::string& newText);
    ProfileStatus DeleteProfile(std::size_t index);

    // Writes the working configuration into the profile and, when given, to exportPath too.
    ProfileStatus StoreWorkingToProfile(std::size_t index, const DeviceSettings& settings,
                                        const KeyAssignments& assignments,
                                        const std::optional<std::filesystem::path>& exportPath);

    // Reads importPath, when given, into the working configuration, then writes the working
    // configuration into the profile. A file holding the settings but only some assignment
    // entries replaces those entries and keeps the others.
    ProfileStatus LoadFileIntoProfile(std::size_t index, DeviceSettings& settings,
                                      KeyAssignments& assignments,
                                      const std::optional<std::filesystem::path>& importPath);

private:
    std::filesystem::path fileOf(const std::string& name) const;
    bool isTaken(const std::string& name) const;
    ProfileStatus writeNewProfile(const std::string& name, std::span<const std::uint8_t> bytes);

    std::filesystem::path folder_;
    std::vector<std::string> names_;
    std::vector<std::filesystem::path> paths_;
    // Failed deletions are retried, at most this many times over the store's whole life.
    int deleteRetriesLeft_ = 10;
};

} // namespace talvex
