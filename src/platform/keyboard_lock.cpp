#include "platform/keyboard_lock.h"

#include "platform/runtime_folder.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace talvex {

namespace {

// A symlink is named as such: it is the one a user may have set up on purpose, to move the lock.
LockResult notLockable(const std::filesystem::path& path, mode_t mode) {
    return {LockStatus::NotLockable, "the keyboard lock " + path.string() + " is " +
                                         (S_ISLNK(mode) ? "a symlink" : "not a regular file") +
                                         "; it was left alone"};
}

LockResult failed(const std::string& what, const std::filesystem::path& path) {
    return {LockStatus::Failed,
            what + " the keyboard lock " + path.string() + ": " + std::strerror(errno)};
}

// Opens the lock file without following a link and without blocking on a FIFO, so that nothing
// planted at its name is locked, followed or hung on; the check before the open spares a
// device the open itself, the one after it closes the race with a swap.
LockResult openLockFile(const std::filesystem::path& path, int& fd) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        return notLockable(path, st.st_mode);
    fd = ::open(path.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC,
                0600);
    if (fd < 0)
        return errno == ELOOP ? notLockable(path, S_IFLNK) : failed("cannot open", path);
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        fd = -1;
        return notLockable(path, st.st_mode);
    }
    return {};
}

// "NAME, pid N" of the process holding the flock on the file open as `fd`, from /proc/locks;
// empty when it cannot be told. Some file systems (btrfs) report another device number through
// stat than the kernel lists, so a lone match of the inode alone is taken as well.
std::string lockHolder(int fd) {
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return {};
    const std::string inode = ":" + std::to_string(st.st_ino);
    std::ifstream locks("/proc/locks");
    std::string exactPid, inodePid;
    int inodeMatches = 0;
    for (std::string line; std::getline(locks, line);) {
        std::istringstream fields(line);
        std::string number, kind, advisory, mode, pid, id;
        fields >> number >> kind >> advisory >> mode >> pid >> id;
        if (kind != "FLOCK" || id.size() <= inode.size() ||
            id.compare(id.size() - inode.size(), inode.size(), inode) != 0)
            continue;
        ++inodeMatches;
        inodePid = pid;
        unsigned major = 0, minor = 0;
        std::istringstream idDevice(id);
        char colon = 0;
        idDevice >> std::hex >> major >> colon >> minor;
        if (major == ::major(st.st_dev) && minor == ::minor(st.st_dev))
            exactPid = pid;
    }
    const std::string pid = !exactPid.empty() ? exactPid : inodeMatches == 1 ? inodePid : "";
    if (pid.empty() || pid.find_first_not_of("0123456789") != std::string::npos || pid == "0")
        return {};
    std::string name;
    std::getline(std::ifstream("/proc/" + pid + "/comm"), name);
    return name.empty() ? "pid " + pid : name + ", pid " + pid;
}

LockResult busy(const std::filesystem::path& path, int fd) {
    const std::string holder = lockHolder(fd);
    return {LockStatus::Busy, "another program" + (holder.empty() ? "" : " (" + holder + ")") +
                                  " is using the keyboard (lock " + path.string() + ")"};
}

} // namespace

std::filesystem::path realKeyboardLockFile() {
    const std::filesystem::path folder = userRuntimeFolder();
    return folder.empty() ? folder : folder / "kestrix-keyboard.lock";
}

std::filesystem::path simulatorLockFile(const std::filesystem::path& stateFile) {
    std::filesystem::path lockFile = stateFile;
    lockFile += ".lock";
    return lockFile;
}

KeyboardLock::~KeyboardLock() {
    release();
}

KeyboardLock::KeyboardLock(KeyboardLock&& other) noexcept
    : fd(std::exchange(other.fd, -1)), path(std::move(other.path)) {}

KeyboardLock& KeyboardLock::operator=(KeyboardLock&& other) noexcept {
    if (this != &other) {
        release();
        fd = std::exchange(other.fd, -1);
        path = std::move(other.path);
    }
    return *this;
}

LockResult KeyboardLock::acquire(const std::filesystem::path& lockFile,
                                 std::chrono::milliseconds wait) {
    release();
    int opened = -1;
    if (LockResult result = openLockFile(lockFile, opened); !result.ok())
        return result;
    // flock has no timeout of its own, and a blocking flock cannot be given up without a
    // signal, which would reach the whole process; short naps that grow keep a quick holder's
    // successor quick and a long wait cheap.
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + wait;
    Clock::duration nap = std::chrono::milliseconds(2);
    for (;;) {
        if (::flock(opened, LOCK_EX | LOCK_NB) == 0)
            break;
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK) {
            LockResult result = failed("cannot take", lockFile);
            ::close(opened);
            return result;
        }
        const Clock::time_point now = Clock::now();
        if (now >= deadline) {
            LockResult result = busy(lockFile, opened);
            ::close(opened);
            return result;
        }
        std::this_thread::sleep_for(std::min(nap, deadline - now));
        nap = std::min<Clock::duration>(nap * 2, std::chrono::milliseconds(100));
    }
    fd = opened;
    path = lockFile;
    return {};
}

LockResult lockKeyboardInUse(KeyboardLock& lock, bool simulated,
                             const std::filesystem::path& stateFile,
                             std::chrono::milliseconds wait) {
    if (simulated && stateFile.empty())
        return {};
    const std::filesystem::path lockFile =
        simulated ? simulatorLockFile(stateFile) : realKeyboardLockFile();
    if (lockFile.empty())
        return {LockStatus::Failed, "there is no private runtime folder for the keyboard lock"};
    return lock.acquire(lockFile, wait);
}

void KeyboardLock::release() {
    if (fd < 0)
        return;
    // Unlocked before the close: a child forked in between shares the open file, and would
    // otherwise keep holding the lock.
    ::flock(fd, LOCK_UN);
    ::close(fd);
    fd = -1;
    path.clear();
}

} // namespace talvex
