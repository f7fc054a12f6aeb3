#include "profiles/profile_document_fields.h"

#include "platform/hex_digit.h"

#include "keys/key_name_table.h"
#include "keys/key_position_names.h"
#include "keys/key_positions.h"

#include <array>
#include <cstdio>

namespace talvex::profile_document {

namespace {

// Stable names of what the effects look like; the window's captions are translated, these never.
constexpr NamedValue kEffects[] = {
    {1, "static"},   {2, "breathing"}, {3, "wave"},     {4, "reactive"},
    {5, "snake"},    {6, "ripple"},    {8, "neon"},     {10, "raindrop"},
    {11, "ring"},    {12, "converge"}, {13, "radar"},   {51, "custom1"},
    {52, "custom2"}, {53, "custom3"},  {54, "custom4"}, {55, "custom5"}};
constexpr NamedValue kColours[] = {{1, "palette1"}, {2, "palette2"}, {3, "palette3"},
                                   {4, "palette4"}, {5, "palette5"}, {6, "palette6"},
                                   {7, "palette7"}, {8, "all"}};
constexpr NamedValue kDirections[] = {{1, "left"}, {2, "right"}, {3, "top"}, {4, "bottom"}};

constexpr SettingField kSettings[] = {
    {"effect", &DeviceSettings::lightEffect, "lightEffect", kEffects},
    {"speed", &DeviceSettings::lightSpeed, "lightSpeed", {}},
    {"brightness", &DeviceSettings::lightBrightness, "lightBrightness", {}},
    {"colour", &DeviceSettings::lightColour, "lightColour", kColours},
    {"direction", &DeviceSettings::lightDirection, "lightDirection", kDirections},
    {"gameMode", &DeviceSettings::gameMode, "gameMode", {}, true},
    {"winLock", &DeviceSettings::winLock, "winLock", {}, true},
    {"responseTimeMs", &DeviceSettings::responseTime, "responseTime", {}, false, 2},
    {"reportRate", &DeviceSettings::reportInterval, "reportInterval", {}},
};

constexpr std::array<std::string_view, 8> kKinds = {"key",   "combination", "macro", "function",
                                                    "sound", "program",     "file",  "folder"};

const KeyNameTable& keyNames() {
    static const KeyNameTable names = buildKeyNameTable();
    return names;
}

std::optional<std::size_t> positionOfCell(std::size_t cell) {
    for (std::size_t p = 0; p < kKeyPositionCount; ++p)
        if (keyPositions()[p].matrixCell == cell)
            return p;
    return std::nullopt;
}

} // namespace

std::span<const SettingField> settingFields() {
    return kSettings;
}

std::optional<std::string_view> kindName(std::uint8_t type) {
    if (type < kKinds.size())
        return kKinds[type];
    return std::nullopt;
}

std::optional<std::uint8_t> kindOfName(std::string_view name) {
    for (std::size_t i = 0; i < kKinds.size(); ++i)
        if (kKinds[i] == name)
            return static_cast<std::uint8_t>(i);
    return std::nullopt;
}

std::string colourText(const std::uint8_t* rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", rgb[0], rgb[1], rgb[2]);
    return text;
}

bool parseColour(std::string_view text, std::uint8_t* rgb) {
    if (text.size() != 7 || text[0] != '#')
        return false;
    const auto bytes = parseHex(text.substr(1));
    if (!bytes)
        return false;
    std::copy(bytes->begin(), bytes->end(), rgb);
    return true;
}

std::string hexText(std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(2 * bytes.size());
    for (std::uint8_t b : bytes) {
        text += kDigits[b >> 4];
        text += kDigits[b & 15];
    }
    return text;
}

std::optional<std::vector<std::uint8_t>> parseHex(std::string_view text) {
    if (text.size() % 2 != 0)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(text.size() / 2);
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = hexDigitValue(text[i]);
        const int low = hexDigitValue(text[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes.push_back(static_cast<std::uint8_t>(high * 16 + low));
    }
    return bytes;
}

std::optional<std::string_view> deviceCodeName(std::uint8_t code) {
    if (code == 0)
        return std::nullopt;
    for (std::size_t p = 0; p < kKeyPositionCount; ++p) {
        const std::uint8_t vk = keyPositions()[p].vk;
        if (p != kFnPosition && keyNames().deviceCode(vk) == code)
            return vkName(vk);
    }
    for (int vk = 0; vk < 256; ++vk)
        if (keyNames().deviceCode(static_cast<std::uint8_t>(vk)) == code)
            if (const auto name = vkName(static_cast<std::uint8_t>(vk)))
                return name;
    return std::nullopt;
}

std::optional<std::uint8_t> deviceCodeOfName(std::string_view name) {
    const auto vk = vkOfName(name);
    if (!vk || keyNames().deviceCode(*vk) == 0)
        return std::nullopt;
    return keyNames().deviceCode(*vk);
}

std::string documentField(const std::string& checkField) {
    for (const SettingField& field : kSettings)
        if (checkField == field.checkName)
            return "settings." + std::string(field.key);
    std::size_t index = 0;
    if (std::sscanf(checkField.c_str(), "keyTable[%zu]", &index) == 1)
        if (const auto position = positionOfCell(index))
            return "keys." + std::string(positionName(*position));
    if (std::sscanf(checkField.c_str(), "assignments[%zu]", &index) == 1 &&
        index < kKeyPositionCount)
        return "keys." + std::string(positionName(index));
    return checkField;
}

} // namespace talvex::profile_document
