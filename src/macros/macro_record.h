#pragma once
// A macro as MacroDefine.bin stores it: a name, a loop count, the delay-recording option and the
// same event sequence twice, once with the keyboard's key codes and once with the host's
// virtual-key codes. The record's bytes are the file's bytes, so every offset below is fixed.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace talvex {

inline constexpr std::size_t kMacroRecordSize = 894;
inline constexpr std::size_t kMacroStoreCount = 190;
inline constexpr std::size_t kMacroStoreSize = kMacroRecordSize * kMacroStoreCount;
inline constexpr std::size_t kMacroEventBytes = 190;
inline constexpr std::size_t kMacroNameUnits = 255; // 254 characters and the terminating zero
inline constexpr std::size_t kMacroNameMaxLength = kMacroNameUnits - 1;
// The keyboard has 32 macro slots, so no more macros can be in use.
inline constexpr std::size_t kMaxMacrosInUse = 32;

inline constexpr std::uint8_t kDelayOptionBit = 0x01;

using EventBuffer = std::array<std::uint8_t, kMacroEventBytes>;

struct MacroRecord {
    std::array<std::uint8_t, kMacroNameUnits * 2> name; // UTF-16LE, zero-terminated
    std::array<std::uint8_t, 2> loopCount;              // little-endian
    std::uint8_t optionFlags;
    EventBuffer deviceEvents;
    EventBuffer keyEvents;
    std::uint8_t reserved;

    // The name up to its terminating zero unit (or the whole field when a file has none).
    std::u16string nameText() const;
    // Refuses names that do not fit the field or that hold a zero unit, leaving the record as it
    // was; an empty name frees the record's name.
    bool setNameText(std::u16string_view text);
    bool inUse() const { return name[0] != 0 || name[1] != 0; }

    std::uint16_t loopCountValue() const {
        return static_cast<std::uint16_t>(loopCount[0] | (loopCount[1] << 8));
    }
    void setLoopCountValue(std::uint16_t value) {
        loopCount[0] = static_cast<std::uint8_t>(value & 0xFF);
        loopCount[1] = static_cast<std::uint8_t>(value >> 8);
    }

    bool delayOption() const { return (optionFlags & kDelayOptionBit) != 0; }

    bool operator==(const MacroRecord&) const = default;
};

static_assert(sizeof(MacroRecord) == kMacroRecordSize);
static_assert(alignof(MacroRecord) == 1);
static_assert(offsetof(MacroRecord, name) == 0);
static_assert(offsetof(MacroRecord, loopCount) == 510);
static_assert(offsetof(MacroRecord, optionFlags) == 512);
static_assert(offsetof(MacroRecord, deviceEvents) == 513);
static_assert(offsetof(MacroRecord, keyEvents) == 703);
static_assert(offsetof(MacroRecord, reserved) == 893);

// An all-zero record: the value of a record not in use.
MacroRecord emptyMacroRecord();

// All macros; records 0..n-1 are in use and in name order, the rest are zero.
struct MacroStore {
    std::array<MacroRecord, kMacroStoreCount> records;

    // The records in use: those before the first record without a name.
    std::size_t usedCount() const;
    // The names of the records in use, in record order.
    std::vector<std::u16string> usedNames() const;

    std::span<std::uint8_t, kMacroStoreSize> bytes() {
        return std::span<std::uint8_t, kMacroStoreSize>(reinterpret_cast<std::uint8_t*>(this),
                                                        kMacroStoreSize);
    }
    std::span<const std::uint8_t, kMacroStoreSize> bytes() const {
        return std::span<const std::uint8_t, kMacroStoreSize>(
            reinterpret_cast<const std::uint8_t*>(this), kMacroStoreSize);
    }

    bool operator==(const MacroStore&) const = default;
};

static_assert(sizeof(MacroStore) == kMacroStoreSize);

MacroStore emptyMacroStore();

} // namespace talvex
