#pragma once
// The host's record of what the user chose for each key position: the captured keys, the
// function, the macro, the file to open. keymap.bin and every profile file store these records
// byte for byte after the settings image, so every offset below is a file layout.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace talvex {

enum class AssignmentType : std::uint8_t {
    SingleKey = 0,
    Combination = 1,
    MacroKey = 2,
    Function = 3,
    PlaySound = 4,
    StartProgram = 5,
    OpenFile = 6,
    OpenFolder = 7,
    RestoreDefault = 8, // a request only; never stored
};

inline constexpr std::size_t kKeyAssignmentSize = 772;
inline constexpr std::size_t kAssignmentCount = 255;
inline constexpr std::size_t kAssignmentsSize = kKeyAssignmentSize * kAssignmentCount;
inline constexpr std::size_t kAssignmentDataSize = 255;
inline constexpr std::size_t kPathUnits = 256;
// The path field keeps room for its terminating zero.
inline constexpr std::size_t kMaxActionPathLength = kPathUnits - 1;

inline bool isHostActionType(std::uint8_t type) {
    return type >= static_cast<std::uint8_t>(AssignmentType::PlaySound) &&
           type <= static_cast<std::uint8_t>(AssignmentType::OpenFolder);
}

// Whether a chosen file or folder can be stored: at most 255 UTF-16 units and no zero unit. The
// dialog checks this before it hands the path over, so it can tell the user.
bool isStorableActionPath(std::u16string_view path);

struct KeyAssignment {
    std::uint8_t vk; // VK of the key at this position
    std::uint8_t type;
    std::array<std::uint8_t, kAssignmentDataSize> data;
    std::uint8_t keyCount; // captured keys of types 0 and 1
    std::array<std::uint8_t, 2> reserved;
    std::array<std::uint8_t, kPathUnits * 2> path; // UTF-16LE, zero-terminated

    // The path up to its terminating zero, or the whole field when a file holds none.
    std::u16string pathText() const;
    // Refuses a path that is not storable, leaving the field as it was.
    bool setPathText(std::u16string_view text);

    bool operator==(const KeyAssignment&) const = default;
};

static_assert(sizeof(KeyAssignment) == kKeyAssignmentSize);
static_assert(alignof(KeyAssignment) == 1);
static_assert(offsetof(KeyAssignment, vk) == 0);
static_assert(offsetof(KeyAssignment, type) == 1);
static_assert(offsetof(KeyAssignment, data) == 2);
static_assert(offsetof(KeyAssignment, keyCount) == 257);
static_assert(offsetof(KeyAssignment, reserved) == 258);
static_assert(offsetof(KeyAssignment, path) == 260);

// One entry per key position 0..107; entries 108..254 exist in the files but assign nothing.
struct KeyAssignments {
    std::array<KeyAssignment, kAssignmentCount> entries;

    KeyAssignment& operator[](std::size_t p) { return entries[p]; }
    const KeyAssignment& operator[](std::size_t p) const { return entries[p]; }

    std::span<std::uint8_t, kAssignmentsSize> bytes() {
        return std::span<std::uint8_t, kAssignmentsSize>(reinterpret_cast<std::uint8_t*>(this),
                                                         kAssignmentsSize);
    }
    std::span<const std::uint8_t, kAssignmentsSize> bytes() const {
        return std::span<const std::uint8_t, kAssignmentsSize>(
            reinterpret_cast<const std::uint8_t*>(this), kAssignmentsSize);
    }

    bool operator==(const KeyAssignments&) const = default;
};

static_assert(sizeof(KeyAssignments) == kAssignmentsSize);

// Gives entries 0..107 the VK of their position; the files may hold anything there.
void setPositionVks(KeyAssignments& assignments);

// All entries zero except their position VKs: the state of a new keymap.bin and of a factory
// reset.
void resetAssignments(KeyAssignments& assignments);

} // namespace talvex
