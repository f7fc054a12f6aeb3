// The data files under a hostile disk: a read-only program folder, a disk that fills up in the
// middle of keymap.bin, and a program killed while it writes each data file. Each case runs in a
// child process, where the limits (another user, a file size limit, SIGKILL) cannot leak into
// the rest of the tests. The old file must stay whole, or be replaced whole.

#include "keys/keymap_file.h"
#include "macros/macro_file.h"
#include "platform/file_io.h"
#include "profiles/profile_store.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <memory>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace talvex {
namespace {

namespace fs = std::filesystem;

class DataFileFaults : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("talvex-faults-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        fs::permissions(dir, fs::perms::owner_all);
        fs::remove_all(dir);
    }

    // Runs `body` in a child process; its return value becomes the exit status.
    static int inChild(const std::function<int()>& body) {
        const pid_t child = ::fork();
        if (child == 0)
            ::_exit(body());
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::vector<std::uint8_t> keymapBytes(std::uint8_t fill) {
        settings->bytes()[0] = fill;
        for (auto& byte : assignments->bytes())
            byte = fill;
        return keymapFileBytes(*settings, *assignments);
    }

    fs::path dir;
    std::unique_ptr<DeviceSettings> settings = std::make_unique<DeviceSettings>(zeroSettings());
    std::unique_ptr<KeyAssignments> assignments = std::make_unique<KeyAssignments>();
};

TEST_F(DataFileFaults, ReadOnlyProgramFolderKeepsTheFilesAndSaysSo) {
    const auto old = keymapBytes(1);
    ASSERT_TRUE(writeFileAtomically(dir / "keymap.bin", old).ok());
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                             fs::perms::group_exec | fs::perms::others_read |
                             fs::perms::others_exec);
    const int status = inChild([&] {
        // Root may write anywhere: act as an ordinary user, as the program runs.
        if (::geteuid() == 0 && ::setuid(65534) != 0)
            return 10;
        const FileResult keymap = saveKeymapFile(dir / "keymap.bin", *settings, *assignments);
        if (keymap.status != FileStatus::WriteFailed || keymap.message.empty())
            return 1;
        auto macros = std::make_unique<MacroStore>(emptyMacroStore());
        if (saveMacroFile(dir / "MacroDefine.bin", *macros).ok())
            return 2;
        if (loadMacroFile(dir / "MacroDefine.bin", *macros).status != FileStatus::WriteFailed)
            return 3;
        return 0;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readFileBytes(dir / "keymap.bin", kKeymapFileSize + 1), old);
    EXPECT_FALSE(fs::exists(dir / "MacroDefine.bin"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(DataFileFaults, DiskFullWhileWritingKeymapLeavesTheOldFileWhole) {
    const auto old = keymapBytes(1);
    ASSERT_TRUE(writeFileAtomically(dir / "keymap.bin", old).ok());
    keymapBytes(2);
    const int status = inChild([&] {
        // The disk fills after 100000 bytes of the new file: the write fails, no signal kills us.
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{100000, 100000};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 10;
        const FileResult saved = saveKeymapFile(dir / "keymap.bin", *settings, *assignments);
        return saved.ok() || saved.message.empty() ? 1 : 0;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readFileBytes(dir / "keymap.bin", kKeymapFileSize + 1), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1)
        << "the partial new file is removed";
}

// Kills a child that saves the file with `write` over and over, alternating between its two
// contents, at moments spread over the writes; after each kill the file must be one of them,
// whole. `write(false)` saves the old content `a`, `write(true)` the new content `b`.
void killMidWrite(const fs::path& file, const std::function<void(bool)>& write) {
    write(false);
    const auto a = readFileBytes(file, 1 << 20);
    write(true);
    const auto b = readFileBytes(file, 1 << 20);
    ASSERT_TRUE(a && b && *a != *b);
    for (int round = 0; round < 12; ++round) {
        const pid_t child = ::fork();
        if (child == 0) {
            for (int n = 0;; ++n)
                write(n % 2 == 1);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(3000 + round * 1700));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const auto now = readFileBytes(file, 1 << 20);
        ASSERT_TRUE(now.has_value());
        EXPECT_TRUE(*now == *a || *now == *b)
            << "round " << round << ": " << now->size() << " bytes";
    }
}

TEST_F(DataFileFaults, KilledWhileWritingEachDataFileLeavesTheOldOrTheNewFile) {
    killMidWrite(dir / "keymap.bin", [&](bool second) {
        keymapBytes(second ? 2 : 1);
        (void)saveKeymapFile(dir / "keymap.bin", *settings, *assignments);
    });

    auto macros = std::make_unique<MacroStore>(emptyMacroStore());
    killMidWrite(dir / "MacroDefine.bin", [&](bool second) {
        macros->records[0].setNameText(second ? u"Macro_002" : u"Macro_001");
        (void)saveMacroFile(dir / "MacroDefine.bin", *macros);
    });

    fs::create_directories(dir / "profiles");
    ProfileStore profiles(dir / "profiles");
    ASSERT_EQ(profiles.createProfile(), ProfileStatus::Done);
    killMidWrite(profiles.pathTable()[0], [&](bool second) {
        keymapBytes(second ? 4 : 3);
        (void)profiles.storeWorkingToProfile(0, *settings, *assignments, std::nullopt);
    });
}

} // namespace
} // namespace talvex
