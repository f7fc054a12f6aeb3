#include "platform/runtime_folder.h"

#include <cstdlib>
#include <pwd.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace talvex {

namespace {

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// getpwuid_r: commands may run on several threads at once (the window's, the tests').
std::string userName() {
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found)
        return entry.pw_name;
    return std::to_string(::geteuid());
}

} // namespace

std::filesystem::path userRuntimeFolder() {
    std::filesystem::path folder = environmentValue("XDG_RUNTIME_DIR");
    if (folder.empty()) {
        std::string temporary = environmentValue("TMPDIR");
        if (temporary.empty())
            temporary = "/tmp";
        folder = std::filesystem::path(temporary) / ("runtime-" + userName());
        ::mkdir(folder.c_str(), 0700);
    }
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid() ||
        (st.st_mode & 077) != 0)
        return {};
    return folder;
}

std::filesystem::path windowSocketPath() {
    const std::filesystem::path folder = userRuntimeFolder();
    return folder.empty() ? folder : folder / kWindowSocketName;
}

} // namespace talvex
