#pragma once
// The main window's two data files, keymap.bin and MacroDefine.bin: whether each may be saved
// over, and what the user has been told about them.
//
// A file that exists but could not be read whole may hold the user's configuration (or be
// something else entirely), so it is never saved over unless the user lets the window move it
// aside. A save that fails is told, but once per run of failures: an unwritable folder would
// otherwise raise a box at every click.

#include "platform/app_paths.h"
#include "platform/file_io.h"
#include "platform/prompts.h"

#include <array>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

namespace talvex {

enum class DataFile { Keymap, Macros };

// "<name>.damaged-YYYYMMDD-HHMMSS" (local time) in the file's folder.
std::filesystem::path damagedName(const std::filesystem::path& file,
                                  std::chrono::system_clock::time_point when);

struct MovedAside {
    FileResult result; // Ok, or WriteFailed with the reason
    std::filesystem::path to;
};

// Renames whatever `file` names (a file, a folder, a FIFO, or a symlink itself, not its target)
// to damagedName(file, when), or to that name followed by "-2", "-3", ... when it is taken:
// nothing is ever replaced or removed.
MovedAside moveAside(const std::filesystem::path& file, std::chrono::system_clock::time_point when);

enum class SaveVerdict {
    Saved,
    Kept, // not written on purpose: the user chose to keep the damaged file this run
    Failed,
};

class DataFiles {
public:
    DataFiles(AppPaths paths, Prompts& prompts);

    // At start, before either file is loaded. Leftovers of killed saves are swept only by the
    // copy that owns the data folder (the one holding the single-instance lock); a data folder
    // that cannot be written is told here, and then counts as the first of every save failure.
    void openDataFolder(bool ownsDataFolder);

    // What a load of the file found. A damaged file is told, with what the window works with
    // instead, and the user may move it aside; a file that was missing and could not be made
    // afresh is told as a failed save.
    void loaded(DataFile file, const FileResult& result);

    bool maySave(DataFile file) const { return !state(file).kept; }

    // Runs `write` unless the file is kept; a failure is told unless this file's last save
    // failed too.
    SaveVerdict save(DataFile file, const std::function<FileResult()>& write);

private:
    struct State {
        bool kept = false;        // damaged and left as it is for the rest of the run
        bool failureTold = false; // the last save failed and the user heard of it
    };

    State& state(DataFile file) { return states_[static_cast<std::size_t>(file)]; }
    const State& state(DataFile file) const { return states_[static_cast<std::size_t>(file)]; }
    std::filesystem::path pathOf(DataFile file) const;
    void noteSave(DataFile file, const FileResult& result);
    void offerMoveAside(DataFile file, const FileResult& result);
    void tell(const std::string& text);

    AppPaths paths_;
    Prompts& prompts_;
    std::array<State, 2> states_{};
};

} // namespace talvex
