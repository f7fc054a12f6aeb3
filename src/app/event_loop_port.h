#pragma once
// The event loop of the thread that owns the keyboard session, as the session sees it.

#include <functional>

namespace talvex {

class EventLoopPort {
public:
    using Call = std::function<void()>;

    virtual ~EventLoopPort() = default;
    // Runs `call` on the loop's thread soon after. Safe to call from any thread.
    virtual void post(Call call) = 0;
    // Runs `call` on the loop's thread once `ms` have passed. Loop thread only.
    virtual void after(int ms, Call call) = 0;
};

} // namespace talvex
