#pragma once
// What the user chose for one key, as the key dialog and `kestrix-cli assign` hand it to the key
// assignment store. Each kind carries only what it needs, so no field means one thing for one
// kind and another for the next.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace talvex {

// Back to the factory slot with no entry of its own.
struct RestoreKey {
    bool operator==(const RestoreKey&) const = default;
};

struct SingleKeyChoice {
    std::uint8_t vk = 0;
    bool operator==(const SingleKeyChoice&) const = default;
};

// The VKs in capture order. The keyboard's slot takes the first three; the entry keeps them all.
struct CombinationChoice {
    std::vector<std::uint8_t> vks;
    bool operator==(const CombinationChoice&) const = default;
};

struct MacroChoice {
    int number = 0; // the keyboard's macro slot; one it lacks is refused
    bool operator==(const MacroChoice&) const = default;
};

struct FunctionChoice {
    std::u16string name; // a function catalogue name
    bool operator==(const FunctionChoice&) const = default;
};

// In the order of the dialog's advanced rows and of the assignment types they store as.
enum class HostActionKind : std::uint8_t { PlaySound, StartProgram, OpenFile, OpenFolder };
inline constexpr int kHostActionKinds = 4;

struct HostActionChoice {
    HostActionKind kind = HostActionKind::PlaySound;
    std::u16string path; // refused when it does not fit the entry
    bool operator==(const HostActionChoice&) const = default;
};

using KeyChoice = std::variant<RestoreKey, SingleKeyChoice, CombinationChoice, MacroChoice,
                               FunctionChoice, HostActionChoice>;

// The key dialog's own state: the key it edits and the user's answer.
struct KeyEdit {
    std::uint8_t position = 0;
    std::uint8_t keyCode = 0; // VK of position
    // None keeps the key's assignment as it is; the disable switch still applies.
    std::optional<KeyChoice> choice;
    bool keyEnabled = true; // the dialog's disable switch is off
};

} // namespace talvex
