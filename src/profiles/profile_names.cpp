#include "profiles/profile_names.h"

#include <cstdio>

namespace talvex {

namespace {

constexpr std::string_view kExtension = ".bin";
// Longest file name most file systems accept, in bytes.
constexpr std::size_t kMaxFileNameBytes = 255;

bool isRefusedCharacter(unsigned char c) {
    if (c < 0x20 || c == 0x7F)
        return true;
    constexpr std::string_view refused = "/\\<>:\"|?*";
    return refused.find(static_cast<char>(c)) != std::string_view::npos;
}

std::string candidateName(int i) {
    char buffer[32];
    const char* format = i <= 9 ? "Profile_%d" : i <= 98 ? "Profile0%d" : "Profile%d";
    std::snprintf(buffer, sizeof buffer, format, i);
    return buffer;
}

} // namespace

bool isValidProfileName(std::string_view name) {
    if (name.empty() || name.size() + kExtension.size() > kMaxFileNameBytes)
        return false;
    for (char c : name)
        if (isRefusedCharacter(static_cast<unsigned char>(c)))
            return false;
    if (name.find("..") != std::string_view::npos)
        return false;
    return name.back() != '.' && name.back() != ' ';
}

std::optional<std::string> profileNameOfFile(std::string_view fileName) {
    if (fileName.size() <= kExtension.size() || !fileName.ends_with(kExtension))
        return std::nullopt;
    return std::string(fileName.substr(0, fileName.size() - kExtension.size()));
}

std::string editedProfileName(std::string_view text) {
    if (auto name = profileNameOfFile(text))
        return *name;
    return std::string(text);
}

std::string makeNewProfileName(const NameInUse& taken) {
    for (int i = 1;; ++i) {
        std::string name = candidateName(i);
        if (!taken(name))
            return name;
    }
}

std::string makeCopyName(const std::string& source, const NameInUse& taken) {
    std::string base = "复制 " + source;
    if (!taken(base))
        return base;
    for (int b = 1;; ++b) {
        std::string name = base + " " + std::to_string(b);
        if (!taken(name))
            return name;
    }
}

} // namespace talvex
