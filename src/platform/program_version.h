#pragma once
// The version both programs report, taken from the build, and the licence they are under.

#include <string>
#include <string_view>

namespace talvex {

// e.g. "1.0"
std::string_view programVersion();

// The licence in one line, as --version and the about box state it.
inline constexpr const char* kLicenceNotice =
    "Licence GPL-3.0-or-later: you may share and change this program; it comes with NO WARRANTY.";

// What `<program> --version` prints: "<program> (Talvex) <version>", then the licence notice.
std::string versionText(std::string_view program);

} // namespace talvex
