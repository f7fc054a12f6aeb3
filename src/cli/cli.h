#pragma once
// kestrix-cli: the keyboard's settings from the command line, against the real keyboard or the
// simulated one. Everything goes through the streams given, so tests run it in-process.

#include <iosfwd>
#include <string>
#include <vector>

namespace talvex {

// `args` excludes the program name. Returns the process exit code.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace talvex
