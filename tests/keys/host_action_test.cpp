#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "keys/host_action.h"
#include "keys/key_assignment_store.h"
#include "platform/recording_shell.h"
#include "platform/utf16.h"
#include "test_folder.h"

namespace talvex {
namespace {

using Call = RecordingShell::Call;

TEST(SplitHostPathTest, SplitsAtTheLastSeparator) {
    EXPECT_EQ(splitHostPath("/home/u/a.mp3").folder, "/home/u");
    EXPECT_EQ(splitHostPath("/home/u/a.mp3").file, "a.mp3");
    // A trailing separator: empty file part, the folder as the folder part.
    EXPECT_EQ(splitHostPath("/media/usb/").folder, "/media/usb");
    EXPECT_EQ(splitHostPath("/media/usb/").file, "");
    EXPECT_EQ(splitHostPath("notes.txt").folder, "notes.txt");
    EXPECT_EQ(splitHostPath("notes.txt").file, "");
    EXPECT_EQ(splitHostPath("/vmlinuz").folder, "");
    EXPECT_EQ(splitHostPath("/vmlinuz").file, "vmlinuz");
}

class HostActionTest : public ::testing::Test {
protected:
    void SetUp() override { resetAssignments(assignments); }

    std::string makeFile(const std::string& name, bool executable) {
        const std::filesystem::path path = folder / name;
        std::ofstream(path) << "#!/bin/sh\n";
        if (executable)
            std::filesystem::permissions(path, std::filesystem::perms::owner_exec,
                                         std::filesystem::perm_options::add);
        return path.string();
    }

    void assign(std::size_t position, AssignmentType type, const std::string& path) {
        assignments[position].type = static_cast<std::uint8_t>(type);
        ASSERT_TRUE(assignments[position].setPathText(utf8ToUtf16(path)));
    }

    testing::TestFolder folder{"talvex-host"};
    KeyAssignments assignments;
    RecordingShell shell;
};

TEST_F(HostActionTest, EnterKeyProgramStartsInItsOwnFolder) {
    const std::string program = makeFile("tool", true);
    assign(74, AssignmentType::StartProgram, program);
    EXPECT_EQ(runHostAction(assignments, 13, shell), HostActionOutcome::ProgramStarted);
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0], (Call{Call::StartProgram, program, folder.path().string()}));
}

TEST_F(HostActionTest, FilesAndFoldersOpenInTheirApplicationEvenWhenExecutable) {
    const std::string sound = makeFile("a.mp3", true);
    assign(74, AssignmentType::PlaySound, sound);
    EXPECT_EQ(runHostAction(assignments, 13, shell), HostActionOutcome::PathOpened);
    assign(0, AssignmentType::OpenFolder, folder.path().string() + "/");
    EXPECT_EQ(runHostAction(assignments, 27, shell), HostActionOutcome::PathOpened);
    ASSERT_EQ(shell.calls.size(), 2u);
    EXPECT_EQ(shell.calls[0], (Call{Call::OpenPath, sound, ""}));
    EXPECT_EQ(shell.calls[1], (Call{Call::OpenPath, folder.path().string(), ""}));
}

TEST_F(HostActionTest, ShellMetacharactersStayPartOfOneLiteralPath) {
    const std::string program = makeFile("a b;$(touch x)`id`&|'\".sh", true);
    assign(74, AssignmentType::StartProgram, program);
    EXPECT_EQ(runHostAction(assignments, 13, shell), HostActionOutcome::ProgramStarted);
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].target, program);
}

TEST_F(HostActionTest, FirstMatchingHostActionWinsAndOtherEntriesAreIgnored) {
    const std::string first = makeFile("first.txt", false);
    const std::string second = makeFile("second.txt", false);
    // Fn and Apps share VK 93: the lower position answers.
    assign(100, AssignmentType::OpenFile, first);
    assign(101, AssignmentType::OpenFile, second);
    runHostAction(assignments, 93, shell);
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].target, first);

    // Not host actions, or past the last key position: nothing happens.
    shell.calls.clear();
    assignments[100].type = 3;
    assignments[101].type = 8;
    assignments[200].vk = 93;
    assignments[200].type = 6;
    assignments[200].setPathText(utf8ToUtf16(first));
    EXPECT_EQ(runHostAction(assignments, 93, shell), HostActionOutcome::NoAction);
    EXPECT_TRUE(shell.calls.empty());
}

TEST_F(HostActionTest, MissingOrEmptyPathOpensNothing) {
    assign(74, AssignmentType::OpenFile, (folder / "gone.txt").string());
    EXPECT_EQ(runHostAction(assignments, 13, shell), HostActionOutcome::MissingPath);
    assign(74, AssignmentType::OpenFile, "");
    EXPECT_EQ(runHostAction(assignments, 13, shell), HostActionOutcome::MissingPath);
    EXPECT_TRUE(shell.calls.empty());
}

TEST_F(HostActionTest, TheRootFolderOpensAsItself) {
    for (const char* root : {"/", "//"}) {
        shell.calls.clear();
        assign(74, AssignmentType::OpenFolder, root);
        EXPECT_EQ(runHostAction(assignments, 13, shell), HostActionOutcome::PathOpened) << root;
        ASSERT_EQ(shell.calls.size(), 1u);
        EXPECT_EQ(shell.calls[0], (Call{Call::OpenPath, "/", ""})) << root;
    }
}

TEST_F(HostActionTest, PathWithoutTerminatorIsReadToTheEndOfTheField) {
    assignments[74].type = static_cast<std::uint8_t>(AssignmentType::OpenFile);
    assignments[74].path.fill('a'); // 256 units of U+6161, no zero
    EXPECT_EQ(assignments[74].pathText().size(), 256u);
    EXPECT_EQ(runHostAction(assignments, 13, shell), HostActionOutcome::MissingPath);
}

TEST_F(HostActionTest, ShellFailureIsReported) {
    assign(74, AssignmentType::OpenFile, makeFile("doc.txt", false));
    shell.result = false;
    EXPECT_EQ(runHostAction(assignments, 13, shell), HostActionOutcome::Failed);
}

} // namespace
} // namespace talvex
