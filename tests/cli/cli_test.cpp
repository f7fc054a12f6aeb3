#include "cli_fixture.h"
#include "device/device_settings.h"
#include "keys/keymap_file.h"
#include "platform/file_io.h"
#include "simulator/simulated_keyboard.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <unistd.h>

namespace talvex {
namespace {

using testing::Cli;
namespace fs = std::filesystem;

TEST_F(Cli, InfoTracesTheDeviceInformationExchange) {
    ASSERT_EQ(run({"--simulate", "--trace=-", "info"}), 0) << err;
    const auto l = lines(out);
    ASSERT_GE(l.size(), 6u);
    EXPECT_EQ(l[0], "EVENT-CHANNEL only-candidate sim:hid#vid_04d9&pid_a129&mi_03&col04#kestrix");
    EXPECT_EQ(l[1], "SET 00 80 00 00 00 00 00 00 7f");
    EXPECT_EQ(l[2], "PAUSE 10");
    EXPECT_EQ(l[3].rfind("GET 00 80 01 03", 0), 0u);
    EXPECT_EQ(l[4], "PAUSE 10");
    EXPECT_EQ(l[5], "Kestrix keyboard, firmware version 1.3");
}

TEST_F(Cli, NoKeyboardIsSaidPlainlyWithExitOne) {
    EXPECT_EQ(run({"--simulate", "--simulate-fault=unplug:0", "set", "speed=1"}), 1);
    EXPECT_EQ(err, "kestrix-cli: no Kestrix keyboard is attached\n");
    EXPECT_EQ(out, "");
}

TEST_F(Cli, BadArgumentsPrintUsageAndExitTwo) {
    EXPECT_EQ(run({}), 2);
    EXPECT_NE(err.find("usage: kestrix-cli"), std::string::npos);
    EXPECT_EQ(run({"--simulate", "frobnicate"}), 2);
    EXPECT_NE(err.find("unknown command frobnicate"), std::string::npos);
    EXPECT_EQ(run({"--bogus", "info"}), 2);
    EXPECT_EQ(run({"--simulate-fault=sometimes", "info"}), 2);
    EXPECT_EQ(run({"--simulate", "info", "extra"}), 2);
    EXPECT_EQ(run({"--simulate", "--", "info", "--json"}), 2); // an argument, not an option
    // Options that would change nothing for the command are said, not passed over.
    EXPECT_EQ(run({"--simulate", "--format=json", "info"}), 2);
    EXPECT_NE(err.find("--format is for profile export"), std::string::npos);
    writeFile("plain", {1});
    EXPECT_EQ(run({"--data-folder=" + (dir / "plain").string(), "profile", "list"}), 2);
    EXPECT_NE(err.find("is not a folder"), std::string::npos);
}

TEST_F(Cli, BadSettingsSendAndWriteNothing) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"brightness=51"},
             {"speed=-1"},
             {"effect=7"},
             {"colour=9"},
             {"direction=up"},
             {"palette8=FF0000"},
             {"palette1=FF00"},
             {"response-time=3"},
             {"game-mode=yes"},
             {"volume=3"},
             {"brightness"},
             {"speed=5", "report-rate=4"},
         }) {
        std::vector<std::string> full = {"--simulate=" + state, "set"};
        full.insert(full.end(), args.begin(), args.end());
        EXPECT_EQ(run(full), 2) << args.back();
        EXPECT_EQ(lines(err).size(), 1u) << err;
        EXPECT_FALSE(fs::exists(state)) << args.back();
    }
}

TEST_F(Cli, SetThenReadShowsTheNewValueInInspect) {
    ASSERT_EQ(
        run({"--simulate=" + state, "--trace=" + (dir / "t").string(), "set", "brightness=20"}), 0)
        << err;
    // After the read, only the two lighting stages go out.
    const auto trace = readFileBytes(dir / "t", 1 << 20);
    ASSERT_TRUE(trace);
    const auto sets = lines(std::string(trace->begin(), trace->end()), "SET 00 08");
    EXPECT_EQ(sets, (std::vector<std::string>{"SET 00 08 01 01 05 00 01 01 ee",
                                              "SET 00 08 02 01 05 14 01 01 d9"}));
    const std::string image = (dir / "img.bin").string();
    ASSERT_EQ(run({"--simulate=" + state, "read", image}), 0) << err;
    EXPECT_EQ(fs::file_size(image), kDeviceSettingsSize);
    ASSERT_EQ(run({"inspect", image}), 0) << err;
    EXPECT_NE(out.find("lightBrightness: 20 (0 to 50)"), std::string::npos) << out;
}

TEST_F(Cli, SetChangesEveryNamedValue) {
    ASSERT_EQ(run({"--simulate=" + state, "set", "effect=13", "speed=9", "colour=8",
                   "direction=bottom", "palette7=12ab3C", "game-mode=off", "win-lock=on",
                   "response-time=20", "report-rate=3"}),
              0)
        << err;
    const DeviceSettings s = stateImage();
    EXPECT_EQ(s.lightEffect, 13);
    EXPECT_EQ(s.lightSpeed, 9);
    EXPECT_EQ(s.lightColour, 8);
    EXPECT_EQ(s.lightDirection, 4);
    EXPECT_EQ(s.palette[18], 0x12);
    EXPECT_EQ(s.palette[19], 0xAB);
    EXPECT_EQ(s.palette[20], 0x3C);
    EXPECT_EQ(s.gameMode, 0);
    EXPECT_EQ(s.keyFlags[1], 0x3E); // the lock reaches the keyboard through the key flags
    EXPECT_EQ(s.responseTime, 10);
    EXPECT_EQ(s.reportInterval, 3);
}

