#include "platform/app_paths.h"

#include <system_error>

namespace talvex {

std::filesystem::path executableFolder() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return std::filesystem::current_path(ec);
    return exe.parent_path();
}

AppPaths defaultAppPaths() {
    AppPaths paths;
    paths.programFolder = executableFolder();
    paths.dataFolder = paths.programFolder;
    return paths;
}

} // namespace talvex
