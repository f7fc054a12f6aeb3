#pragma once
// Profile names and the file names behind them. A profile named N is the file "N.bin" in the
// profile folder, so a name is also a file name and must never lead outside that folder.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace talvex {

// True when a name is already used, by a listed profile or by a file in the folder.
using NameInUse = std::function<bool(const std::string&)>;

// A name the user may give a profile: not empty, no path separator, no "..", no NUL or control
// character, none of the characters Windows refuses in file names, no trailing dot or blank,
// and short enough that "<name>.bin" fits a file name.
bool isValidProfileName(std::string_view name);

// The profile name of a file in the profile folder: the file name without its ".bin" ending.
// Empty optional for files that are not profiles.
std::optional<std::string> profileNameOfFile(std::string_view fileName);

// The name a user typed for a profile, with a ".bin" ending the user may have added removed.
std::string editedProfileName(std::string_view text);

// First free name of Profile_1..Profile_9, Profile010..Profile098, Profile99, Profile100, ...
std::string makeNewProfileName(const NameInUse& taken);

// First free name of "复制 <source>", "复制 <source> 1", "复制 <source> 2", ...
std::string makeCopyName(const std::string& source, const NameInUse& taken);

} // namespace talvex
