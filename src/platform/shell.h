#pragma once
// Opens files, folders, programs and web addresses without waiting for them. The real
// implementation never builds a shell command line, so no character in a path can run a command.

#include <filesystem>
#include <string>

namespace talvex {

class Shell {
public:
    virtual ~Shell() = default;
    // Starts an executable file with `folder` as its working folder; false when it cannot start.
    virtual bool startProgram(const std::filesystem::path& program,
                              const std::filesystem::path& folder) = 0;
    // Opens a file or folder with the desktop's default application.
    virtual bool openPath(const std::filesystem::path& path) = 0;
    // Opens a web address in the browser.
    virtual bool openUrl(const std::string& url) = 0;
};

} // namespace talvex
