#pragma once
// One step of a macro: a flag byte (bit 7 = release, bits 0-6 = delay code), the key's code and,
// for waits of 127 ms and more, the wait as a big-endian 16-bit value. The keyboard plays these
// bytes as they are, so the encoding is fixed.

#include "controls/delay_range.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace talvex {

inline constexpr std::uint8_t kReleaseBit = 0x80;
inline constexpr std::uint8_t kDelayCodeMask = 0x7F;
inline constexpr std::uint8_t kNoDelayCode = 1;
inline constexpr std::uint8_t kExtendedDelayCode = 127;

// Mouse buttons have the same code in both sequences of a macro.
inline constexpr std::uint8_t kMouseLeftCode = 0xF0;
inline constexpr std::uint8_t kMouseRightCode = 0xF1;
inline constexpr std::uint8_t kMouseMiddleCode = 0xF2;

struct MacroEvent {
    std::array<std::uint8_t, 4> bytes{};
    std::size_t size = 2;

    std::span<const std::uint8_t> view() const { return {bytes.data(), size}; }
};

// The event for a wait of delayMs before it. Waits under 2 ms are stored as "no delay" (a zero
// delay code would be shown as a wait but counted as none); waits above 60000 ms are capped.
MacroEvent encodeMacroEvent(bool release, std::uint8_t code, int delayMs);

inline bool isRelease(std::uint8_t flag) {
    return (flag & kReleaseBit) != 0;
}
inline std::uint8_t delayCode(std::uint8_t flag) {
    return flag & kDelayCodeMask;
}
inline std::size_t eventSize(std::uint8_t flag) {
    return delayCode(flag) == kExtendedDelayCode ? 4 : 2;
}

// The wait in milliseconds of the event at `offset`. An extended delay whose two bytes lie past
// the end of `buffer` reads as 0.
int eventDelayMs(std::span<const std::uint8_t> buffer, std::size_t offset);

} // namespace talvex
