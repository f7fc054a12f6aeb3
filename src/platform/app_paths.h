#pragma once
// Where the program finds its files. Every file name of the utility is joined to one of these
// folders; code below the windows takes them as arguments so tests use temporary folders.

#include <filesystem>

namespace talvex {

struct AppPaths {
    // Folder of the running executable: skins ("png/..."), "VER.bin", the updater.
    std::filesystem::path programFolder;
    // Folder of the user's data: "keymap.bin", "MacroDefine.bin", "Configure/".
    std::filesystem::path dataFolder;

    std::filesystem::path skinFolder() const { return programFolder / "png"; }
    std::filesystem::path keymapFile() const { return dataFolder / "keymap.bin"; }
    std::filesystem::path macroFile() const { return dataFolder / "MacroDefine.bin"; }
    std::filesystem::path profileFolder() const { return dataFolder / "Configure"; }
    std::filesystem::path versionFile() const { return programFolder / "VER.bin"; }
};

// The folder of the running executable (from /proc/self/exe), whatever the file is called.
std::filesystem::path executableFolder();

// Paths of an unpacked build: everything beside the executable.
AppPaths defaultAppPaths();

} // namespace talvex
