#pragma once
// kestrix-cli's end of the running window's socket: while the window runs it owns the keyboard,
// so a command that touches the keyboard is handed to it and its answer printed here.

#include "app/forwarded_command.h"

#include <chrono>
#include <filesystem>
#include <string>

namespace talvex {

// How long the command line waits for the window's answer, device work included.
inline constexpr std::chrono::milliseconds kWindowAnswerTimeout{30000};

enum class WindowOutcome {
    NoWindow, // no window listens: the command line works on its own
    Answered, // `reply` holds the window's answer
    NoAnswer, // connected, but no complete answer came before the deadline
    BadReply, // the exchange broke: the request could not go, or the answer did not decode
};

struct WindowAnswer {
    WindowOutcome outcome = WindowOutcome::NoWindow;
    ForwardedReply reply;
    std::string detail; // why, in English, for every outcome but Answered
};

// Sends `request` to the window listening at `socket` and waits for the answer, all within
// `timeout`. Blocks; never raises SIGPIPE.
[[nodiscard]] WindowAnswer askWindow(const std::filesystem::path& socket,
                                     const ForwardedRequest& request,
                                     std::chrono::milliseconds timeout);

} // namespace talvex
