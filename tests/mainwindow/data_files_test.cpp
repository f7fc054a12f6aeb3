// The main window's data files when they are not what the program wrote: a folder, a FIFO or a
// file of the wrong size where keymap.bin or MacroDefine.bin should be, a data folder that cannot
// be written, saves that fail, and the leftovers of killed saves.

#include "keys/factory_configuration.h"
#include "keys/keymap_file.h"
#include "mainwindow/data_files.h"
#include "mainwindow/main_window_rig.h"
#include "simulator_jobs.h"
#include "test_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

namespace talvex {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::StartsWith;

constexpr std::size_t kQ = 42;
constexpr std::uint8_t kW = 87;

// What a name holds, in enough detail to tell that nobody touched it.
struct Node {
    fs::file_type type = fs::file_type::not_found;
    std::vector<char> bytes; // of a regular file, or the names in a folder
    bool operator==(const Node&) const = default;
};

Node nodeAt(const fs::path& path) {
    Node node{fs::symlink_status(path).type(), {}};
    if (node.type == fs::file_type::regular) {
        std::ifstream in(path, std::ios::binary);
        node.bytes.assign(std::istreambuf_iterator<char>(in), {});
    } else if (node.type == fs::file_type::directory) {
        for (const auto& entry : fs::directory_iterator(path))
            for (char c : entry.path().filename().string() + "/")
                node.bytes.push_back(c);
    }
    return node;
}

void writeBytes(const fs::path& path, std::size_t size, char fill) {
    std::ofstream(path, std::ios::binary) << std::string(size, fill);
}

std::vector<fs::path> movedAside(const fs::path& folder, const std::string& name) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().starts_with(name + ".damaged-"))
            found.push_back(entry.path());
    return found;
}

// What a tester leaves where a data file should be. A FIFO would hang a program that opened it
// for reading; root can read any file, but none of these as a data file.
struct BadInput {
    const char* what;
    void (*make)(const fs::path&);
    bool partlyRead;
};
const BadInput kBadInputs[] = {
    {"a folder",
     [](const fs::path& p) {
         fs::create_directory(p);
         writeBytes(p / "inside", 3, 'x');
     },
     false},
    {"a FIFO", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }, false},
    {"a file of the wrong size", [](const fs::path& p) { writeBytes(p, 100, '\x07'); }, true},
};

class DataFilesTest : public ::testing::Test {
protected:
    void SetUp() override { makeRig(folder.path()); }
    void makeRig(const fs::path& dataFolder) {
        rig = std::make_unique<MainWindowRig>(
            AppPaths{folder.path(), dataFolder}, sliders, jobs,
            MainWindowDialogs{
                [this](KeyEdit& edit) { return keyDialog(edit); }, [] { return true; }, {}, {}});
    }
    void start(bool ownsDataFolder = true) {
        rig->commands.openDataFolder(ownsDataFolder);
        rig->commands.loadMacrosAtStart();
        rig->commands.loadKeymapAtStart();
    }
    void editQ() {
        rig->commands.onLButtonDown(385, 320);
        rig->commands.onLButtonUp(385, 320);
    }
    // Every command that writes a data file.
    void saveEverything() {
        rig->commands.onSettingsReloaded();
        rig->commands.openMacroManager();
        editQ();
        rig->commands.cancel();
        rig->commands.close();
    }
    bool keyDialog(KeyEdit& edit) {
        seenAtDialog = rig->keys.assignments[kQ].data[0];
        edit.choice = SingleKeyChoice{kW};
        return true;
    }
    std::vector<std::string> messages() const { return rig->prompts.messageTexts(); }

    testing::TestFolder folder{"talvex-datafiles"};
    RecordingSliders sliders;
    testing::SimulatorJobs jobs;
    std::unique_ptr<MainWindowRig> rig;
    std::uint8_t seenAtDialog = 0;
};

