#include "profiles/profile_manager_logic.h"

#include <algorithm>
#include <cstddef>
#include <gtest/gtest.h>

#include "../hostile_files.h"
#include "../test_folder.h"
#include "controls/recording_canvas.h"
#include "keys/factory_configuration.h"
#include "keys/keymap_file.h"
#include "platform/file_io.h"
#include "platform/scripted_prompts.h"

namespace talvex {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using Names = std::vector<std::string>;
using testing::TestFolder;

class RecordingHost final : public ProfileManagerHost {
public:
    void showProfiles() override { ++shows; }
    void closeDialog() override { ++closes; }
    int shows = 0;
    int closes = 0;
};

class ProfileManagerLogicTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(profiles); }

    void put(const std::string& name, const Bytes& bytes) {
        ASSERT_TRUE(writeFileAtomically(profiles / (name + ".bin"), bytes));
    }
    Bytes get(const fs::path& file) const { return readFileBytes(file, 1 << 20).value_or(Bytes{}); }
    Bytes profileBytes(const std::string& name) const { return get(profiles / (name + ".bin")); }
    void openWith(std::initializer_list<const char*> names) {
        for (const char* name : names)
            put(name, Bytes(kDeviceSettingsSize, 0));
        logic.open();
    }
    void select(const std::string& name) {
        auto it = std::find(logic.names().begin(), logic.names().end(), name);
        ASSERT_NE(it, logic.names().end());
        logic.onSelectionChanged(static_cast<int>(it - logic.names().begin()));
    }
    void click(int x, int y) {
        logic.onLButtonDown(x, y);
        logic.onLButtonUp(x, y);
    }
    Bytes workingImage() const { return keymapFileBytes(keys.workingSettings, keys.assignments); }
    void fillWorking(std::uint8_t settingsByte, std::uint8_t assignmentByte) {
        std::fill(keys.workingSettings.bytes().begin(), keys.workingSettings.bytes().end(),
                  settingsByte);
        std::fill(keys.assignments.bytes().begin(), keys.assignments.bytes().end(), assignmentByte);
    }
    const ScriptedPrompts::Question& lastQuestion() const { return prompts.questions.back(); }

    TestFolder root{"talvex-profdlg"};
    fs::path profiles = root / "Configure";
    KeyAssignmentState keys;
    ScriptedPrompts prompts;
    RecordingHost host;
    ProfileManagerLogic logic{profiles, keys, nullptr, {prompts, host}};
};

TEST_F(ProfileManagerLogicTest, SaveStoresIntoTheProfileWhetherOrNotTheChooserExports) {
    openWith({"Game", "Work"});
    select("Work");
    fillWorking(7, 9);

    // Cancelled chooser: no export, the profile still takes the working configuration.
    logic.runCommand(ProfileCommand::Save);
    ASSERT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(lastQuestion().kind, ScriptedPrompts::Kind::SaveFile);
    EXPECT_EQ(lastQuestion().filter, "bin Files(*.bin)");
    EXPECT_EQ(lastQuestion().startFolder, profiles.string());
    EXPECT_EQ(profileBytes("Work"), workingImage());
    EXPECT_EQ(profileBytes("Game"), Bytes(kDeviceSettingsSize, 0));
    EXPECT_EQ(logic.selection(), 1) << "the saved profile stays selected";

    // A name typed without an extension gets ".bin", as the chooser's default extension.
    fillWorking(3, 4);
    prompts.pathAnswers.push_back((root / "export").string());
    logic.runCommand(ProfileCommand::Save);
    EXPECT_EQ(get(root / "export.bin"), workingImage());
    EXPECT_EQ(profileBytes("Work"), workingImage());
    EXPECT_EQ(prompts.messageTexts(), Names{});
}

