#pragma once
// Permission checks for tests that CI runs as root, whom no permission stops: the check runs in
// a forked child that first becomes the unprivileged user "nobody" (when the test runs as root),
// so the test means the same for every user.

#include <functional>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace talvex::testing {

inline constexpr uid_t kNobody = 65534;

// True when `check` returned true in the child.
inline bool holdsForAnUnprivilegedUser(const std::function<bool()>& check) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            ::_exit(2);
        ::_exit(check() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

} // namespace talvex::testing
