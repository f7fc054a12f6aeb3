#pragma once
// The user's private runtime folder, where the window's socket and the keyboard lock live. It is
// the folder Qt's RuntimeLocation gives, so the window (Qt) and the command line (no Qt) meet in
// the same place: $XDG_RUNTIME_DIR, else "<temporary folder>/runtime-<user name>", made with mode
// 0700 when missing.

#include <filesystem>

namespace talvex {

// The name of the running window's socket (and, with ".lock", of its single-instance lock) in
// that folder. It keeps its leading blank: a copy that uses it without the blank is another
// program as far as the single-instance check goes.
inline constexpr const char* kWindowSocketName = " {57D1171D-1a34-0804-8A3A-65ABA2150001}";

// Empty when there is no such folder, or it is not a folder of this user's that only they may
// enter: another user could then listen or lock in our place.
std::filesystem::path userRuntimeFolder();

// Where the running window listens; empty without a runtime folder.
std::filesystem::path windowSocketPath();

} // namespace talvex
