#pragma once
// A Shell for tests: records every request and answers with a chosen result.

#include <filesystem>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace talvex {

class RecordingShell final : public Shell {
public:
    struct Call {
        enum Kind { StartProgram, OpenPath, OpenUrl } kind;
        std::string target; // program, path or address
        std::string folder; // working folder of StartProgram
        bool operator==(const Call&) const = default;
    };

    bool startProgram(const std::filesystem::path& program,
                      const std::filesystem::path& folder) override {
        calls.push_back({Call::StartProgram, program.string(), folder.string()});
        return result;
    }
    bool openPath(const std::filesystem::path& path) override {
        calls.push_back({Call::OpenPath, path.string(), {}});
        return result;
    }
    bool openUrl(const std::string& url) override {
        calls.push_back({Call::OpenUrl, url, {}});
        return result;
    }

    std::vector<Call> calls;
    bool result = true;
};

} // namespace talvex
