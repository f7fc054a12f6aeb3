#pragma once
// The Shell port on Qt: programs start detached through QProcess with the path as the program
// itself (no command line is ever parsed), everything else goes to the desktop's default
// application through QDesktopServices.

#include "platform/shell.h"

namespace talvex {

class QtShell final : public Shell {
public:
    bool startProgram(const std::filesystem::path& program,
                      const std::filesystem::path& folder) override;
    bool openPath(const std::filesystem::path& path) override;
    // Only http and https addresses are opened.
    bool openUrl(const std::string& url) override;
};

} // namespace talvex
