// The profile commands as a script drives them: the store in a data folder of the test's own and
// the simulated keyboard, with every refusal leaving the folder and the keyboard as they were.

#include "cli_fixture.h"
#include "hostile_files.h"
#include "keys/keymap_file.h"

#include <sys/stat.h>

#include <map>

namespace talvex {
namespace {

using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

class ProfileCommand : public testing::Cli {
protected:
    fs::path data = dir / "data";
    fs::path profiles = data / "Configure";

    int profile(std::vector<std::string> args) {
        args.insert(args.begin(), {"--simulate=" + state, "--data-folder=" + data.string()});
        return run(args);
    }

    Bytes bytesOf(const fs::path& file) { return readFileBytes(file, kKeymapFileSize + 1).value(); }

    std::map<std::string, Bytes> folderContents() {
        std::map<std::string, Bytes> contents;
        for (const auto& entry : fs::recursive_directory_iterator(data))
            if (entry.is_regular_file())
                contents[entry.path().string()] = bytesOf(entry.path());
        return contents;
    }
};

TEST_F(ProfileCommand, SavedProfileBringsTheKeyboardBackAndLoadWritesOnlyKeymapBin) {
    ASSERT_EQ(profile({"set", "brightness=2", "palette1=123456"}), 0) << err;
    const DeviceSettings saved = stateImage();
    ASSERT_EQ(profile({"profile", "save", "Work"}), 0) << err;
    EXPECT_EQ(out, "created profile Work with the keyboard's settings and keymap.bin's keys\n");
    const Bytes profileFile = bytesOf(profiles / "Work.bin");
    ASSERT_EQ(profileFile.size(), kKeymapFileSize);

    ASSERT_EQ(profile({"set", "brightness=5", "effect=2"}), 0) << err;
    ASSERT_NE(stateImage(), saved);
    ASSERT_EQ(profile({"profile", "load", "Work.bin"}), 0) << err;
    EXPECT_EQ(out, "applied\n");
    EXPECT_EQ(stateImage(), saved);
    EXPECT_EQ(bytesOf(data / "keymap.bin"), profileFile);
    EXPECT_EQ(bytesOf(profiles / "Work.bin"), profileFile);

    // A profile of settings only keeps the keys keymap.bin assigns.
    Bytes keymap = profileFile;
    keymap[kDeviceSettingsSize + 1] = 1;
    ASSERT_TRUE(writeFileAtomically(data / "keymap.bin", keymap));
    writeFile("image.bin", Bytes(profileFile.begin(), profileFile.begin() + kDeviceSettingsSize));
    ASSERT_EQ(profile({"profile", "import", (dir / "image.bin").string(), "Work"}), 0) << err;
    EXPECT_EQ(out, "replaced profile Work with " + (dir / "image.bin").string() + "\n");
    ASSERT_EQ(profile({"profile", "load", "Work"}), 0) << err;
    EXPECT_EQ(bytesOf(data / "keymap.bin"), keymap);
}

TEST_F(ProfileCommand, StoreCommandsFollowTheProfileManager) {
    EXPECT_EQ(profile({"profile", "list"}), 0);
    EXPECT_EQ(out, "");
    ASSERT_EQ(profile({"profile", "new"}), 0) << err;
    ASSERT_EQ(profile({"profile", "new", "Game"}), 0) << err;
    ASSERT_EQ(profile({"profile", "copy", "Game"}), 0) << err;
    EXPECT_EQ(out, "copied profile Game to 复制 Game\n");
    ASSERT_EQ(profile({"profile", "rename", "Profile_1", "Desk"}), 0) << err;
    ASSERT_EQ(profile({"--json", "profile", "list"}), 0);
    EXPECT_EQ(out, "[\"Desk\", \"Game\", \"复制 Game\"]\n");
    ASSERT_EQ(profile({"profile", "delete", "复制 Game"}), 0) << err;
    ASSERT_EQ(profile({"profile", "list"}), 0);
    EXPECT_EQ(out, "Desk\nGame\n");
    EXPECT_EQ(bytesOf(profiles / "Game.bin"), factoryConfigurationBytes());

    ASSERT_EQ(profile({"profile", "export", "Game", (dir / "g.bin").string()}), 0) << err;
    ASSERT_EQ(profile({"profile", "import", (dir / "g.bin").string(), "Again"}), 0) << err;
    EXPECT_EQ(bytesOf(profiles / "Again.bin"), bytesOf(profiles / "Game.bin"));

    // Through a document and back, with bytes no name describes.
    Bytes odd = factoryConfigurationBytes();
    odd[5] = 0x7B;
    ASSERT_TRUE(writeFileAtomically(profiles / "Game.bin", odd));
    const std::string json = (dir / "g.json").string();
    ASSERT_EQ(profile({"profile", "export", "Game", json, "--format=json"}), 0) << err;
    EXPECT_EQ(bytesOf(json).front(), '{');
    ASSERT_EQ(profile({"profile", "import", json, "Again"}), 0) << err;
    EXPECT_EQ(out, "replaced profile Again with " + json + "\n");
    EXPECT_EQ(bytesOf(profiles / "Again.bin"), odd);

    // After "--" a name that looks like an option is a name.
    ASSERT_EQ(profile({"profile", "--", "rename", "Again", "--json"}), 0) << err;
    ASSERT_EQ(profile({"profile", "list", "--json"}), 0);
    EXPECT_EQ(out, "[\"--json\", \"Desk\", \"Game\"]\n");
}

TEST_F(ProfileCommand, RefusalsExitTwoAndChangeNothing) {
    const std::string fifo = (dir / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    writeFile("macros.bin", Bytes(170260, 1));
    const std::string bright = R"({"version": 1, "settings": {"brightness": 51}})";
    writeFile("bright.json", Bytes(bright.begin(), bright.end()));
    const std::string json = (dir / "bright.json").string();
    writeFile("broken.bin", testing::factoryWithByte(offsetof(DeviceSettings, keyTable) + 20, 4));
    const std::string in = (dir / "broken.bin").string();
    struct Row {
        std::size_t profiles; // A, B, ... made first
        std::vector<std::string> args;
        const char* says;
    };
    const Row rows[] = {
        {2, {"load", "C"}, "no profile named C"},
        {2, {"export", "C", fifo}, "no profile named C"},
        {2, {"rename", "A", "B"}, "named B exists already"},
        {2, {"rename", "A", "x/y"}, "cannot be a profile name"},
        {2, {"new", "A"}, "named A exists already"},
        {2, {"new", ".."}, "cannot be a profile name"},
        {1, {"delete", "A"}, "keep at least one profile"},
        {6, {"new"}, "six profiles already"},
        {6, {"copy", "A"}, "six profiles already"},
        {6, {"save", "G"}, "six profiles already"},
        {6, {"import", in, "G"}, "six profiles already"},
        {2, {"import", fifo, "A"}, "is a FIFO"},
        {2, {"import", (dir / "macros.bin").string(), "A"}, "expected a 10060-byte"},
        {2, {"import", in, "A"}, "plays macro"},
        {2, {"import", (dir / "missing").string(), "A"}, "missing"},
        {2, {"export", "A", dir.string()}, "is a folder"},
        {2, {"import", json, "A"}, "settings.brightness: lightBrightness 51"},
        {2, {"list", "--format=json"}, "--format is for profile export"},
        {2, {"load"}, "usage: profile load NAME"},
        {2, {"switch", "A"}, "profile takes one of"},
    };
    for (const Row& row : rows) {
        fs::remove_all(data);
        fs::create_directories(profiles);
        for (std::size_t i = 0; i < row.profiles; ++i)
            ASSERT_TRUE(writeFileAtomically(profiles / (std::string(1, char('A' + i)) + ".bin"),
                                            factoryConfigurationBytes()));
        ASSERT_EQ(profile({"set", "speed=3"}), 0) << err;
        const auto before = folderContents();
        const DeviceSettings keyboard = stateImage();
        std::vector<std::string> args = {"profile"};
        args.insert(args.end(), row.args.begin(), row.args.end());
        EXPECT_EQ(profile(args), 2) << row.args[0] << ": " << err;
        EXPECT_NE(err.find(row.says), std::string::npos) << row.args[0] << ": " << err;
        EXPECT_EQ(folderContents(), before) << row.args[0];
        EXPECT_EQ(stateImage(), keyboard) << row.args[0];
    }
}

TEST_F(ProfileCommand, AKeymapBinThatCannotBeReadStopsSaveAndLoad) {
    fs::create_directories(profiles);
    ASSERT_TRUE(writeFileAtomically(profiles / "A.bin", factoryConfigurationBytes()));
    ASSERT_TRUE(writeFileAtomically(data / "keymap.bin", Bytes(500, 7)));
    for (const char* verb : {"save", "load"}) {
        ASSERT_EQ(profile({"set", "speed=3"}), 0) << err;
        const DeviceSettings keyboard = stateImage();
        EXPECT_EQ(profile({"profile", verb, "A"}), 2) << verb;
        EXPECT_NE(err.find("not the 206920 of a keymap.bin"), std::string::npos) << err;
        EXPECT_EQ(bytesOf(data / "keymap.bin"), Bytes(500, 7));
        EXPECT_EQ(bytesOf(profiles / "A.bin"), factoryConfigurationBytes());
        EXPECT_EQ(stateImage(), keyboard);
    }
}

} // namespace
} // namespace talvex
