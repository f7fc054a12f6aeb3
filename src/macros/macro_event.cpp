#include "macros/macro_event.h"

#include <algorithm>

namespace talvex {

MacroEvent encodeMacroEvent(bool release, std::uint8_t code, int delayMs) {
    MacroEvent event;
    std::uint8_t releaseBit = release ? kReleaseBit : 0;
    event.bytes[1] = code;
    if (delayMs < kExtendedDelayCode) {
        int shortCode = std::max(delayMs, static_cast<int>(kNoDelayCode));
        event.bytes[0] = static_cast<std::uint8_t>(releaseBit | shortCode);
        event.size = 2;
        return event;
    }
    int ms = std::min(delayMs, kMaxDelayMs);
    event.bytes[0] = releaseBit | kExtendedDelayCode;
    event.bytes[2] = static_cast<std::uint8_t>(ms >> 8);
    event.bytes[3] = static_cast<std::uint8_t>(ms & 0xFF);
    event.size = 4;
    return event;
}

int eventDelayMs(std::span<const std::uint8_t> buffer, std::size_t offset) {
    if (offset >= buffer.size())
        return 0;
    std::uint8_t code = delayCode(buffer[offset]);
    if (code != kExtendedDelayCode)
        return code;
    if (offset + 3 >= buffer.size())
        return 0;
    return buffer[offset + 2] * 256 + buffer[offset + 3];
}

} // namespace talvex
