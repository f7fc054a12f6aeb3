#include "platform/app_paths.h"
#include "unprivileged.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

#include "test_folder.h"

namespace talvex {
namespace {

namespace fs = std::filesystem;

// A prefix with bin/ and a home folder, as a user's machine has them.
class AppPathsTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(bin);
        fs::create_directories(home);
    }

    PathInputs inputs(bool writable, std::string xdgDataHome = "") const {
        return {bin, writable, std::move(xdgDataHome), home.string()};
    }

    void installShare() { fs::create_directories(prefix / "share" / "kestrix" / "png"); }

    testing::TestFolder folder{"talvex-paths"};
    fs::path prefix = folder / "usr";
    fs::path bin = prefix / "bin";
    fs::path home = folder / "home";
};

TEST_F(AppPathsTest, UnpackedWritableBuildKeepsEverythingBesideTheExecutable) {
    fs::create_directories(bin / "png");
    AppPaths paths = chooseAppPaths(inputs(true, (folder / "xdg").string()));
    EXPECT_EQ(paths.programFolder, bin);
    EXPECT_EQ(paths.dataFolder, bin);
    EXPECT_EQ(paths.keymapFile(), bin / "keymap.bin");
    EXPECT_FALSE(fs::exists(bin / "Configure"));
    EXPECT_TRUE(prepareDataFolder(paths));
    EXPECT_TRUE(fs::is_directory(bin / "Configure"));
    EXPECT_FALSE(fs::exists(folder / "xdg"));
}

TEST_F(AppPathsTest, ReadOnlyExecutableFolderKeepsDataInXdgDataHome) {
    fs::create_directories(bin / "png");
    const fs::path xdg = folder / "xdg";
    AppPaths paths = chooseAppPaths(inputs(false, xdg.string()));
    EXPECT_EQ(paths.programFolder, bin);
    EXPECT_EQ(paths.dataFolder, xdg / "Kestrix");
    EXPECT_EQ(paths.macroFile(), xdg / "Kestrix" / "MacroDefine.bin");
    EXPECT_FALSE(fs::exists(xdg));
    EXPECT_TRUE(prepareDataFolder(paths));
    EXPECT_TRUE(fs::is_directory(xdg / "Kestrix" / "Configure"));
    EXPECT_EQ(fs::status(xdg / "Kestrix").permissions(), fs::perms::owner_all);
    EXPECT_FALSE(fs::exists(bin / "Configure"));
}

TEST_F(AppPathsTest, UnsetOrRelativeXdgDataHomeFallsBackToTheHomeFolder) {
    const fs::path expected = home / ".local" / "share" / "Kestrix";
    EXPECT_EQ(chooseAppPaths(inputs(false)).dataFolder, expected);
    EXPECT_EQ(chooseAppPaths(inputs(false, "relative/data")).dataFolder, expected);
}

TEST_F(AppPathsTest, ExistingDataFolderIsKeptAsItIs) {
    const fs::path data = home / ".local" / "share" / "Kestrix";
    fs::create_directories(data / "Configure");
    fs::permissions(data, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    AppPaths paths = chooseAppPaths(inputs(false));
    EXPECT_EQ(paths.dataFolder, data);
    EXPECT_TRUE(prepareDataFolder(paths));
    EXPECT_EQ(fs::status(data).permissions(),
              fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
}

// Root may write /usr/bin, but settings must not land among the system's programs.
TEST_F(AppPathsTest, InstalledProgramReadsTheShareFolderAndKeepsDataInXdgEvenWhenBinIsWritable) {
    installShare();
    AppPaths paths = chooseAppPaths(inputs(true));
    EXPECT_EQ(paths.programFolder, prefix / "share" / "kestrix");
    EXPECT_EQ(paths.skinFolder(), prefix / "share" / "kestrix" / "png");
    EXPECT_EQ(paths.versionFile(), prefix / "share" / "kestrix" / "VER.bin");
    EXPECT_EQ(paths.dataFolder, home / ".local" / "share" / "Kestrix");
    EXPECT_TRUE(prepareDataFolder(paths));
    EXPECT_FALSE(fs::exists(bin / "Configure"));
}

TEST_F(AppPathsTest, SkinBesideTheExecutableWinsOverAnInstalledOne) {
    installShare();
    fs::create_directories(bin / "png");
    AppPaths paths = chooseAppPaths(inputs(true));
    EXPECT_EQ(paths.programFolder, bin);
    EXPECT_EQ(paths.dataFolder, bin);
}

TEST_F(AppPathsTest, NoHomeAndNoXdgLeavesDataBesideTheExecutable) {
    AppPaths paths = chooseAppPaths({bin, false, "", ""});
    EXPECT_EQ(paths.dataFolder, bin);
}

TEST_F(AppPathsTest, DataFolderThatCannotBeMadeIsReported) {
    std::ofstream(folder / "file") << "x";
    AppPaths paths;
    paths.dataFolder = folder / "file" / "Kestrix";
    EXPECT_FALSE(prepareDataFolder(paths));
}

TEST_F(AppPathsTest, WritabilityProbeFollowsFolderPermissions) {
    EXPECT_TRUE(folderIsWritable(bin));
    EXPECT_FALSE(folderIsWritable(bin / "missing"));
    fs::permissions(bin, fs::perms::all, fs::perm_options::add);
    fs::permissions(bin, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_TRUE(testing::holdsForAnUnprivilegedUser([&] { return !folderIsWritable(bin); }));
    fs::permissions(bin, fs::perms::owner_all);
}

TEST_F(AppPathsTest, ProcessInputsComeFromTheEnvironment) {
    const char* savedXdg = std::getenv("XDG_DATA_HOME");
    const std::string xdgBefore = savedXdg ? savedXdg : "";
    const char* savedHome = std::getenv("HOME");
    const std::string homeBefore = savedHome ? savedHome : "";

    ::setenv("XDG_DATA_HOME", "/somewhere/data", 1);
    ::setenv("HOME", home.c_str(), 1);
    PathInputs set = currentPathInputs();
    EXPECT_EQ(set.xdgDataHome, "/somewhere/data");
    EXPECT_EQ(set.home, home.string());
    EXPECT_TRUE(fs::exists(set.executableFolder / "talvex_platform_tests"));

    ::unsetenv("XDG_DATA_HOME");
    ::unsetenv("HOME");
    PathInputs unset = currentPathInputs();
    EXPECT_EQ(unset.xdgDataHome, "");
    EXPECT_FALSE(unset.home.empty()) << "the password database names a home";

    savedXdg ? ::setenv("XDG_DATA_HOME", xdgBefore.c_str(), 1) : ::unsetenv("XDG_DATA_HOME");
    savedHome ? ::setenv("HOME", homeBefore.c_str(), 1) : ::unsetenv("HOME");
}

} // namespace
} // namespace talvex
