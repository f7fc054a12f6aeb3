#include "platform/file_io.h"

#include "test_folder.h"
#include "unprivileged.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace talvex {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class FileIoTest : public ::testing::Test {
protected:
    void TearDown() override { fs::permissions(dir, fs::perms::owner_all); }
    std::size_t entries() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
    }
    testing::TestFolder folder{"talvex-fileio"};
    fs::path dir = folder.path();
};

TEST_F(FileIoTest, AtomicWriteReplacesWholeAndLeavesNoTemporaryFile) {
    Bytes a(1000, 1), b(10, 2);
    ASSERT_TRUE(writeFileAtomically(dir / "f.bin", a));
    ASSERT_TRUE(writeFileAtomically(dir / "f.bin", b));
    EXPECT_EQ(readFileBytes(dir / "f.bin", 1 << 20), b);
    EXPECT_EQ(entries(), 1u);
}

TEST_F(FileIoTest, ReadStopsAtLimitAndMissingFileSaysSo) {
    ASSERT_TRUE(writeFileAtomically(dir / "f.bin", Bytes(100, 3)));
    EXPECT_EQ(readFileBytes(dir / "f.bin", 10)->size(), 10u);
    Bytes out;
    EXPECT_EQ(readDataFile(dir / "missing.bin", 10, out).status, FileStatus::Missing);
}

// Nothing but a regular file is read or replaced, and neither refusal waits: a FIFO with no
// writer would block a plain open forever.
TEST_F(FileIoTest, SpecialFilesAreRefusedAtOnceAndLeftAlone) {
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    fs::create_directory(dir / "folder");
    ASSERT_EQ(::mknod((dir / "null").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0,
              ::geteuid() == 0);
    for (const char* name : {"fifo", "folder", "null"}) {
        if (!fs::exists(fs::symlink_status(dir / name)))
            continue; // only root may make the device node
        const auto type = fs::symlink_status(dir / name).type();
        Bytes out;
        const FileResult read = readDataFile(dir / name, 100, out);
        EXPECT_EQ(read.status, FileStatus::NotRegularFile) << name;
        EXPECT_NE(read.message.find((dir / name).string()), std::string::npos) << read.message;
        EXPECT_EQ(writeFileAtomically(dir / name, Bytes(5, 1)).status, FileStatus::NotRegularFile)
            << name;
        EXPECT_EQ(fs::symlink_status(dir / name).type(), type) << name;
    }
    EXPECT_EQ(entries(), fs::exists(dir / "null") ? 3u : 2u) << "no temporary file left";
}

TEST_F(FileIoTest, ASaveKeepsTheLinkTheModeAndAnyValidName) {
    ASSERT_TRUE(writeFileAtomically(dir / "target.bin", Bytes(4, 1)));
    fs::permissions(dir / "target.bin", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("target.bin", dir / "link.bin");
    ASSERT_TRUE(writeFileAtomically(dir / "link.bin", Bytes(6, 2)));
    EXPECT_TRUE(fs::is_symlink(dir / "link.bin"));
    EXPECT_EQ(readFileBytes(dir / "target.bin", 100), Bytes(6, 2));
    EXPECT_EQ(fs::status(dir / "target.bin").permissions(),
              fs::perms::owner_read | fs::perms::owner_write);

    const std::string longest(255, 'n');
    EXPECT_TRUE(writeFileAtomically(dir / longest, Bytes(3, 3)));
    EXPECT_EQ(readFileBytes(dir / longest, 100), Bytes(3, 3));
}

TEST_F(FileIoTest, WithoutPermissionNothingChangesAndTheMessageNamesTheFolder) {
    const Bytes a(5, 1);
    ASSERT_TRUE(writeFileAtomically(dir / "f.bin", a));
    ASSERT_TRUE(writeFileAtomically(dir / "secret.bin", a));
    fs::permissions(dir / "secret.bin", fs::perms::none);
    fs::permissions(dir, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    fs::permissions(dir, fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
    EXPECT_TRUE(testing::holdsForAnUnprivilegedUser([&] {
        const FileResult write = writeFileAtomically(dir / "f.bin", Bytes(3, 9));
        Bytes out;
        const FileResult read = readDataFile(dir / "secret.bin", 100, out);
        return write.status == FileStatus::WriteFailed &&
               write.message.find(dir.string()) != std::string::npos &&
               read.status == FileStatus::ReadFailed && read.damaged();
    }));
    EXPECT_EQ(readFileBytes(dir / "f.bin", 100), a);
    EXPECT_EQ(entries(), 2u);
}

TEST_F(FileIoTest, OnlyOldLeftoversOfOurOwnSavesAreSwept) {
    const auto age = [&](const char* name, std::chrono::seconds by) {
        ASSERT_TRUE(writeFileAtomically(dir / name, Bytes(1, 0)));
        fs::last_write_time(dir / name, fs::file_time_type::clock::now() - by);
    };
    age(".talvex-tmp-Ab12Cd", std::chrono::seconds(120));    // swept
    age("keymap.bin.tmp-Zz9Yy8", std::chrono::seconds(120)); // an older version's: swept
    age(".talvex-tmp-fresh1", std::chrono::seconds(5));      // a save in progress: kept
    age("notes.txt.tmp-abcdef", std::chrono::seconds(120));  // not ours: kept
    age("keymap.bin", std::chrono::seconds(120));            // kept
    EXPECT_EQ(sweepLeftoverTemporaryFiles(dir), 2);
    EXPECT_FALSE(fs::exists(dir / ".talvex-tmp-Ab12Cd"));
    EXPECT_FALSE(fs::exists(dir / "keymap.bin.tmp-Zz9Yy8"));
    EXPECT_EQ(entries(), 3u);
}

} // namespace
} // namespace talvex
