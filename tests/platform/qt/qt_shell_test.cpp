#include "platform/qt/qt_shell.h"
#include "qt_test_app.h"
#include "test_folder.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>

namespace talvex {
namespace {

std::string waitForFile(const std::filesystem::path& path) {
    for (int i = 0; i < 500 && !std::filesystem::exists(path); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class QtShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::qtTestApp();
        std::filesystem::create_directories(folder);
    }

    testing::TestFolder scratch{"talvex-qtshell"};
    // The folder name is part of the program path, so it carries metacharacters too.
    std::filesystem::path folder = scratch / "a;b $(touch c)";
    QtShell shell;
};

// The program path is the program: quotes, semicolons and substitutions are file-name
// characters, and the program runs in the folder it was given.
TEST_F(QtShellTest, StartsAProgramWhosePathHoldsShellMetacharacters) {
    const std::filesystem::path program = folder / "run 'me'; $(touch pwned) `id`.sh";
    {
        std::ofstream out(program);
        out << "#!/bin/sh\npwd > ran.txt\n";
    }
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);

    ASSERT_TRUE(shell.startProgram(program, folder));
    EXPECT_EQ(waitForFile(folder / "ran.txt"), folder.string() + "\n");
    EXPECT_FALSE(std::filesystem::exists(folder / "pwned"));
    EXPECT_FALSE(std::filesystem::exists("pwned"));
}

TEST_F(QtShellTest, MissingProgramDoesNotStart) {
    EXPECT_FALSE(shell.startProgram(folder / "absent", folder));
}

TEST_F(QtShellTest, OnlyWebAddressesAreOpenedAsUrls) {
    EXPECT_FALSE(shell.openUrl("file:///etc/passwd"));
    EXPECT_FALSE(shell.openUrl("javascript:alert(1)"));
    EXPECT_FALSE(shell.openUrl("not a url"));
}

} // namespace
} // namespace talvex
