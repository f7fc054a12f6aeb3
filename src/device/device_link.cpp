#include "device/device_link.h"

#include "device/hid_transport.h"
#include "device/wire_trace.h"

#include <algorithm>

namespace talvex {

void openChannel(HidBackend& backend, DeviceLink& link, ChannelRole role, WireTrace* trace) {
    auto& handle = role == ChannelRole::Command ? link.commandHandle : link.eventHandle;
    if (handle)
        return;
    std::string path;
    if (role == ChannelRole::Event) {
        const EventChannelChoice choice = chooseEventChannel(backend.enumerate());
        if (trace && !choice.path.empty())
            trace->line("EVENT-CHANNEL " + std::string(choice.reason) + " " + choice.path);
        path = choice.path;
    } else {
        path = findDevicePath(backend.enumerate(), role);
    }
    if (path.empty())
        return;
    link.devicePath = path;
    handle = backend.open(path, role);
}

void closeChannels(DeviceLink& link) {
    link.commandHandle.reset();
    link.eventHandle.reset();
}

KeyboardPresence openKeyboard(HidBackend& backend, DeviceLink& link, WireTrace* trace) {
    openChannel(backend, link, ChannelRole::Command);
    openChannel(backend, link, ChannelRole::Event, trace);
    if (link.commandHandle && link.eventHandle)
        return KeyboardPresence::Open;
    const auto interfaces = backend.enumerate();
    const bool attached = std::any_of(interfaces.begin(), interfaces.end(), isKestrix);
    return attached ? KeyboardPresence::CannotOpen : KeyboardPresence::NotAttached;
}

} // namespace talvex
