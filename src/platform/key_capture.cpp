#include "platform/key_capture.h"

namespace talvex {

bool KeyCapture::start() {
    if (!active_)
        active_ = hook_.install(receiver_, mode_);
    return active_;
}

void KeyCapture::stop() {
    if (!active_)
        return;
    hook_.remove();
    active_ = false;
}

} // namespace talvex
