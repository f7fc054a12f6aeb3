#include "profiles/profile_document_build.h"

#include "keys/factory_configuration.h"
#include "keys/function_catalogue.h"
#include "keys/key_name_table.h"
#include "keys/key_position_names.h"
#include "keys/key_positions.h"
#include "keys/key_slot.h"
#include "keys/keymap_file.h"
#include "macros/macro_event.h"
#include "platform/utf16.h"
#include "profiles/profile_document.h"
#include "profiles/profile_document_fields.h"

#include <algorithm>
#include <memory>
#include <set>

namespace talvex::profile_document {

namespace {

std::string in(const std::string& parent, std::string_view key) {
    return parent + "." + std::string(key);
}

std::string at(const std::string& parent, std::size_t index) {
    return parent + "[" + std::to_string(index) + "]";
}

// An object whose fields are all among `allowed`: a misspelt name is an error, not ignored.
const Json& object(const Json& value, const std::string& field,
                   std::initializer_list<std::string_view> allowed) {
    if (!value.is_object())
        throw DocumentError(field, "must be an object");
    for (const auto& [key, member] : value.items())
        if (std::find(allowed.begin(), allowed.end(), key) == allowed.end())
            throw DocumentError(in(field, key), "is not a field this version knows");
    return value;
}

const Json& array(const Json& value, const std::string& field) {
    if (!value.is_array())
        throw DocumentError(field, "must be a list");
    return value;
}

const std::string& text(const Json& value, const std::string& field) {
    if (!value.is_string())
        throw DocumentError(field, "must be a text");
    return value.get_ref<const std::string&>();
}

unsigned number(const Json& value, const std::string& field, unsigned low, unsigned high) {
    const bool whole = value.is_number_integer() || value.is_number_unsigned();
    if (!whole || value.get<long long>() < low || value.get<long long>() > high)
        throw DocumentError(field, "must be a whole number from " + std::to_string(low) + " to " +
                                       std::to_string(high));
    return value.get<unsigned>();
}

bool flag(const Json& value, const std::string& field) {
    if (!value.is_boolean())
        throw DocumentError(field, "must be true or false");
    return value.get<bool>();
}

// A VK by its name or its number.
std::uint8_t vkValue(const Json& value, const std::string& field) {
    if (value.is_string()) {
        if (const auto vk = vkOfName(text(value, field)))
            return *vk;
        throw DocumentError(field, "names no key: " + text(value, field));
    }
    return static_cast<std::uint8_t>(number(value, field, 0, 255));
}

std::uint8_t settingValue(const SettingField& setting, const Json& value,
                          const std::string& field) {
    if (setting.flag && value.is_boolean())
        return value.get<bool>() ? 1 : 0;
    if (value.is_string()) {
        for (const NamedValue& named : setting.names)
            if (named.name == text(value, field))
                return named.value;
        throw DocumentError(field, "is not one of its names: " + text(value, field));
    }
    const auto scale = static_cast<unsigned>(setting.scale);
    const unsigned n = number(value, field, 0, 255 * scale);
    if (n % scale != 0)
        throw DocumentError(field, "must be a multiple of " + std::to_string(scale));
    return static_cast<std::uint8_t>(n / scale);
}

void applySettings(const Json& settings, DeviceSettings& s) {
    const std::string field = "settings";
    object(settings, field,
           {"effect", "speed", "brightness", "colour", "direction", "palette", "gameMode",
            "winLock", "responseTimeMs", "reportRate"});
    for (const SettingField& setting : settingFields())
        if (settings.contains(setting.key))
            s.*setting.member =
                settingValue(setting, settings[setting.key], in(field, setting.key));
    if (!settings.contains("palette"))
        return;
    const Json& palette = array(settings["palette"], in(field, "palette"));
    if (palette.size() != kPaletteSlotCount)
        throw DocumentError(in(field, "palette"), "must hold 7 colours");
    for (std::size_t i = 0; i < kPaletteSlotCount; ++i) {
        const std::string colourField = at(in(field, "palette"), i);
        if (!parseColour(text(palette[i], colourField), &s.palette[3 * i]))
            throw DocumentError(colourField, "must be a colour #RRGGBB");
    }
}

HostActionChoice hostAction(std::uint8_t type, const Json& entry, const std::string& field) {
    HostActionChoice choice;
    choice.kind = static_cast<HostActionKind>(type - static_cast<int>(AssignmentType::PlaySound));
    if (entry.contains("path") == entry.contains("pathHex"))
        throw DocumentError(in(field, "path"), "give the path, or its UTF-16LE bytes as pathHex");
    if (entry.contains("path")) {
        choice.path = utf8ToUtf16(text(entry["path"], in(field, "path")));
        return choice;
    }
    const auto bytes = parseHex(text(entry["pathHex"], in(field, "pathHex")));
    if (!bytes || bytes->size() % 2 != 0)
        throw DocumentError(in(field, "pathHex"), "must be UTF-16LE units in hex");
    for (std::size_t i = 0; i < bytes->size(); i += 2)
        choice.path += static_cast<char16_t>((*bytes)[i] | ((*bytes)[i + 1] << 8));
    return choice;
}

// The choice that the key's "kind" and its value stand for.
KeyChoice keyChoice(std::uint8_t type, const Json& entry, const std::string& field,
                    const std::string& valueField) {
    const auto value = [&](const char* name) -> const Json& {
        if (!entry.contains(name))
            throw DocumentError(in(field, name), "is needed for this kind");
        return entry[name];
    };
    switch (static_cast<AssignmentType>(type)) {
    case AssignmentType::SingleKey:
        return SingleKeyChoice{vkValue(value("key"), valueField)};
    case AssignmentType::Combination: {
        CombinationChoice combination;
        const Json& keys = array(value("keys"), valueField);
        if (keys.empty() || keys.size() > kAssignmentDataSize)
            throw DocumentError(valueField, "must hold 1 to 255 keys");
        for (std::size_t i = 0; i < keys.size(); ++i)
            combination.vks.push_back(vkValue(keys[i], at(valueField, i)));
        return combination;
    }
    case AssignmentType::MacroKey:
        return MacroChoice{static_cast<int>(number(value("macro"), valueField, 0, 255))};
    case AssignmentType::Function: {
        FunctionChoice function{utf8ToUtf16(text(value("function"), valueField))};
        if (!findFunction(function.name))
            throw DocumentError(valueField,
                                "names no function: " + text(entry["function"], valueField));
        return function;
    }
    default:
        return hostAction(type, entry, field);
    }
}

const char* valueName(std::uint8_t type) {
    static constexpr const char* kValues[] = {"key", "keys", "macro", "function"};
    return type < std::size(kValues) ? kValues[type] : "path";
}

void applyMacroSlot(const Json& macro, const std::string& field, DeviceSettings& s,
                    std::set<unsigned>& seen) {
    object(macro, field, {"slot", "loops", "events"});
    if (!macro.contains("slot"))
        throw DocumentError(in(field, "slot"), "is needed");
    const unsigned slot = number(macro["slot"], in(field, "slot"), 0, kMacroSlotCount - 1);
    if (!seen.insert(slot).second)
        throw DocumentError(in(field, "slot"), "is given twice");
    const auto bytes = s.macroSlot(slot);
    const unsigned loops =
        macro.contains("loops") ? number(macro["loops"], in(field, "loops"), 0, 65535) : 1;
    bytes[0] = static_cast<std::uint8_t>(loops >> 8);
    bytes[1] = static_cast<std::uint8_t>(loops & 0xFF);
    if (!macro.contains("events"))
        return;
    const std::string eventsField = in(field, "events");
    const Json& events = array(macro["events"], eventsField);
    std::size_t offset = 2;
    for (std::size_t i = 0; i < events.size(); ++i) {
        const std::string eventField = at(eventsField, i);
        const Json& event = object(events[i], eventField, {"down", "up", "delay"});
        if (event.contains("down") == event.contains("up"))
            throw DocumentError(eventField, "must be either down or up");
        const bool release = event.contains("up");
        const std::string codeField = in(eventField, release ? "up" : "down");
        const Json& codeValue = event[release ? "up" : "down"];
        std::uint8_t code = 0;
        if (codeValue.is_string()) {
            const auto named = deviceCodeOfName(text(codeValue, codeField));
            if (!named)
                throw DocumentError(codeField, "names no key the keyboard can send");
            code = *named;
        } else {
            code = static_cast<std::uint8_t>(number(codeValue, codeField, 1, 255));
        }
        const unsigned delay = event.contains("delay")
                                   ? number(event["delay"], in(eventField, "delay"), 0, 65535)
                                   : kNoDelayCode;
        const bool extended = delay >= kExtendedDelayCode;
        if (offset + (extended ? 4 : 2) > kMacroSlotSize)
            throw DocumentError(eventsField, "do not fit the slot's 190 bytes");
        const std::uint8_t delayByte =
            extended ? kExtendedDelayCode : static_cast<std::uint8_t>(delay);
        bytes[offset++] = static_cast<std::uint8_t>((release ? kReleaseBit : 0) | delayByte);
        bytes[offset++] = code;
        if (extended) {
            bytes[offset++] = static_cast<std::uint8_t>(delay >> 8);
            bytes[offset++] = static_cast<std::uint8_t>(delay & 0xFF);
        }
    }
}

void applyLayout(const Json& layout, const std::string& field, DeviceSettings& s) {
    object(layout, field, {"layout", "colours"});
    if (!layout.contains("layout"))
        throw DocumentError(in(field, "layout"), "is needed");
    const unsigned n = number(layout["layout"], in(field, "layout"), 1, kCustomLayoutCount);
    if (!layout.contains("colours"))
        return;
    const std::string coloursField = in(field, "colours");
    const Json& colours = layout["colours"];
    if (!colours.is_object())
        throw DocumentError(coloursField, "must be an object");
    for (const auto& [name, colour] : colours.items()) {
        const auto position = positionOfName(name);
        if (!position)
            throw DocumentError(in(coloursField, name), "is not a key position");
        const std::size_t offset = 4u * keyPositions()[*position].matrixCell;
        s.customLayout(n - 1)[offset] = 0;
        if (!parseColour(text(colour, in(coloursField, name)), &s.customLayout(n - 1)[offset + 1]))
            throw DocumentError(in(coloursField, name), "must be a colour #RRGGBB");
    }
}

} // namespace

void applyKeyEntry(KeyAssignmentState& state, std::size_t position, const Json& entry,
                   const std::string& field, bool withEntries) {
    object(entry, field,
           {"kind", "key", "keys", "macro", "function", "path", "pathHex", "disabled", "slot"});
    if (entry.contains("kind")) {
        if (!withEntries)
            throw DocumentError(in(field, "kind"), "a settings image holds no assignments");
        const auto type = kindOfName(text(entry["kind"], in(field, "kind")));
        if (!type)
            throw DocumentError(in(field, "kind"), "is not a kind of assignment");
        const std::string valueField = in(field, valueName(*type));
        static const KeyNameTable names = buildKeyNameTable();
        switch (applyKeyAssignment(state, position, keyChoice(*type, entry, field, valueField),
                                   names, nullptr)) {
        case KeyApplyResult::Applied:
        case KeyApplyResult::InvalidPosition:
            break;
        case KeyApplyResult::PathRefused:
            throw DocumentError(valueField, "does not fit an entry's 255 UTF-16 units");
        case KeyApplyResult::MacroRefused:
            throw DocumentError(valueField, "names no macro slot of the keyboard (0 to 31)");
        case KeyApplyResult::KeyUnsendable:
            throw DocumentError(valueField, "holds a key the keyboard cannot send");
        }
    }
    if (entry.contains("disabled"))
        setKeyEnabledAt(state.workingSettings, position,
                        !flag(entry["disabled"], in(field, "disabled")));
    if (entry.contains("slot")) {
        const auto bytes = parseHex(text(entry["slot"], in(field, "slot")));
        if (!bytes || bytes->size() != kKeySlotSize)
            throw DocumentError(in(field, "slot"), "must be 4 bytes in hex");
        KeySlot slot;
        std::copy(bytes->begin(), bytes->end(), slot.bytes.begin());
        writeSlot(state.workingSettings, keyPositions()[position].matrixCell, slot);
    }
}

std::vector<std::uint8_t> buildNamedParts(const Json& document) {
    object(
        document, "document",
        {"format", "version", "fileSize", "settings", "keys", "macros", "layouts", "otherBytes"});
    if (document.contains("format") && text(document["format"], "format") != "kestrix-profile")
        throw DocumentError("format", "is not a Kestrix profile");
    if (!document.contains("version"))
        throw DocumentError("version", "is needed");
    if (!document["version"].is_number_integer() ||
        document["version"].get<long long>() != kProfileDocumentVersion)
        throw DocumentError("version", "is " + document["version"].dump() +
                                           "; this program reads version " +
                                           std::to_string(kProfileDocumentVersion));
    std::size_t size = kKeymapFileSize;
    if (document.contains("fileSize")) {
        size = number(document["fileSize"], "fileSize", 0, kKeymapFileSize);
        if (size != kDeviceSettingsSize && size != kKeymapFileSize)
            throw DocumentError("fileSize", "must be 10060 or 206920");
    }
    const bool withEntries = size == kKeymapFileSize;

    auto state = std::make_unique<KeyAssignmentState>();
    state->workingSettings = factorySettings();
    resetAssignments(state->assignments);
    if (document.contains("settings"))
        applySettings(document["settings"], state->workingSettings);
    if (document.contains("keys")) {
        const Json& keys = document["keys"];
        if (!keys.is_object())
            throw DocumentError("keys", "must be an object");
        for (const auto& [name, entry] : keys.items()) {
            const auto position = positionOfName(name);
            if (!position)
                throw DocumentError(in("keys", name), "is not a key position");
            applyKeyEntry(*state, *position, entry, in("keys", name), withEntries);
        }
    }
    std::set<unsigned> seenSlots;
    if (document.contains("macros")) {
        const Json& macros = array(document["macros"], "macros");
        for (std::size_t i = 0; i < macros.size(); ++i)
            applyMacroSlot(macros[i], at("macros", i), state->workingSettings, seenSlots);
    }
    if (document.contains("layouts")) {
        const Json& layouts = array(document["layouts"], "layouts");
        for (std::size_t i = 0; i < layouts.size(); ++i)
            applyLayout(layouts[i], at("layouts", i), state->workingSettings);
    }
    std::vector<std::uint8_t> bytes = keymapFileBytes(state->workingSettings, state->assignments);
    bytes.resize(size);
    return bytes;
}

} // namespace talvex::profile_document
