#pragma once
// Key capture for the key assignment and macro dialogs: while installed, every key stroke of
// the application is delivered as a Windows virtual-key code with a release bit, instead of
// reaching the focused control as typed text.

#include <cstdint>
#include <functional>

namespace talvex {

struct KeyStroke {
    std::uint8_t vk = 0;
    bool release = false;
    bool operator==(const KeyStroke&) const = default;
};

class KeyHook {
public:
    using Receiver = std::function<void(KeyStroke)>;
    virtual ~KeyHook() = default;
    // mode 0: presses only (key assignment dialog); mode 1: presses and releases (macros).
    virtual bool install(Receiver receiver, int mode) = 0;
    virtual void remove() = 0;
};

} // namespace talvex