TEST_F(DataFilesTest, MovingAsideRenamesWhateverIsThereAndNeverReplacesAnything) {
    const auto when = std::chrono::system_clock::from_time_t(1700000000);
    const fs::path target = folder / "keymap.bin";
    EXPECT_THAT(damagedName(target, when).string(),
                ::testing::MatchesRegex(".*/keymap\\.bin\\.damaged-[0-9]{8}-[0-9]{6}"));
    std::vector<std::string> suffixes;
    for (const BadInput& input : kBadInputs) {
        input.make(target);
        const Node before = nodeAt(target);
        const MovedAside moved = moveAside(target, when);
        ASSERT_TRUE(moved.result.ok()) << input.what << ": " << moved.result.message;
        EXPECT_EQ(nodeAt(target).type, fs::file_type::not_found);
        EXPECT_EQ(nodeAt(moved.to), before) << input.what;
        suffixes.push_back(moved.to.string().substr(damagedName(target, when).string().size()));
    }
    EXPECT_EQ(suffixes, (std::vector<std::string>{"", "-2", "-3"})); // one second, three moves
    fs::create_symlink("elsewhere.bin", target);
    EXPECT_TRUE(fs::is_symlink(moveAside(target, when).to)); // the link moves, not its target
}

TEST_F(DataFilesTest, ADamagedFileIsToldAndEitherMovedAsideOrNeverSavedOver) {
    for (const std::string name : {"keymap.bin", "MacroDefine.bin"}) {
        for (const BadInput& input : kBadInputs) {
            for (const bool accept : {false, true}) {
                SCOPED_TRACE(name + " is " + input.what + (accept ? ", moved" : ", kept"));
                for (const auto& entry : fs::directory_iterator(folder.path()))
                    fs::remove_all(entry.path());
                input.make(folder / name);
                const Node before = nodeAt(folder / name);
                makeRig(folder.path());
                rig->prompts.messageAnswers = {accept ? MessageAnswer::Yes : MessageAnswer::No};
                start();
                if (name == "keymap.bin") { // works with what it read, the rest from the factory
                    DeviceSettings expected = factorySettings();
                    if (input.partlyRead)
                        std::fill_n(expected.bytes().begin(), 100, 7);
                    EXPECT_EQ(rig->keys.workingSettings, expected);
                }
                saveEverything();
                saveEverything();

                ASSERT_GE(messages().size(), 1u);
                EXPECT_EQ(rig->prompts.questions[0].buttons, MessageButtons::YesNo);
                EXPECT_THAT(messages()[0],
                            StartsWith(name + " 无法完整读取（" + (folder / name).string()));
                EXPECT_THAT(messages()[0], HasSubstr("是否将它改名为 " + name + ".damaged-"));
                const auto aside = movedAside(folder.path(), name);
                if (accept) {
                    EXPECT_EQ(messages().size(), 1u);
                    ASSERT_EQ(aside.size(), 1u);
                    EXPECT_EQ(nodeAt(aside[0]), before);
                    EXPECT_EQ(fs::file_size(folder / name),
                              name == "keymap.bin" ? kKeymapFileSize : kMacroStoreSize);
                } else {
                    EXPECT_EQ(messages(), (std::vector<std::string>{messages()[0],
                                                                    "本次运行期间不会保存 " + name +
                                                                        "，它将保持原样。"}));
                    EXPECT_TRUE(aside.empty());
                    EXPECT_EQ(nodeAt(folder / name), before);
                }
            }
        }
    }
}

TEST_F(DataFilesTest, AKeymapLinkedToAGoodFileLoadsAndIsSavedThroughTheLink) {
    DeviceSettings stored = factorySettings();
    stored.lightBrightness = 17;
    fs::create_directory(folder / "real");
    ASSERT_TRUE(saveKeymapFile(folder / "real/keymap.bin", stored, rig->keys.assignments).ok());
    fs::create_symlink("real/keymap.bin", folder / "keymap.bin");
    start();
    EXPECT_EQ(rig->keys.workingSettings, stored);
    rig->keys.workingSettings.lightBrightness = 30;
    rig->commands.onSettingsReloaded();
    EXPECT_TRUE(messages().empty());
    EXPECT_TRUE(fs::is_symlink(folder / "keymap.bin"));
    DeviceSettings onDisk = zeroSettings();
    EXPECT_TRUE(
        loadKeymapFile(folder / "real/keymap.bin", onDisk, rig->keys.savedAssignments, false).ok());
    EXPECT_EQ(onDisk.lightBrightness, 30);
}

