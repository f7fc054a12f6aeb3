#include "cli/window_client.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <optional>
#include <poll.h>
#include <span>
#include <sys/socket.h>
#include <sys/un.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace talvex {

namespace {

using Clock = std::chrono::steady_clock;

class Socket {
public:
    Socket() : fd(::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0)) {}
    ~Socket() {
        if (fd >= 0)
            ::close(fd);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    const int fd;
};

WindowAnswer failure(WindowOutcome outcome, std::string detail) {
    return {outcome, {}, std::move(detail)};
}

std::string lastError() {
    return std::system_category().message(errno);
}

// Waits until `fd` is ready for `events`, or has an error or hang-up for the next call to report;
// false when the deadline came first.
bool ready(int fd, short events, Clock::time_point deadline) {
    while (true) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0)
            return false;
        pollfd entry{fd, events, 0};
        const int count =
            ::poll(&entry, 1, static_cast<int>(std::min<long long>(left.count(), INT_MAX)));
        if (count > 0)
            return true;
        if (count < 0 && errno != EINTR)
            return false;
    }
}

std::optional<WindowAnswer> connectTo(int fd, const sockaddr_un& address,
                                      Clock::time_point deadline) {
    const auto* target = reinterpret_cast<const sockaddr*>(&address);
    while (::connect(fd, target, sizeof address) != 0) {
        if (errno == EAGAIN) {
            // The window's queue of new connections is full: it is busy, not gone.
            if (Clock::now() >= deadline)
                return failure(WindowOutcome::NoAnswer, "the window took no connection in time");
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            continue;
        }
        if (errno == EINPROGRESS || errno == EINTR) {
            if (!ready(fd, POLLOUT, deadline))
                return failure(WindowOutcome::NoAnswer, "the window took no connection in time");
            int error = 0;
            socklen_t size = sizeof error;
            if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0)
                error = errno;
            if (error == 0)
                return std::nullopt;
            errno = error;
        }
        return failure(WindowOutcome::NoWindow, "no window listens at " +
                                                    std::string(address.sun_path) + ": " +
                                                    lastError());
    }
    return std::nullopt;
}

// False when the deadline came first. A window that hangs up early may have said why, so a
// failed send ends the sending, not the exchange: the reading that follows tells.
bool sendAll(int fd, std::span<const std::uint8_t> bytes, Clock::time_point deadline) {
    while (!bytes.empty()) {
        const ssize_t sent = ::send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent >= 0) {
            bytes = bytes.subspan(static_cast<std::size_t>(sent));
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            if (!ready(fd, POLLOUT, deadline))
                return false;
        } else if (errno != EINTR) {
            return true;
        }
    }
    return true;
}

enum class Received { All, HungUp, TimedOut };

Received receiveAll(int fd, std::span<std::uint8_t> into, Clock::time_point deadline) {
    while (!into.empty()) {
        const ssize_t got = ::recv(fd, into.data(), into.size(), 0);
        if (got > 0) {
            into = into.subspan(static_cast<std::size_t>(got));
        } else if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!ready(fd, POLLIN, deadline))
                return Received::TimedOut;
        } else if (got == 0 || errno != EINTR) {
            return Received::HungUp;
        }
    }
    return Received::All;
}

} // namespace

WindowAnswer askWindow(const std::filesystem::path& socket, const ForwardedRequest& request,
                       std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    const std::string& path = socket.native();
    sockaddr_un address{};
    if (path.empty())
        return failure(WindowOutcome::NoWindow, "there is no runtime folder to find a window in");
    if (path.size() >= sizeof address.sun_path)
        return failure(WindowOutcome::NoWindow, "the window's socket path is longer than the " +
                                                    std::to_string(sizeof address.sun_path - 1) +
                                                    " bytes a local socket address holds: " + path);
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.data(), path.size());

    const std::vector<std::uint8_t> payload = encodeRequest(request);
    if (payload.size() > kMaxForwardBytes)
        return failure(WindowOutcome::BadReply, "the request is " + std::to_string(payload.size()) +
                                                    " bytes, more than the " +
                                                    std::to_string(kMaxForwardBytes) +
                                                    " the window takes");
    std::vector<std::uint8_t> message(kForwardGreeting.begin(), kForwardGreeting.end());
    const auto length = encodeFrameLength(static_cast<std::uint32_t>(payload.size()));
    message.insert(message.end(), length.begin(), length.end());
    message.insert(message.end(), payload.begin(), payload.end());

    const Socket connection;
    if (connection.fd < 0)
        return failure(WindowOutcome::BadReply, "cannot make a local socket: " + lastError());
    if (auto refused = connectTo(connection.fd, address, deadline))
        return *refused;
    const std::string late =
        "no complete answer from the window within " + std::to_string(timeout.count()) + " ms";
    if (!sendAll(connection.fd, message, deadline))
        return failure(WindowOutcome::NoAnswer, late);

    const auto receive = [&](std::span<std::uint8_t> into,
                             const char* hungUp) -> std::optional<WindowAnswer> {
        switch (receiveAll(connection.fd, into, deadline)) {
        case Received::All:
            return std::nullopt;
        case Received::HungUp:
            return failure(WindowOutcome::BadReply, hungUp);
        case Received::TimedOut:
            break;
        }
        return failure(WindowOutcome::NoAnswer, late);
    };
    std::array<std::uint8_t, kFrameLengthBytes> header{};
    if (auto failed = receive(header, "the window hung up without answering"))
        return *failed;
    const std::uint32_t size = decodeFrameLength(header);
    if (size > kMaxForwardBytes)
        return failure(WindowOutcome::BadReply, "the window announced an answer of " +
                                                    std::to_string(size) +
                                                    " bytes, more than the " +
                                                    std::to_string(kMaxForwardBytes) + " allowed");
    std::vector<std::uint8_t> bytes(size);
    if (auto failed = receive(bytes, "the window hung up in the middle of its answer"))
        return *failed;
    std::string error;
    std::optional<ForwardedReply> reply = decodeReply(bytes, error);
    if (!reply)
        return failure(WindowOutcome::BadReply, error);
    return {WindowOutcome::Answered, std::move(*reply), {}};
}

} // namespace talvex
