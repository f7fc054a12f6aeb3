#include "platform/file_io.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace talvex {

namespace fs = std::filesystem;

namespace {

// Temporary files are ".talvex-tmp-XXXXXX" beside the file they become. Saves of earlier
// versions left "<name>.tmp-XXXXXX".
constexpr std::string_view kTemporaryPrefix = ".talvex-tmp-";
constexpr std::string_view kOldTemporaryInfix = ".tmp-";
constexpr std::size_t kRandomPartLength = 6;
constexpr int kMaxSymlinkHops = 40;

FileResult failure(FileStatus status, const std::string& what, int error = 0) {
    return {status, error ? what + ": " + std::strerror(error) : what};
}

const char* kindOf(mode_t mode) {
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISFIFO(mode))
        return "a FIFO";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    if (S_ISSOCK(mode))
        return "a socket";
    return "not a regular file";
}

FileResult notRegular(const fs::path& path, mode_t mode) {
    return failure(FileStatus::NotRegularFile,
                   path.string() + " is " + kindOf(mode) + ", not a data file; it was left alone");
}

bool writeAll(int fd, std::span<const std::uint8_t> data) {
    std::size_t done = 0;
    while (done < data.size()) {
        ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// The file a save through `path` replaces: the end of its chain of symlinks.
std::optional<fs::path> finalTarget(fs::path path) {
    for (int hop = 0; hop < kMaxSymlinkHops; ++hop) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(path, ec)))
            return path;
        const fs::path next = fs::read_symlink(path, ec);
        if (ec)
            return std::nullopt;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return std::nullopt;
}

// The folder a message names: never empty, even for a bare file name.
std::string folderOf(const fs::path& path) {
    std::error_code ec;
    const fs::path folder = fs::absolute(path, ec).parent_path();
    return ec ? path.parent_path().string() : folder.string();
}

bool isOwnTemporaryName(const std::string& name) {
    const auto randomTail = [&](std::size_t from) {
        return name.size() == from + kRandomPartLength;
    };
    if (name.rfind(kTemporaryPrefix, 0) == 0)
        return randomTail(kTemporaryPrefix.size());
    const std::size_t infix = name.rfind(kOldTemporaryInfix);
    return infix != std::string::npos && infix > 0 &&
           randomTail(infix + kOldTemporaryInfix.size()) &&
           std::string_view(name).substr(0, infix).ends_with(".bin");
}

} // namespace

FileResult readDataFile(const fs::path& path, std::size_t maxBytes,
                        std::vector<std::uint8_t>& out) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return errno == ENOENT || errno == ENOTDIR
                   ? failure(FileStatus::Missing, path.string() + " does not exist")
                   : failure(FileStatus::ReadFailed, "cannot read " + path.string(), errno);
    if (!S_ISREG(st.st_mode))
        return notRegular(path, st.st_mode);
    // Without blocking, and checked again on the descriptor: the name may have been swapped for
    // a FIFO between the two looks.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return failure(FileStatus::ReadFailed, "cannot read " + path.string(), errno);
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return notRegular(path, st.st_mode);
    }
    out.clear();
    std::uint8_t buffer[65536];
    while (out.size() < maxBytes) {
        const std::size_t want = std::min(sizeof buffer, maxBytes - out.size());
        const ssize_t n = ::read(fd, buffer, want);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            ::close(fd);
            return failure(FileStatus::ReadFailed, "cannot read " + path.string(), error);
        }
        if (n == 0)
            break;
        out.insert(out.end(), buffer, buffer + n);
    }
    ::close(fd);
    return {};
}

std::optional<std::vector<std::uint8_t>> readFileBytes(const fs::path& path, std::size_t maxBytes) {
    std::vector<std::uint8_t> bytes;
    if (!readDataFile(path, maxBytes, bytes).ok())
        return std::nullopt;
    return bytes;
}

FileResult writeFileAtomically(const fs::path& path, std::span<const std::uint8_t> data) {
    const std::optional<fs::path> target = finalTarget(path);
    if (!target)
        return failure(FileStatus::WriteFailed,
                       "cannot follow the link " + path.string() + " to the file it names");
    struct stat old {};
    const bool exists = ::stat(target->c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode))
        return notRegular(path, old.st_mode);

    std::string temp = (target->parent_path() / kTemporaryPrefix).string() + "XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0)
        return failure(FileStatus::WriteFailed, "cannot create a file in " + folderOf(*target),
                       errno);
    bool ok = writeAll(fd, data) && ::fsync(fd) == 0;
    int error = ok ? 0 : errno;
    // The user's choice of mode (and, for root, owner) stays with the file.
    ::fchmod(fd, exists ? old.st_mode & 07777 : 0644);
    if (exists && ::geteuid() == 0 && ::fchown(fd, old.st_uid, old.st_gid) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temp.c_str(), target->c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return failure(FileStatus::WriteFailed, "cannot write " + path.string(), error);
    }
    return {};
}

int sweepLeftoverTemporaryFiles(const fs::path& folder, std::chrono::seconds minimumAge) {
    int removed = 0;
    const auto now = fs::file_time_type::clock::now();
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code entryError;
        if (it->is_symlink(entryError) || !it->is_regular_file(entryError) ||
            !isOwnTemporaryName(it->path().filename()))
            continue;
        const auto changed = it->last_write_time(entryError);
        if (entryError || now - changed < minimumAge)
            continue;
        if (fs::remove(it->path(), entryError))
            ++removed;
    }
    return removed;
}

} // namespace talvex