TEST_F(ProfileManagerLogicTest, SaveTellsWhenTheExportCannotBeWritten) {
    openWith({"Game"});
    select("Game");
    prompts.pathAnswers.push_back((root / "no-such-folder" / "x.bin").string());
    logic.runCommand(ProfileCommand::Save);
    EXPECT_EQ(profileBytes("Game"), workingImage());
    ASSERT_EQ(prompts.messageTexts().size(), 1u);
    EXPECT_EQ(lastQuestion().caption, "配置管理");
}

TEST_F(ProfileManagerLogicTest, LoadTakesOnlyAConfigurationThatPassesItsChecks) {
    const Bytes factory = factoryConfigurationBytes();
    const Bytes random = testing::randomBytes(kKeymapFileSize, 7);
    const std::size_t brightness = offsetof(DeviceSettings, lightBrightness);
    const std::size_t firstSlot = offsetof(DeviceSettings, keyTable);
    struct Row {
        const char* what;
        std::optional<Bytes> file; // none: the chooser is cancelled
        std::vector<MessageAnswer> answers;
        bool loaded;
        std::size_t messages;
    };
    const Row rows[] = {
        {"cancelled chooser", std::nullopt, {}, false, 0},
        {"the factory configuration", factory, {}, true, 0},
        {"random bytes", random, {}, false, 1},
        {"MacroDefine.bin's size", Bytes(170260, 0), {}, false, 1},
        {"a short file", Bytes(100, 0xFF), {}, false, 1},
        {"an unknown slot kind", testing::factoryWithByte(firstSlot + 4 * 5, 7), {}, false, 1},
        {"unusual brightness, declined", testing::factoryWithByte(brightness, 77), {}, false, 1},
        {"unusual brightness, confirmed",
         testing::factoryWithByte(brightness, 77),
         {MessageAnswer::Ok},
         true,
         1},
        {"no working key, declined", Bytes(kKeymapFileSize, 0), {}, false, 1},
        {"no working key, confirmed", Bytes(kKeymapFileSize, 0), {MessageAnswer::Ok}, true, 1},
    };
    for (const Row& row : rows) {
        prompts.questions.clear();
        openWith({"Game", "Work"});
        select("Game");
        fillWorking(1, 2);
        const Bytes before = workingImage();
        if (row.file) {
            ASSERT_TRUE(writeFileAtomically(root / "import.bin", *row.file));
            prompts.pathAnswers.push_back((root / "import.bin").string());
        } else {
            prompts.pathAnswers.push_back(std::nullopt);
        }
        prompts.messageAnswers.assign(row.answers.begin(), row.answers.end());
        logic.runCommand(ProfileCommand::Load);
        EXPECT_EQ(prompts.questions.front().startFolder, profiles.string()) << row.what;
        const Bytes expected = row.loaded ? *row.file : before;
        EXPECT_EQ(workingImage(), expected) << row.what;
        EXPECT_EQ(profileBytes("Game"), row.loaded ? expected : Bytes(kDeviceSettingsSize, 0))
            << row.what;
        EXPECT_EQ(profileBytes("Work"), Bytes(kDeviceSettingsSize, 0)) << row.what;
        EXPECT_EQ(prompts.messageTexts().size(), row.messages) << row.what;
    }
}

TEST_F(ProfileManagerLogicTest, AValueTheKeyboardHoldsPassesWithoutQuestion) {
    DeviceSettings held = factorySettings();
    held.lightBrightness = 77; // what an older keyboard once answered
    ProfileManagerLogic withKeyboard{profiles, keys, &held, {prompts, host}};
    put("Game", Bytes(kDeviceSettingsSize, 0));
    withKeyboard.open();
    withKeyboard.onSelectionChanged(0);
    ASSERT_TRUE(writeFileAtomically(root / "import.bin", held.bytes()));
    prompts.pathAnswers.push_back((root / "import.bin").string());
    withKeyboard.runCommand(ProfileCommand::Load);
    EXPECT_EQ(prompts.messageTexts(), Names{});
    EXPECT_EQ(keys.workingSettings, held);
}

