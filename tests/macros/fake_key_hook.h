#pragma once
// A key hook driven by the test: strokes reach the receiver only while installed, like the real
// capture.

#include "platform/key_hook.h"

namespace talvex::test {

class FakeKeyHook final : public KeyHook {
public:
    bool installhook(Receiver r, int m) override {
        ++installs;
        mode = m;
        if (installSucceeds)
            receiver = std::move(r);
        return installSucceeds;
    }
    void removehook() override {
        ++removes;
        receiver = nullptr;
    }

    bool installed() const { return static_cast<bool>(receiver); }
    void press(std::uint8_t vk) { deliver({vk, false}); }
    void release(std::uint8_t vk) { deliver({vk, true}); }
    void tap(std::uint8_t vk) {
        press(vk);
        release(vk);
    }

    bool installSucceeds = true;
    int installs = 0;
    int removes = 0;
    int mode = -1;

private:
    void deliver(KeyStroke stroke) {
        if (receiver)
            receiver(stroke);
    }
    Receiver receiver;
};

} // namespace talvex::test
