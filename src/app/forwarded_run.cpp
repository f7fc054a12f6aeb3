#include "app/forwarded_run.h"

#include <filesystem>

namespace talvex {

std::optional<std::string> forwardedKeyboardName(bool simulate, const std::string& stateFile) {
    if (!simulate)
        return std::string();
    if (stateFile.empty())
        return std::nullopt;
    std::error_code ec;
    return std::filesystem::weakly_canonical(std::filesystem::absolute(stateFile, ec), ec).string();
}

} // namespace talvex
