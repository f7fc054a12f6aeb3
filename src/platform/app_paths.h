#pragma once
// Where the program finds its files. Every file name of the utility is joined to one of these
// folders; code below the windows takes them as arguments so tests use temporary folders.
//
// An unpacked build keeps everything beside the executable, as the keyboard's own utility always
// did. An installed program cannot write there (or must not: root may write /usr/bin), so it
// reads its skin from the share folder and keeps the user's data in the XDG data folder.

#include "platform/file_io.h"

#include <filesystem>
#include <string>

namespace talvex {

struct AppPaths {
    // Folder of the program's own files: skins ("png/..."), "VER.bin", the updater.
    std::filesystem::path programFolder;
    // Folder of the user's data: "keymap.bin", "MacroDefine.bin", "Configure/".
    std::filesystem::path dataFolder;

    std::filesystem::path skinFolder() const { return programFolder / "png"; }
    std::filesystem::path keymapFile() const { return dataFolder / "keymap.bin"; }
    std::filesystem::path macroFile() const { return dataFolder / "MacroDefine.bin"; }
    // The saved changes the keyboard has not received yet.
    std::filesystem::path unsentChangesFile() const { return dataFolder / "unsent.bin"; }
    std::filesystem::path profileFolder() const { return dataFolder / "Configure"; }
    std::filesystem::path versionFile() const { return programFolder / "VER.bin"; }
};

// What the choice of folders depends on. currentPathInputs() takes it from the process; tests
// build their own.
struct PathInputs {
    std::filesystem::path executableFolder;
    bool executableFolderWritable = false;
    std::string xdgDataHome; // $XDG_DATA_HOME, empty when unset
    std::string home;        // $HOME, else the user's home from the password database
};

// The folder of the running executable (from /proc/self/exe), whatever the file is called.
std::filesystem::path executableFolder();

// Whether this process may create files in `folder`.
bool folderIsWritable(const std::filesystem::path& folder);

// The installed program's share folder, found from the executable's folder so that any
// installation prefix works: <prefix>/bin -> <prefix>/share/kestrix.
std::filesystem::path shareFolderOf(const std::filesystem::path& executableFolder);

// "$XDG_DATA_HOME/Kestrix", or "~/.local/share/Kestrix" when the variable is unset or not an
// absolute path (the XDG rule); empty when neither gives a folder.
std::filesystem::path xdgDataFolder(const PathInputs& inputs);

PathInputs currentPathInputs();

// The program folder is the executable's folder when it holds the skin, else the share folder
// when that does. The data folder is the executable's folder for an unpacked, writable build,
// else the XDG data folder. Creates nothing.
AppPaths chooseAppPaths(const PathInputs& inputs);

// Whether the program can keep its data: the data folder is a folder this process may create
// files in. On failure (WriteFailed) the message names the folder and says why, in English.
FileResult checkDataFolder(const AppPaths& paths);

// Creates the data folder (owner only, as the XDG rules ask) and its "Configure" folder when they
// are missing. False when they still do not exist.
bool prepareDataFolder(const AppPaths& paths);

// The program's paths for this process, with the data folder prepared.
AppPaths defaultAppPaths();

// chooseAppPaths(currentPathInputs()).programFolder, for code that only reads the program's
// own files.
std::filesystem::path defaultProgramFolder();

} // namespace talvex
