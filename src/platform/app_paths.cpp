#include "platform/app_paths.h"

#include "install_layout.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace talvex {

namespace fs = std::filesystem;

namespace {

bool holdsSkin(const fs::path& folder) {
    std::error_code ec;
    return fs::is_directory(folder / "png", ec);
}

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string homeFolder() {
    std::string home = environmentValue("HOME");
    if (!home.empty())
        return home;
    const passwd* entry = ::getpwuid(::getuid());
    return entry && entry->pw_dir ? entry->pw_dir : "";
}

} // namespace

fs::path executableFolder() {
    std::error_code ec;
    auto exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return fs::current_path(ec);
    return exe.parent_path();
}

bool folderIsWritable(const fs::path& folder) {
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

fs::path shareFolderOf(const fs::path& executableFolder) {
    return (executableFolder / generated::kShareFolderFromBin).lexically_normal();
}

fs::path xdgDataFolder(const PathInputs& inputs) {
    fs::path base = inputs.xdgDataHome;
    if (!base.is_absolute()) {
        if (inputs.home.empty())
            return {};
        base = fs::path(inputs.home) / ".local" / "share";
    }
    return base / "Kestrix";
}

PathInputs currentPathInputs() {
    PathInputs inputs;
    inputs.executableFolder = executableFolder();
    inputs.executableFolderWritable = folderIsWritable(inputs.executableFolder);
    inputs.xdgDataHome = environmentValue("XDG_DATA_HOME");
    inputs.home = homeFolder();
    return inputs;
}

AppPaths chooseAppPaths(const PathInputs& inputs) {
    AppPaths paths;
    const fs::path share = shareFolderOf(inputs.executableFolder);
    const bool installed = !holdsSkin(inputs.executableFolder) && holdsSkin(share);
    paths.programFolder = installed ? share : inputs.executableFolder;

    paths.dataFolder = inputs.executableFolder;
    if (installed || !inputs.executableFolderWritable) {
        // With no home at all there is nowhere better; the writes will fail and say so.
        if (fs::path xdg = xdgDataFolder(inputs); !xdg.empty())
            paths.dataFolder = xdg;
    }
    return paths;
}

FileResult checkDataFolder(const AppPaths& paths) {
    const fs::path& folder = paths.dataFolder;
    const auto failed = [&](const std::string& why) {
        return FileResult{FileStatus::WriteFailed,
                          "the data folder " + folder.string() + " " + why};
    };
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0)
        return failed(std::string("cannot be used: ") + std::strerror(errno));
    if (!S_ISDIR(st.st_mode))
        return failed("is not a folder");
    if (::access(folder.c_str(), W_OK | X_OK) != 0)
        return failed(std::string("cannot be written: ") + std::strerror(errno));
    return {};
}

bool prepareDataFolder(const AppPaths& paths) {
    std::error_code ec;
    if (!fs::exists(paths.dataFolder, ec) && fs::create_directories(paths.dataFolder, ec))
        fs::permissions(paths.dataFolder, fs::perms::owner_all, ec);
    fs::create_directories(paths.profileFolder(), ec);
    return fs::is_directory(paths.profileFolder(), ec);
}

AppPaths defaultAppPaths() {
    AppPaths paths = chooseAppPaths(currentPathInputs());
    prepareDataFolder(paths);
    return paths;
}

fs::path defaultProgramFolder() {
    return chooseAppPaths(currentPathInputs()).programFolder;
}

} // namespace talvex