TEST_F(Cli, ApplySendsOnlyWhatDiffersFromTheKeyboard) {
    DeviceSettings image = factorySettings();
    image.gameMode = 1; // as the read before the apply leaves it
    image.customLayout(2)[4 * 30 + 3] = 0x80;
    const auto bytes = image.bytes();
    writeFile("image.bin", {bytes.begin(), bytes.end()});
    ASSERT_EQ(run({"--simulate=" + state, "--trace=" + (dir / "t").string(), "apply",
                   (dir / "image.bin").string()}),
              0)
        << err;
    const auto trace = readFileBytes(dir / "t", 1 << 20);
    const auto text = std::string(trace->begin(), trace->end());
    const auto afterRead = text.substr(text.rfind("SET 00 08 01"));
    EXPECT_EQ(lines(afterRead, "SET").size(), 3u);
    EXPECT_EQ(lines(afterRead, "SET 00 12 00 02 08").size(), 1u);
    EXPECT_EQ(lines(afterRead, "WRITE").size(), 8u);
    EXPECT_EQ(stateImage().customLayout(2)[4 * 30 + 3], 0x80);

    // A keymap.bin carries the same image in its first 10060 bytes; nothing differs now.
    std::vector<std::uint8_t> keymap(bytes.begin(), bytes.end());
    keymap.resize(kKeymapFileSize, 0);
    writeFile("keymap.bin", keymap);
    ASSERT_EQ(run({"--simulate=" + state, "apply", (dir / "keymap.bin").string()}), 0) << err;
    EXPECT_EQ(out, "nothing to change\n");
}

TEST_F(Cli, ApplyRefusesFilesOfTheWrongSizeOrMissing) {
    writeFile("short.bin", std::vector<std::uint8_t>(100));
    EXPECT_EQ(run({"--simulate=" + state, "apply", (dir / "short.bin").string()}), 2);
    EXPECT_NE(err.find("is 100 bytes"), std::string::npos);
    EXPECT_EQ(run({"--simulate=" + state, "apply", (dir / "none.bin").string()}), 2);
    EXPECT_NE(err.find("does not exist"), std::string::npos);
    EXPECT_FALSE(fs::exists(state));
}

TEST_F(Cli, ApplyThatGivesUpSaysWhichStepAndExitsThree) {
    // Write step 1 is the read's game-mode-on request, step 2 the lighting's stage 1, step 3
    // the key table.
    DeviceSettings image = factorySettings();
    image.gameMode = 1;
    image.keyTable[2] = 0x05; // the key of cell 0 now types B
    const auto bytes = image.bytes();
    writeFile("image.bin", {bytes.begin(), bytes.end()});
    EXPECT_EQ(
        run({"--simulate", "--simulate-fault=no-ack:3", "apply", (dir / "image.bin").string()}), 3);
    EXPECT_NE(err.find("did not confirm the key table"), std::string::npos) << err;
}

TEST_F(Cli, ResetRestoresTheFactorySettings) {
    ASSERT_EQ(run({"--simulate=" + state, "set", "brightness=3", "palette1=000000"}), 0);
    ASSERT_EQ(run({"--simulate=" + state, "--trace=-", "reset"}), 0) << err;
    EXPECT_EQ(lines(out, "SET").front(), "SET 00 13 ff 00 00 00 00 00 ed");
    DeviceSettings expected = factorySettings();
    expected.gameMode = 1;
    EXPECT_EQ(stateImage(), expected);
}

TEST_F(Cli, UnreadableSimulatorStateIsBadInput) {
    writeFile("k.state", std::vector<std::uint8_t>(5));
    EXPECT_EQ(run({"--simulate=" + state, "info"}), 2);
    EXPECT_NE(err.find("not a 10060-byte settings image"), std::string::npos);
}

TEST_F(Cli, InspectDecodesKeysLayoutsAndJson) {
    DeviceSettings image = factorySettings();
    image.keyTable[4 * 3 + 2] = 0x07;                      // cell 3 now sends D
    image.keyFlags[0] &= static_cast<std::uint8_t>(~0x02); // cell 1 disabled
    image.customLayout(0)[4 * 2 + 1] = 0xFF;
    image.lightEffect = 52;
    std::vector<std::uint8_t> keymap(image.bytes().begin(), image.bytes().end());
    keymap.resize(kKeymapFileSize, 0);
    writeFile("keymap.bin", keymap);
    const std::string file = (dir / "keymap.bin").string();

    ASSERT_EQ(run({"inspect", file}), 0) << err;
    EXPECT_NE(out.find("kind: keymap.bin or profile"), std::string::npos);
    EXPECT_NE(out.find("lightEffect: 52 (DIY2)"), std::string::npos) << out;
    EXPECT_NE(out.find("- cell: 3"), std::string::npos);
    EXPECT_NE(out.find("slot: 00 00 07 00"), std::string::npos);
    EXPECT_EQ(lines(out, "    - cell: 1").size(), 1u) << out;
    EXPECT_NE(out.find("colour: FF0000"), std::string::npos);

    ASSERT_EQ(run({"--json", "inspect", file}), 0) << err;
    EXPECT_EQ(out.front(), '{');
    EXPECT_NE(out.find("\"lightEffect\": {\"value\": 52, \"meaning\": \"DIY2\"}"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("\"disabledKeys\": ["), std::string::npos);

    writeFile("odd.bin", std::vector<std::uint8_t>(10061));
    EXPECT_EQ(run({"inspect", (dir / "odd.bin").string()}), 2);
    EXPECT_NE(err.find("expected 10060"), std::string::npos);
}

} // namespace
} // namespace talvex
