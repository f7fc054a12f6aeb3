#pragma once
// A KeyHook for tests: the test types strokes, and they reach the receiver only while the hook
// is installed and only in the way the installed mode delivers them.

#include "platform/key_hook.h"

#include <cstdint>

namespace talvex {

class ScriptedKeyHook final : public KeyHook {
public:
    // What install answers; false plays a capture that could not start.
    bool installResult = true;
    int installCount = 0;
    int removeCount = 0;

    bool install(Receiver newReceiver, int newMode) override {
        ++installCount;
        if (!installResult)
            return false;
        receiver = std::move(newReceiver);
        mode = newMode;
        return true;
    }

    void remove() override {
        ++removeCount;
        receiver = nullptr;
    }

    bool installed() const { return static_cast<bool>(receiver); }
    int installedMode() const { return mode; }

    void press(std::uint8_t vk) { send({vk, false}); }
    // Mode 0 delivers presses only.
    void release(std::uint8_t vk) {
        if (mode == 1)
            send({vk, true});
    }
    void tap(std::uint8_t vk) {
        press(vk);
        release(vk);
    }

private:
    void send(KeyStroke stroke) {
        if (!receiver)
            return;
        Receiver current = receiver; // the receiver may remove the hook
        current(stroke);
    }

    Receiver receiver;
    int mode = 0;
};

} // namespace talvex
