#include "platform/file_io.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace talvex {
namespace {

namespace fs = std::filesystem;

class FileIoTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("talvex-fileio-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        fs::permissions(dir, fs::perms::owner_all);
        fs::remove_all(dir);
    }
    fs::path dir;
};

TEST_F(FileIoTest, AtomicWriteReplacesWholeAndLeavesNoTemporaryFile) {
    std::vector<std::uint8_t> a(1000, 1), b(10, 2);
    ASSERT_TRUE(writeFileAtomically(dir / "f.bin", a));
    ASSERT_TRUE(writeFileAtomically(dir / "f.bin", b));
    EXPECT_EQ(readFileBytes(dir / "f.bin", 1 << 20), b);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(FileIoTest, FailedWriteKeepsOldFileAndSaysWhy) {
    std::vector<std::uint8_t> a(5, 1);
    ASSERT_TRUE(writeFileAtomically(dir / "f.bin", a));
    if (::geteuid() == 0)
        GTEST_SKIP() << "root ignores folder permissions";
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    std::string error;
    EXPECT_FALSE(writeFileAtomically(dir / "f.bin", std::vector<std::uint8_t>(3, 9), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(readFileBytes(dir / "f.bin", 100), a);
}

TEST_F(FileIoTest, ReadStopsAtLimitAndMissingFileIsEmptyOptional) {
    ASSERT_TRUE(writeFileAtomically(dir / "f.bin", std::vector<std::uint8_t>(100, 3)));
    EXPECT_EQ(readFileBytes(dir / "f.bin", 10)->size(), 10u);
    EXPECT_FALSE(readFileBytes(dir / "missing.bin", 10).has_value());
}

} // namespace
} // namespace talvex
