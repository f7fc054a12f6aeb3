#pragma once
// Whole-file reads and atomic whole-file writes of the program's data files.
//
// Reads take regular files only: a FIFO would block the program forever, a device could answer
// anything, and a folder is no data file. The type is checked before a single byte is read, on
// a descriptor opened without blocking.
//
// A write goes to a temporary file in the same folder, is flushed to disk and renamed over the
// old file, so a crash or a full disk leaves either the old file or the new one, never a mix. It
// replaces what the user set up as little as it can: through a symlink the target is replaced
// and the link stays; the file keeps its mode (and, when written by root, its owner and group);
// a name that exists as anything but a regular file is refused. The temporary file has a short
// name of its own, so every valid file name can be saved, and a leftover of a killed save can be
// recognised and swept.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace talvex {

enum class FileStatus {
    Ok,
    Created,        // was missing and has been written afresh
    Missing,        // nothing of that name
    NotRegularFile, // a folder, FIFO, device or socket: left alone
    ReadFailed,     // exists but could not be opened or read (permissions, I/O)
    WrongSize,      // read, but its size is not one the program writes
    WriteFailed,    // could not be written; the old file, if any, is untouched
};

// How one load or save of a file went. `message` names the file (or, for a folder that cannot be
// written, the folder) and says why, in English, for the command line and the logs.
struct [[nodiscard]] FileResult {
    FileStatus status = FileStatus::Ok;
    std::string message;

    bool ok() const { return status == FileStatus::Ok || status == FileStatus::Created; }
    explicit operator bool() const { return ok(); }
    // A data file that is there but could not be used whole: it must not be saved over.
    bool damaged() const {
        return status == FileStatus::NotRegularFile || status == FileStatus::ReadFailed ||
               status == FileStatus::WrongSize;
    }
};

// Reads at most maxBytes of a regular file into `out`.
FileResult readDataFile(const std::filesystem::path& path, std::size_t maxBytes,
                        std::vector<std::uint8_t>& out);

// readDataFile for callers to whom every failure means the same: empty when it failed.
std::optional<std::vector<std::uint8_t>> readFileBytes(const std::filesystem::path& path,
                                                       std::size_t maxBytes);

// Replaces the file (the target of a symlink) with `data`.
FileResult writeFileAtomically(const std::filesystem::path& path,
                               std::span<const std::uint8_t> data);

// Removes the temporary files that saves killed midway left in `folder`: this program's own
// names only, and only those last changed more than `minimumAge` ago, so a save running in
// another copy of the program is never cut short. Returns how many were removed.
int sweepLeftoverTemporaryFiles(const std::filesystem::path& folder,
                                std::chrono::seconds minimumAge = std::chrono::seconds(60));

} // namespace talvex
