#include "app/forwarded_run.h"

#include <filesystem>

namespace talvex {

std::string forwardedPathName(const std::filesystem::path& file) {
    std::error_code ec;
    return std::filesystem::weakly_canonical(std::filesystem::absolute(file, ec), ec).string();
}

std::optional<std::string> forwardedKeyboardName(bool simulate, const std::string& stateFile) {
    if (!simulate)
        return std::string();
    if (stateFile.empty())
        return std::nullopt;
    return forwardedPathName(stateFile);
}

} // namespace talvex
