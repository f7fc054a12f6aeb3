#include "keys/host_action.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <unistd.h>

#include "keys/key_positions.h"
#include "platform/utf16.h"

namespace talvex {

namespace {

bool isExecutableFile(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec) && ::access(path.c_str(), X_OK) == 0;
}

void logFailure(const char* what, const std::string& path) {
    std::fprintf(stderr, "host action: %s: %s\n", what, path.c_str());
}

} // namespace

HostPathParts splitHostPath(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return {std::string(path), {}};
    return {std::string(path.substr(0, slash)), std::string(path.substr(slash + 1))};
}

HostActionOutcome runHostAction(const KeyAssignments& assignments, std::uint8_t code,
                                Shell& shell) {
    // Entries past the last key position assign nothing, whatever a file holds there.
    for (std::size_t p = 0; p < kKeyPositionCount; ++p) {
        const KeyAssignment& entry = assignments[p];
        if (!isHostActionType(entry.type) || entry.vk != code)
            continue;

        const std::string stored = utf16ToUtf8(entry.pathText());
        const HostPathParts parts = splitHostPath(stored);
        // A trailing separator names a folder by its path without the separator; the root
        // folder has nothing left without it and stays "/".
        const std::string target =
            parts.file.empty() && !parts.folder.empty() ? parts.folder : stored;
        const std::string folder =
            parts.folder.empty() && stored.starts_with('/') ? "/" : parts.folder;
        std::error_code ec;
        if (target.empty() || !std::filesystem::exists(target, ec)) {
            logFailure("no such file or folder", target);
            return HostActionOutcome::MissingPath;
        }
        // Only a "start program" key runs an executable: on file systems without permissions
        // every file looks executable, and a sound or document must open in its application.
        const bool start = entry.type == static_cast<std::uint8_t>(AssignmentType::StartProgram) &&
                           isExecutableFile(target);
        const bool ok = start ? shell.startProgram(target, folder) : shell.openPath(target);
        if (!ok) {
            logFailure("cannot open", target);
            return HostActionOutcome::Failed;
        }
        return start ? HostActionOutcome::ProgramStarted : HostActionOutcome::PathOpened;
    }
    return HostActionOutcome::NoAction;
}

} // namespace talvex
