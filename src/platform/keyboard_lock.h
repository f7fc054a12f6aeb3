#pragma once
// One user of a keyboard at a time. Every program that reads the keyboard's settings, changes
// them and writes them back holds this lock for the whole turn, so two of them cannot interleave
// their reports on the real keyboard or save a simulated keyboard's state over each other.
//
// The lock is flock(2) on a lock file of its own: the kernel drops it when the holder ends, however
// it ends, so a crashed holder never leaves the keyboard locked. The file is created when missing
// and never removed or truncated: a removed lock file would let the next program lock a new file
// while the old holder still holds the old one.

#include <chrono>
#include <filesystem>
#include <string>

namespace talvex {

enum class LockStatus {
    Held,        // this process holds the lock now
    Busy,        // another holder kept it for the whole wait
    NotLockable, // the lock file is a symlink, folder, FIFO, device or socket: left alone
    Failed,      // the lock file could not be created, opened or locked
};

// How an attempt to take the lock went; `message` names the lock file and says why, in English.
struct [[nodiscard]] LockResult {
    LockStatus status = LockStatus::Held;
    std::string message;

    bool ok() const { return status == LockStatus::Held; }
    explicit operator bool() const { return ok(); }
};

// The real keyboard's lock file in the user's runtime folder; empty when there is no such folder
// (see userRuntimeFolder): the lock would then be one another user could hold.
std::filesystem::path realKeyboardLockFile();

// A simulated keyboard's lock file: beside its state file, since each save replaces the state
// file by a rename and a lock on the old file would guard nothing.
std::filesystem::path simulatorLockFile(const std::filesystem::path& stateFile);

class KeyboardLock {
public:
    KeyboardLock() = default;
    ~KeyboardLock();
    KeyboardLock(KeyboardLock&& other) noexcept;
    KeyboardLock& operator=(KeyboardLock&& other) noexcept;
    KeyboardLock(const KeyboardLock&) = delete;
    KeyboardLock& operator=(const KeyboardLock&) = delete;

    // Takes the lock of `lockFile`, waiting up to `wait` for a holder to let go. A lock this
    // object already holds is let go first.
    [[nodiscard]] LockResult acquire(const std::filesystem::path& lockFile,
                                     std::chrono::milliseconds wait);
    void release();

    bool held() const { return fd >= 0; }
    const std::filesystem::path& file() const { return path; }

private:
    int fd = -1;
    std::filesystem::path path;
};

// Takes the lock of the keyboard a program works with: the real one, or the simulated one kept
// in `stateFile`. A simulated keyboard without a state file lives in one process's memory and
// needs no lock: Held, with nothing taken. Failed when the real keyboard's lock has no private
// folder to live in.
[[nodiscard]] LockResult lockKeyboardInUse(KeyboardLock& lock, bool simulated,
                                           const std::filesystem::path& stateFile,
                                           std::chrono::milliseconds wait);

} // namespace talvex
