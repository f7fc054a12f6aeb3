#pragma once
// The link to one keyboard: its two channels and what is shared between the thread that sends
// commands and the event reader. One instance per keyboard connection; no globals.

#include "platform/ack_counter.h"
#include "platform/hid.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

namespace talvex {

class WireTrace;

using DeviceInfo = std::array<std::uint8_t, 8>;
using FirmwareVersion = std::array<std::uint8_t, 4>; // major, minor, 0, 0

struct DeviceLink {
    // Null when absent. Shared so that a request or reader still using a channel keeps it open
    // after the link has let go of it (a removal lets go at once).
    std::shared_ptr<HidChannel> commandHandle;
    std::shared_ptr<HidChannel> eventHandle;
    std::string devicePath; // path of the latest successful discovery
    AckCounter ackCount;    // acknowledgements the event reader has seen
    DeviceInfo deviceInfo{};
    FirmwareVersion firmwareVersion{};
};

// Finds and opens the channel of `role`; leaves it null when no interface matches or the open
// fails. An already open channel is kept. The choice of the event channel goes to `trace`.
void openChannel(HidBackend& backend, DeviceLink& link, ChannelRole role,
                 WireTrace* trace = nullptr);

// Lets go of both channels; a thread still holding one closes it when it lets go too.
void closeChannels(DeviceLink& link);

enum class KeyboardPresence { Open, NotAttached, CannotOpen };

// Opens both channels and tells why when they are not both open.
KeyboardPresence openKeyboard(HidBackend& backend, DeviceLink& link, WireTrace* trace = nullptr);

} // namespace talvex
