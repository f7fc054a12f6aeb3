#pragma once
// The udev rule that lets the user at the seat open the keyboard's hidraw nodes. The installed
// package puts it in the udev rules folder; kestrix-cli prints it for an unpacked build.

#include <string_view>

namespace talvex {

// The rule file's name, e.g. for /etc/udev/rules.d/<name>.
std::string_view udevRuleFileName();

// The rule file's whole text, as shipped.
std::string_view udevRuleText();

} // namespace talvex
