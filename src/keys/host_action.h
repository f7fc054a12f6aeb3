#pragma once
// Host actions: a key assigned to play a sound, start a program, open a file or open a folder
// makes the keyboard report the key's VK to the host, which then opens the stored path.

#include <cstdint>
#include <string>
#include <string_view>

#include "keys/key_assignment.h"
#include "platform/shell.h"

namespace talvex {

struct HostPathParts {
    std::string folder; // text before the last separator, or the whole path without one
    std::string file;   // text after the last separator; empty without one
};

// Splits a stored path at its last '/'.
HostPathParts splitHostPath(std::string_view path);

enum class HostActionOutcome {
    NoAction,       // no host-action key has this code
    MissingPath,    // the stored path does not exist; nothing was opened
    ProgramStarted, // an executable was started in its own folder
    PathOpened,     // handed to the desktop's default application
    Failed,         // the shell could not start or open it
};

// Carries out the host action of the first key position whose entry is a host action for this
// VK code. Never waits for what it opens; nothing in the path is ever interpreted by a shell.
HostActionOutcome runHostAction(const KeyAssignments& assignments, std::uint8_t code, Shell& shell);

} // namespace talvex
