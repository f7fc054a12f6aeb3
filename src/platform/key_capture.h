#pragma once
// Key capture that owns the hook while it lives: the hook is installed exactly while active()
// says so, whatever installing answered, and it is removed when the capture goes away. Prompts
// take the keyboard through a Pause, so no dialog keeps its own copy of whether it was capturing.

#include "platform/key_hook.h"

#include <utility>

namespace talvex {

class KeyCapture {
public:
    KeyCapture(KeyHook& hook, int mode, KeyHook::Receiver receiver)
        : hook_(hook), mode_(mode), receiver_(std::move(receiver)) {}
    ~KeyCapture() { stop(); }
    KeyCapture(const KeyCapture&) = delete;
    KeyCapture& operator=(const KeyCapture&) = delete;

    // Installs the hook unless it is installed; false when it could not be.
    bool start();
    void stop();
    bool active() const { return active_; }

    // While a prompt is open: the hook would take the keys typed into it, so it is removed for
    // the pause's lifetime and installed again afterwards if it was installed before.
    class [[nodiscard]] Pause {
    public:
        explicit Pause(KeyCapture& capture) : capture_(capture), resume_(capture.active()) {
            capture_.stop();
        }
        ~Pause() {
            if (resume_)
                capture_.start();
        }
        Pause(const Pause&) = delete;
        Pause& operator=(const Pause&) = delete;

    private:
        KeyCapture& capture_;
        bool resume_;
    };

private:
    KeyHook& hook_;
    int mode_;
    KeyHook::Receiver receiver_;
    bool active_ = false;
};

} // namespace talvex
