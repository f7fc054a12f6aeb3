#pragma once
// The HID port over hidapi (hidraw on Linux).

#include "platform/hid.h"

#include <memory>

namespace talvex {

std::unique_ptr<HidBackend> makeHidapiBackend();

} // namespace talvex
