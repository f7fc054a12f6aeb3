// Profile documents: every kind of profile comes back byte for byte, what can be named is named,
// and a bad document is refused at its first bad field.

#include "hostile_files.h"
#include "keys/factory_configuration.h"
#include "keys/key_assignment_store.h"
#include "keys/key_position_names.h"
#include "keys/keymap_file.h"
#include "profiles/profile_document.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <memory>

namespace talvex {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Json = nlohmann::json;

std::size_t position(std::string_view name) {
    return positionOfName(name).value();
}

// A profile a user could have made: lighting, every kind of assignment, a disabled key, a
// macro, a custom layout.
Bytes realLookingProfile() {
    auto state = std::make_unique<KeyAssignmentState>();
    state->workingSettings = factorySettings();
    resetAssignments(state->assignments);
    DeviceSettings& s = state->workingSettings;
    s.lightEffect = 53;
    s.lightBrightness = 30;
    s.responseTime = 4;
    s.palette[4] = 0x12;
    const KeyNameTable names = buildKeyNameTable();
    const std::pair<const char*, KeyChoice> choices[] = {
        {"KeyA", SingleKeyChoice{'B'}},
        {"CapsLock", CombinationChoice{{162, 'C'}}},
        {"F1", MacroChoice{3}},
        {"F2", FunctionChoice{u"静音"}},
        {"F3", HostActionChoice{HostActionKind::StartProgram, u"/usr/bin/gimp"}},
        {"F4", HostActionChoice{HostActionKind::OpenFolder, u"/home/ü/文档"}},
        {"F5", HostActionChoice{HostActionKind::OpenFile, u"/tmp/\xD800odd"}},
        {"F6", HostActionChoice{HostActionKind::PlaySound, u"/s.wav"}},
    };
    for (const auto& [key, choice] : choices)
        EXPECT_EQ(applyKeyAssignment(*state, position(key), choice, names, nullptr),
                  KeyApplyResult::Applied);
    setKeyEnabledAt(s, position("MetaLeft"), false);
    const Bytes slot = {2, 0, 7, 0}; // the F7 key turned Fn by hand
    std::copy(slot.begin(), slot.end(), s.keyTable.begin() + 4 * 8 * 6 + 20);
    const Bytes macro = {0,    2,    0x01, 4,    0x81, 4,    0x7F, 0xF0,
                         0x01, 0x2C, 0x00, 0xF3, 0xFF, 0xF0, 3,    0xE8};
    std::copy(macro.begin(), macro.end(), s.macroSlot(3).begin());
    s.customLayout(2)[4 * 5 + 1] = 0xAB;
    return keymapFileBytes(s, state->assignments);
}

Bytes withBytes(Bytes file, std::size_t at, const Bytes& bytes) {
    std::copy(bytes.begin(), bytes.end(), file.begin() + static_cast<std::ptrdiff_t>(at));
    return file;
}

Bytes backFromDocument(const Bytes& file) {
    return profileFromDocument(profileDocument(file)).fileBytes;
}

TEST(ProfileDocument, EveryProfileComesBackByteForByte) {
    const Bytes real = realLookingProfile();
    const struct {
        const char* what;
        Bytes file;
    } rows[] = {
        {"factory", factoryConfigurationBytes()},
        {"real-looking", real},
        {"settings image", Bytes(real.begin(), real.begin() + kDeviceSettingsSize)},
        {"zeros", Bytes(kKeymapFileSize, 0)},
        {"reserved and entry 200",
         withBytes(withBytes(real, 3, {9, 9}), kDeviceSettingsSize + 200 * 772, {1, 2, 3})},
        {"extended delay of 5 ms", withBytes(real, 1304 + 3 * 192 + 8, {0x7F, 0x04, 0, 5})},
        {"random", testing::randomBytes(kKeymapFileSize, 7)},
        {"random image", testing::randomBytes(kDeviceSettingsSize, 8)},
    };
    for (const auto& row : rows)
        EXPECT_EQ(backFromDocument(row.file), row.file) << row.what;
}

TEST(ProfileDocument, NamesWhatItCanAndLeavesOtherBytesEmptyForARealProfile) {
    const Json document = Json::parse(profileDocument(realLookingProfile()));
    EXPECT_EQ(document["otherBytes"], Json::array());
    EXPECT_EQ(document["settings"]["effect"], "custom3");
    EXPECT_EQ(document["settings"]["responseTimeMs"], 8);
    EXPECT_EQ(document["settings"]["palette"][1], "#FF1200");
    const Json& keys = document["keys"];
    EXPECT_EQ(keys["KeyA"], Json::parse(R"({"kind": "key", "key": "KeyB"})"));
    EXPECT_EQ(keys["CapsLock"],
              Json::parse(R"({"kind": "combination", "keys": ["ControlLeft", "KeyC"]})"));
    EXPECT_EQ(keys["F1"]["macro"], 3);
    EXPECT_EQ(keys["F2"]["function"], "静音");
    EXPECT_EQ(keys["F4"], Json::parse(R"({"kind": "folder", "path": "/home/ü/文档"})"));
    EXPECT_EQ(keys["F5"]["pathHex"], "2f0074006d0070002f0000d86f0064006400");
    EXPECT_EQ(keys["MetaLeft"], Json::parse(R"({"disabled": true})"));
    EXPECT_EQ(keys["F7"], Json::parse(R"({"slot": "02000700"})"));
    EXPECT_EQ(document["macros"][0]["events"],
              Json::parse(R"([{"down": "KeyA"}, {"up": "KeyA"}, {"down": "MouseLeft", "delay": 300},
                              {"down": 243, "delay": 0}, {"up": "MouseLeft", "delay": 1000}])"));
    EXPECT_EQ(document["layouts"][0],
              Json::parse(R"({"layout": 3, "colours": {"Escape": "#AB0000"}})"));
}

TEST(ProfileDocument, ABadDocumentIsRefusedAtItsFirstBadField) {
    const struct {
        const char* document;
        const char* field;
        bool overridable;
    } rows[] = {
        {R"({"version": 2})", "version", false},
        {R"({"settings": {}})", "version", false},
        {R"({"version": 1, "settings": {"brightness": 300}})", "settings.brightness", false},
        {R"({"version": 1, "settings": {"brightness": 60}})", "settings.brightness", true},
        {R"({"version": 1, "settings": {"effect": "sparkle"}})", "settings.effect", false},
        {R"({"version": 1, "settings": {"responseTimeMs": 3}})", "settings.responseTimeMs", false},
        {R"({"version": 1, "settings": {"palette": ["#000000"]}})", "settings.palette", false},
        {R"({"version": 1, "setting": {}})", "document.setting", false},
        {R"({"version": 1, "fileSize": 10060, "keys": {"KeyA": {"kind": "macro", "macro": 1}}})",
         "keys.KeyA.kind", false},
        {R"({"version": 1, "keys": {"KeyZZ": {}}})", "keys.KeyZZ", false},
        {R"({"version": 1, "keys": {"KeyA": {"kind": "teleport"}}})", "keys.KeyA.kind", false},
        {R"({"version": 1, "keys": {"KeyA": {"kind": "macro", "macro": 40}}})", "keys.KeyA.macro",
         false},
        {R"({"version": 1, "keys": {"KeyA": {"kind": "key", "key": 226}}})", "keys.KeyA.key",
         false},
        {R"({"version": 1, "keys": {"KeyA": {"kind": "function", "function": "x"}}})",
         "keys.KeyA.function", false},
        {R"({"version": 1, "keys": {"KeyA": {"slot": "09000000"}}})", "keys.KeyA", false},
        {R"({"version": 1, "macros": [{"slot": 1, "events": [{"delay": 5}]}]})",
         "macros[0].events[0]", false},
        {R"({"version": 1, "layouts": [{"layout": 6}]})", "layouts[0].layout", false},
        {R"({"version": 1, "otherBytes": [{"offset": 206919, "hex": "0102"}]})", "otherBytes[0]",
         false},
        {R"({"version": 1, )", "document", false},
    };
    for (const auto& row : rows) {
        const ProfileFromDocument built = profileFromDocument(row.document);
        ASSERT_TRUE(built.problem) << row.document;
        EXPECT_EQ(built.problem->field, row.field)
            << row.document << ": " << built.problem->message;
        EXPECT_EQ(built.problem->overridable, row.overridable) << row.document;
    }
}

} // namespace
} // namespace talvex
