#pragma once
// The names a profile document gives to values, shared by the writer and the reader so that
// both read the same table.

#include "device/device_settings.h"
#include "keys/key_assignment.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace talvex::profile_document {

struct NamedValue {
    std::uint8_t value;
    std::string_view name;
};

// One setting of the "settings" object. A value with a name is written by name, a flag as true
// or false, any other as a number (times `scale`, for values the user knows in other units).
struct SettingField {
    std::string_view key;
    std::uint8_t DeviceSettings::*member;
    std::string_view checkName; // what the configuration check calls the field
    std::span<const NamedValue> names;
    bool flag = false;
    int scale = 1;
};

std::span<const SettingField> settingFields();

// The assignment kinds by entry type: "key" for type 0 with a captured key, "combination", ...
std::optional<std::string_view> kindName(std::uint8_t type);
std::optional<std::uint8_t> kindOfName(std::string_view name);

// "#RRGGBB" with capitals, and back (either case).
std::string colourText(const std::uint8_t* rgb);
bool parseColour(std::string_view text, std::uint8_t* rgb);

// Lower-case hex without separators, and back.
std::string hexText(std::span<const std::uint8_t> bytes);
std::optional<std::vector<std::uint8_t>> parseHex(std::string_view text);

// The name of a device code in a macro event: the key that sends it, or the mouse button.
std::optional<std::string_view> deviceCodeName(std::uint8_t code);
std::optional<std::uint8_t> deviceCodeOfName(std::string_view name);

// The document field a configuration check names: "lightBrightness" -> "settings.brightness",
// "keyTable[30]" and "assignments[12].type" -> "keys.<position name>".
std::string documentField(const std::string& checkField);

inline constexpr std::size_t kMacroSequenceBytes = kMacroSlotSize - 2;

} // namespace talvex::profile_document