TEST_F(ProfileManagerLogicTest, CommandsWithoutASelectionAreRefused) {
    openWith({"Game", "Work"});
    for (ProfileCommand command :
         {ProfileCommand::Copy, ProfileCommand::Save, ProfileCommand::Load, ProfileCommand::Delete})
        logic.runCommand(command);
    EXPECT_EQ(prompts.messageTexts(), (Names{"请选择一个配置文件拷贝", "请选择一个配置文件拷贝",
                                             "请选择一个配置文件打开", "请选择一个配置文件删除"}));
    for (const auto& q : prompts.questions) {
        EXPECT_EQ(q.kind, ScriptedPrompts::Kind::Message) << "no chooser without a selection";
        EXPECT_EQ(q.caption, "配置管理");
        EXPECT_EQ(q.buttons, MessageButtons::Ok);
    }
    EXPECT_EQ(logic.names(), (Names{"Game", "Work"}));
    EXPECT_EQ(profileBytes("Game"), Bytes(kDeviceSettingsSize, 0));
}

TEST_F(ProfileManagerLogicTest, DeleteAsksCancelStillReloadsAndTheLastProfileStays) {
    openWith({"Game", "Work"});
    select("Work");
    put("Late", Bytes(kDeviceSettingsSize, 0)); // appears while the dialog is open

    logic.runCommand(ProfileCommand::Delete); // no scripted answer: Cancel
    EXPECT_EQ(lastQuestion().text, "删除当前配置文件吗");
    EXPECT_EQ(lastQuestion().buttons, MessageButtons::OkCancel);
    EXPECT_EQ(lastQuestion().caption, "配置管理");
    EXPECT_TRUE(fs::exists(profiles / "Work.bin"));
    EXPECT_EQ(logic.names(), (Names{"Game", "Late", "Work"}));
    EXPECT_EQ(logic.selection(), 2) << "the selection follows its name";

    prompts.messageAnswers.push_back(MessageAnswer::Ok);
    logic.runCommand(ProfileCommand::Delete);
    EXPECT_FALSE(fs::exists(profiles / "Work.bin"));
    EXPECT_EQ(logic.names(), (Names{"Game", "Late"}));
    EXPECT_EQ(logic.selection(), -1);

    // The last profile is kept, selected or not, without asking.
    fs::remove(profiles / "Late.bin");
    logic.open();
    select("Game");
    prompts.questions.clear();
    logic.runCommand(ProfileCommand::Delete);
    EXPECT_EQ(prompts.messageTexts(), Names{"请至少保留一个配置文件"});
    EXPECT_TRUE(fs::exists(profiles / "Game.bin"));
}

TEST_F(ProfileManagerLogicTest, NewAndCopyStopAtSixProfiles) {
    openWith({"A", "B", "C", "D", "E"});
    select("C");
    click(20, 600); // the new button
    EXPECT_EQ(logic.names(), (Names{"A", "B", "C", "D", "E", "Profile_1"}));
    EXPECT_EQ(profileBytes("Profile_1"), factoryConfigurationBytes());
    EXPECT_EQ(logic.selection(), 2);

    logic.runCommand(ProfileCommand::New);
    ASSERT_EQ(prompts.messageTexts(), Names{"最多可以存储6个配置\n"});
    EXPECT_EQ(lastQuestion().caption, "配置管理");
    logic.runCommand(ProfileCommand::Copy); // silently nothing at six
    EXPECT_EQ(prompts.questions.size(), 1u);
    EXPECT_EQ(logic.names().size(), 6u);

    fs::remove(profiles / "E.bin");
    fs::remove(profiles / "D.bin");
    put("C", Bytes(kKeymapFileSize, 0x33));
    logic.open();
    select("C");
    logic.runCommand(ProfileCommand::Copy);
    EXPECT_EQ(profileBytes("复制 C"), Bytes(kKeymapFileSize, 0x33));
}