TEST_F(DataFilesTest, AKeymapRemovedOrDamagedDuringTheRunKeepsTheEditsInMemory) {
    start();
    editQ();
    fs::remove(folder / "keymap.bin");
    editQ(); // the file is made again from memory, which keeps the first edit
    EXPECT_EQ(seenAtDialog, kW);
    EXPECT_EQ(nodeAt(folder / "keymap.bin").bytes.size(), kKeymapFileSize);

    writeBytes(folder / "keymap.bin", 5, 'k');
    editQ(); // offered; declined
    EXPECT_EQ(fs::file_size(folder / "keymap.bin"), 5u);
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[1], "本次运行期间不会保存 keymap.bin，它将保持原样。");
}

TEST_F(DataFilesTest, AFailedSaveIsToldOnceUntilASaveOfThatFileWorksAgain) {
    const fs::path blocked = folder / "blocked";
    const auto blockFolder = [&](bool blockedNow) {
        fs::remove_all(blocked);
        blockedNow ? writeBytes(blocked, 1, 'b') : (void)fs::create_directory(blocked);
    };
    makeRig(blocked);
    blockFolder(true);
    rig->commands.onSettingsReloaded();
    rig->commands.onSettingsReloaded();
    rig->commands.openMacroManager(); // keymap.bin again, MacroDefine.bin for the first time
    blockFolder(false);
    rig->commands.onSettingsReloaded();
    blockFolder(true);
    rig->commands.onSettingsReloaded();
    rig->commands.openMacroManager();
    const std::string keymapFailed = "无法保存 keymap.bin（cannot create a file in " +
                                     blocked.string() + ": Not a directory）。";
    ASSERT_EQ(messages().size(), 3u);
    EXPECT_THAT(messages()[0], StartsWith(keymapFailed));
    EXPECT_THAT(messages()[1], StartsWith("无法保存 MacroDefine.bin（"));
    EXPECT_THAT(messages()[2], StartsWith(keymapFailed));
}

TEST_F(DataFilesTest, ADataFolderThatCannotBeWrittenIsToldOnceAtStart) {
    writeBytes(folder / "file", 1, 'f');
    makeRig(folder / "file/Kestrix");
    start();
    saveEverything();
    EXPECT_EQ(messages(),
              std::vector<std::string>{
                  "数据文件夹无法写入（the data folder " + (folder / "file/Kestrix").string() +
                  " cannot be used: Not a directory）。本次运行期间 keymap.bin、"
                  "MacroDefine.bin 和配置文件都无法保存。"});
}

TEST_F(DataFilesTest, OnlyTheCopyThatOwnsTheDataFolderSweepsAndOnlyOldLeftovers) {
    fs::create_directory(folder / "Configure");
    const fs::path old[] = {folder / ".talvex-tmp-Ab12Cd", folder / "Configure/.talvex-tmp-Ef34Gh"};
    const fs::path fresh = folder / ".talvex-tmp-Ij56Kl"; // a save running now
    for (bool owns : {false, true}) {
        for (const fs::path& leftover : old) {
            writeBytes(leftover, 10, 't');
            fs::last_write_time(leftover,
                                fs::file_time_type::clock::now() - std::chrono::minutes(2));
        }
        writeBytes(fresh, 10, 't');
        makeRig(folder.path());
        start(owns);
        for (const fs::path& leftover : old)
            EXPECT_EQ(fs::exists(leftover), !owns) << leftover;
        EXPECT_TRUE(fs::exists(fresh));
    }
}

} // namespace
} // namespace talvex
