#include "profiles/profile_document.h"

#include "keys/factory_configuration.h"
#include "keys/function_catalogue.h"
#include "keys/key_name_table.h"
#include "keys/key_position_names.h"
#include "keys/key_positions.h"
#include "keys/key_reach.h"
#include "keys/key_slot.h"
#include "keys/keymap_file.h"
#include "macros/macro_event.h"
#include "platform/utf16.h"
#include "profiles/profile_document_build.h"
#include "profiles/profile_document_fields.h"

#include <algorithm>
#include <memory>

namespace talvex {

using namespace profile_document;

namespace {

// Equal bytes shorter than this between two differences join them into one run of otherBytes.
constexpr std::size_t kJoinGap = 8;

Json nameOr(std::optional<std::string_view> name, unsigned number) {
    return name ? Json(std::string(*name)) : Json(number);
}

Json settingsObject(const DeviceSettings& s) {
    Json settings = Json::object();
    for (const SettingField& field : settingFields()) {
        const std::uint8_t value = s.*field.member;
        if (field.flag && value <= 1) {
            settings[field.key] = value == 1;
            continue;
        }
        const auto named = std::find_if(field.names.begin(), field.names.end(),
                                        [&](const NamedValue& n) { return n.value == value; });
        settings[field.key] = named != field.names.end()
                                  ? Json(std::string(named->name))
                                  : Json(static_cast<unsigned>(value) * field.scale);
    }
    Json palette = Json::array();
    for (std::size_t i = 0; i < kPaletteSlotCount; ++i)
        palette.push_back(colourText(&s.palette[3 * i]));
    settings["palette"] = palette;
    return settings;
}

// The entry's assignment as "kind" and its value, when the reader can make the same entry of
// them; otherwise nothing, and the entry's bytes go to otherBytes.
void describeAssignment(const KeyAssignment& entry, Json& key) {
    static const KeyNameTable names = buildKeyNameTable();
    const auto sendable = [&](std::uint8_t vk) {
        return keyReach(names, vk) == KeyReach::Sendable;
    };
    const auto keyName = [](std::uint8_t vk) { return nameOr(vkName(vk), vk); };
    const auto type = static_cast<AssignmentType>(entry.type);
    if (type == AssignmentType::SingleKey && entry.keyCount > 0 && sendable(entry.data[0])) {
        key["kind"] = "key";
        key["key"] = keyName(entry.data[0]);
    } else if (type == AssignmentType::Combination && entry.keyCount > 0) {
        const auto vks = std::span(entry.data).first(std::min<std::size_t>(entry.keyCount, 255));
        if (!std::all_of(vks.begin(), vks.end(), sendable))
            return;
        key["kind"] = "combination";
        key["keys"] = Json::array();
        for (std::uint8_t vk : vks)
            key["keys"].push_back(keyName(vk));
    } else if (type == AssignmentType::MacroKey && entry.data[2] < kMacroSlotCount) {
        key["kind"] = "macro";
        key["macro"] = entry.data[2];
    } else if (type == AssignmentType::Function) {
        const auto name = functionNameOfSlot(
            KeySlot{{entry.data[0], entry.data[1], entry.data[2], entry.data[3]}});
        if (name.empty())
            return;
        key["kind"] = "function";
        key["function"] = utf16ToUtf8(name);
    } else if (isHostActionType(entry.type)) {
        const std::u16string path = entry.pathText();
        if (!isStorableActionPath(path))
            return;
        key["kind"] = std::string(*kindName(entry.type));
        if (utf8ToUtf16(utf16ToUtf8(path)) == path) {
            key["path"] = utf16ToUtf8(path);
        } else {
            std::vector<std::uint8_t> units;
            for (char16_t unit : path) {
                units.push_back(static_cast<std::uint8_t>(unit & 0xFF));
                units.push_back(static_cast<std::uint8_t>(unit >> 8));
            }
            key["pathHex"] = hexText(units);
        }
    }
}

Json keysObject(const DeviceSettings& s, const KeyAssignments* entries) {
    Json keys = Json::object();
    auto baseline = std::make_unique<KeyAssignmentState>();
    for (std::size_t p = 0; p < kKeyPositionCount; ++p) {
        Json key = Json::object();
        if (entries)
            describeAssignment((*entries)[p], key);
        if (!keyEnabledAt(s, p))
            key["disabled"] = true;
        // The slot is listed only where it is not what the assignment writes.
        baseline->workingSettings = factorySettings();
        resetAssignments(baseline->assignments);
        const std::string field = "keys." + std::string(positionName(p));
        applyKeyEntry(*baseline, p, key, field, entries != nullptr);
        const std::size_t cell = keyPositions()[p].matrixCell;
        if (readSlot(baseline->workingSettings, cell) != readSlot(s, cell))
            key["slot"] = hexText(readSlot(s, cell).bytes);
        if (!key.empty())
            keys[std::string(positionName(p))] = key;
    }
    return keys;
}

Json macroEvents(std::span<const std::uint8_t> sequence) {
    Json events = Json::array();
    for (std::size_t offset = 0; offset + 2 <= sequence.size();) {
        const std::uint8_t flagByte = sequence[offset];
        const std::uint8_t code = sequence[offset + 1];
        if (code == 0 || offset + eventSize(flagByte) > sequence.size())
            break;
        Json event = Json::object();
        event[isRelease(flagByte) ? "up" : "down"] = nameOr(deviceCodeName(code), code);
        if (delayCode(flagByte) != kNoDelayCode)
            event["delay"] = delayCode(flagByte) == kExtendedDelayCode
                                 ? (sequence[offset + 2] << 8) | sequence[offset + 3]
                                 : delayCode(flagByte);
        events.push_back(event);
        offset += eventSize(flagByte);
    }
    return events;
}

Json macrosArray(const DeviceSettings& s) {
    Json macros = Json::array();
    for (std::size_t n = 0; n < kMacroSlotCount; ++n) {
        const auto slot = s.macroSlot(n);
        if (std::all_of(slot.begin(), slot.end(), [](std::uint8_t b) { return b == 0; }))
            continue;
        Json macro = Json::object();
        macro["slot"] = n;
        macro["loops"] = (slot[0] << 8) | slot[1];
        macro["events"] = macroEvents(slot.subspan(2));
        macros.push_back(macro);
    }
    return macros;
}

Json layoutsArray(const DeviceSettings& s) {
    Json layouts = Json::array();
    for (std::size_t n = 0; n < kCustomLayoutCount; ++n) {
        Json colours = Json::object();
        for (std::size_t p = 0; p < kKeyPositionCount; ++p) {
            const std::uint8_t* rgb = &s.customLayout(n)[4u * keyPositions()[p].matrixCell + 1];
            if (rgb[0] || rgb[1] || rgb[2])
                colours[std::string(positionName(p))] = colourText(rgb);
        }
        if (colours.empty())
            continue;
        Json layout = Json::object();
        layout["layout"] = n + 1;
        layout["colours"] = colours;
        layouts.push_back(layout);
    }
    return layouts;
}

// The runs of the file that the named parts do not give back.
Json otherBytes(std::span<const std::uint8_t> file, std::span<const std::uint8_t> named) {
    Json runs = Json::array();
    std::size_t i = 0;
    while (i < file.size()) {
        if (file[i] == named[i]) {
            ++i;
            continue;
        }
        std::size_t end = i + 1;
        for (std::size_t equal = 0; end < file.size() && equal < kJoinGap; ++end)
            equal = file[end] == named[end] ? equal + 1 : 0;
        while (file[end - 1] == named[end - 1])
            --end;
        Json run = Json::object();
        run["offset"] = i;
        run["hex"] = hexText(file.subspan(i, end - i));
        runs.push_back(run);
        i = end;
    }
    return runs;
}

} // namespace

std::string profileDocument(std::span<const std::uint8_t> fileBytes) {
    DeviceSettings s = zeroSettings();
    settingsFromBytes(fileBytes, s);
    std::unique_ptr<KeyAssignments> entries;
    if (fileBytes.size() >= kKeymapFileSize) {
        entries = std::make_unique<KeyAssignments>();
        const auto part = fileBytes.subspan(kDeviceSettingsSize, kAssignmentsSize);
        std::copy(part.begin(), part.end(), entries->bytes().begin());
    }
    Json document = Json::object();
    document["format"] = "kestrix-profile";
    document["version"] = kProfileDocumentVersion;
    document["fileSize"] = fileBytes.size();
    document["settings"] = settingsObject(s);
    document["keys"] = keysObject(s, entries.get());
    document["macros"] = macrosArray(s);
    document["layouts"] = layoutsArray(s);
    document["otherBytes"] = otherBytes(fileBytes, buildNamedParts(document));
    return document.dump(2) + "\n";
}

bool startsLikeProfileDocument(std::span<const std::uint8_t> content) {
    return !content.empty() && content[0] == '{';
}

} // namespace talvex
