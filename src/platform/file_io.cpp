#include "platform/file_io.h"

#include <cerrno>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace talvex {

namespace {

void setError(std::string* error, const std::string& what) {
    if (error)
        *error = what + ": " + std::strerror(errno);
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

} // namespace

std::optional<std::vector<std::uint8_t>> readFileBytes(const std::filesystem::path& path,
                                                        std::size_t maxBytes) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::vector<std::uint8_t> out;
    std::uint8_t buffer[65536];
    while (out.size() < maxBytes) {
        std::size_t want = std::min(sizeof buffer, maxBytes - out.size());
        ssize_t n = ::read(fd, buffer, want);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        out.insert(out.end(), buffer, buffer + n);
    }
    ::close(fd);
    return out;
}

bool writeFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> data,
                         std::string* error) {
    std::filesystem::path temp = path;
    temp += ".tmp-XXXXXX";
    std::string pattern = temp.string();
    int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        setError(error, "cannot create a file in " + path.parent_path().string());
        return false;
    }
    bool ok = writeAll(fd, data) && ::fsync(fd) == 0;
    if (!ok)
        setError(error, "cannot write " + path.string());
    ::fchmod(fd, 0644);
    if (::close(fd) != 0 && ok) {
        setError(error, "cannot write " + path.string());
        ok = false;
    }
    if (ok && ::rename(pattern.c_str(), path.c_str()) != 0) {
        setError(error, "cannot replace " + path.string());
        ok = false;
    }
    if (!ok)
        ::unlink(pattern.c_str());
    return ok;
}

} // namespace talvex