TEST_F(ProfileManagerLogicTest, RenameFromTheListFollowsTheStore) {
    openWith({"Game", "Work"});
    put("Game", Bytes(kKeymapFileSize, 0x11));
    select("Game");

    // A ".bin" the user typed is not doubled; the renamed profile stays selected.
    logic.onItemEdited(0, "Zeta.bin");
    EXPECT_EQ(logic.names(), (Names{"Work", "Zeta"}));
    EXPECT_EQ(profileBytes("Zeta"), Bytes(kKeymapFileSize, 0x11));
    EXPECT_FALSE(fs::exists(profiles / "Game.bin"));
    EXPECT_EQ(logic.selection(), 1);

    // The name of another profile: nothing changes, the list goes back to the folder's names.
    const int shows = host.shows;
    logic.onItemEdited(1, "Work");
    EXPECT_EQ(logic.names(), (Names{"Work", "Zeta"}));
    EXPECT_EQ(profileBytes("Zeta"), Bytes(kKeymapFileSize, 0x11));
    EXPECT_GT(host.shows, shows);
    EXPECT_EQ(prompts.messageTexts(), Names{});

    // A name that would leave the folder fails like a failed copy.
    logic.onItemEdited(1, "../Escape");
    EXPECT_EQ(prompts.messageTexts(), Names{"Fail"});
    EXPECT_EQ(lastQuestion().caption, "");
    EXPECT_FALSE(fs::exists(root / "Escape.bin"));
    EXPECT_EQ(logic.names(), (Names{"Work", "Zeta"}));
}

TEST_F(ProfileManagerLogicTest, ClickAreasAndTheContextMenuArea) {
    openWith({"Game", "Work"});
    EXPECT_EQ(logic.hitTest(248, 11), ProfileArea::Close);
    EXPECT_EQ(logic.hitTest(262, 24), ProfileArea::Close);
    EXPECT_EQ(logic.hitTest(255, 10), std::nullopt) << "the close area's top edge is open";
    EXPECT_EQ(logic.hitTest(14, 576), ProfileArea::New);
    EXPECT_EQ(logic.hitTest(80, 600), std::nullopt);
    EXPECT_EQ(logic.hitTest(249, 624), ProfileArea::Delete);
    EXPECT_EQ(logic.hitTest(250, 600), std::nullopt);

    click(255, 15);
    EXPECT_EQ(host.closes, 1);
    // Only a release over the button pressed counts: dragging off or onto a button cancels.
    for (auto [down, up] : {std::pair{255, 200}, std::pair{200, 255}}) {
        logic.onLButtonDown(down, 15);
        logic.onLButtonUp(up, 15);
    }
    logic.onLButtonUp(255, 15);
    EXPECT_EQ(host.closes, 1);

    EXPECT_TRUE(logic.opensContextMenu(1, 34));
    EXPECT_TRUE(logic.opensContextMenu(260, 537));
    EXPECT_FALSE(logic.opensContextMenu(261, 100));
    EXPECT_FALSE(logic.opensContextMenu(100, 538)) << "the hint under the list is not the list";
    EXPECT_FALSE(logic.opensContextMenu(20, 20)) << "the title bar is not the list";
    EXPECT_FALSE(logic.opensContextMenu(30, 590)) << "the new button is not the list";
}

TEST_F(ProfileManagerLogicTest, AHintBetweenTheListAndTheButtonsNamesEveryMenuCommand) {
    RecordingCanvas canvas;
    logic.paint(canvas);
    std::string hint;
    for (const CanvasCall& call : canvas.calls())
        if (call.kind == CanvasCall::Kind::Caption &&
            call.y >= ProfileManagerLogic::kListRect.bottom &&
            call.y + call.style.height <= 574) // the rule above the buttons
            hint += call.text;
    for (const ProfileMenuItem& item : profileMenu())
        EXPECT_NE(hint.find(item.text), std::string::npos) << item.text;
    EXPECT_NE(hint.find("双击名称可重命名"), std::string::npos);
}

} // namespace
} // namespace talvex
