#pragma once
// The link to one keyboard: its two channels and what is shared between the thread that sends
// commands and the event reader. One instance per keyboard connection; no globals.

#include "platform/hid.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

namespace talvex {

using DeviceInfo = std::array<std::uint8_t, 8>;
using FirmwareVersion = std::array<std::uint8_t, 4>; // major, minor, 0, 0

struct DeviceLink {
    std::unique_ptr<HidChannel> commandHandle; // null when absent
    std::unique_ptr<HidChannel> eventHandle;   // null when absent
    std::string devicePath;                    // path of the latest successful discovery
    std::atomic<std::uint32_t> ackCount{0};    // acknowledgements the event reader has seen
    std::atomic<bool> stopReader{false};
    DeviceInfo deviceInfo{};
    FirmwareVersion firmwareVersion{};
};

// Finds and opens the channel of `role`; leaves it null when no interface matches or the open
// fails. An already open channel is kept.
void openChannel(HidBackend& backend, DeviceLink& link, ChannelRole role);

// Closes both channels. The caller stops the event reader first.
void closeChannels(DeviceLink& link);

enum class KeyboardPresence { Open, NotAttached, CannotOpen };

// Opens both channels and tells why when they are not both open.
KeyboardPresence openKeyboard(HidBackend& backend, DeviceLink& link);

} // namespace talvex
