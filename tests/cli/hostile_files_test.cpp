// Every command that takes a file, against what a hostile tester puts where a data file should
// be: nothing hangs, nothing is written over, and the exit code says bad input.

#include "cli_fixture.h"
#include "hostile_files.h"
#include "keys/factory_configuration.h"
#include "unprivileged.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace talvex {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class HostileFiles : public testing::Cli {
protected:
    // Makes `name` as the kind of thing `kind` says; false when this user cannot (a device node
    // needs root).
    bool make(const std::string& kind, const fs::path& at) {
        if (kind == "fifo")
            return ::mkfifo(at.c_str(), 0666) == 0;
        if (kind == "folder")
            return fs::create_directory(at);
        if (kind == "device")
            return ::mknod(at.c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0;
        if (kind == "wrong size")
            return writeFileAtomically(at, Bytes(4321, 7)).ok();
        if (kind == "macro file")
            return writeFileAtomically(at, Bytes(169860, 0)).ok();
        return false;
    }
    // What a look at `at` finds: its type and, for a regular file, its bytes.
    std::pair<fs::file_type, Bytes> look(const fs::path& at) {
        const auto type = fs::symlink_status(at).type();
        return {type, type == fs::file_type::regular ? *readFileBytes(at, 1 << 20) : Bytes{}};
    }
};

TEST_F(HostileFiles, SpecialAndForeignFilesAreRefusedAtOnceAndLeftAsTheyWere) {
    const std::string target = (dir / "target").string();
    struct Row {
        std::vector<std::string> args; // "@" stands for the hostile file
        std::vector<std::string> kinds;
    };
    const Row rows[] = {
        {{"inspect", "@"}, {"fifo", "folder", "device"}},
        {{"apply", "@"}, {"fifo", "folder", "device", "wrong size", "macro file"}},
        {{"assign", "@", "5", "single", "65"},
         {"fifo", "folder", "device", "wrong size", "macro file"}},
        {{"read", "@"}, {"fifo", "folder", "device"}},
        {{"--simulate=@", "info"}, {"fifo", "folder", "device", "wrong size"}},
    };
    for (const Row& row : rows) {
        for (const std::string& kind : row.kinds) {
            fs::remove_all(target);
            if (!make(kind, target))
                continue; // not root: no device node
            const auto before = look(target);
            std::vector<std::string> args = {"--simulate"};
            for (std::string arg : row.args) {
                if (const auto at = arg.find('@'); at != std::string::npos)
                    arg.replace(at, 1, target);
                if (arg.rfind("--simulate=", 0) == 0)
                    args[0] = arg;
                else
                    args.push_back(arg);
            }
            EXPECT_EQ(run(args), 2) << row.args[0] << " on a " << kind << ": " << err;
            EXPECT_NE(err.find(target), std::string::npos) << row.args[0] << ": " << err;
            EXPECT_EQ(look(target), before) << row.args[0] << " on a " << kind;
        }
    }
}

TEST_F(HostileFiles, AFileThatCannotBeReadIsNamedAndKept) {
    writeFile("locked.bin", factoryConfigurationBytes());
    fs::permissions(dir / "locked.bin", fs::perms::none);
    fs::permissions(dir, fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
    const std::string locked = (dir / "locked.bin").string();
    EXPECT_TRUE(testing::holdsForAnUnprivilegedUser([&] {
        return run({"inspect", locked}) == 2 && run({"--simulate", "apply", locked}) == 2 &&
               run({"assign", locked, "5", "single", "65"}) == 2 &&
               err.find("Permission denied") != std::string::npos;
    }));
    fs::permissions(dir / "locked.bin", fs::perms::owner_read);
    EXPECT_EQ(readFileBytes(dir / "locked.bin", 1 << 20), factoryConfigurationBytes());
}

TEST_F(HostileFiles, WritesGoThroughALinkAndKeepTheMode) {
    writeFile("real.bin", Bytes(5, 1));
    fs::permissions(dir / "real.bin", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("real.bin", dir / "backup.bin");
    ASSERT_EQ(run({"--simulate", "read", (dir / "backup.bin").string()}), 0) << err;
    EXPECT_TRUE(fs::is_symlink(dir / "backup.bin"));
    EXPECT_EQ(fs::file_size(dir / "real.bin"), kDeviceSettingsSize);
    EXPECT_EQ(fs::status(dir / "real.bin").permissions(),
              fs::perms::owner_read | fs::perms::owner_write);

    fs::create_symlink("keymap-real.bin", dir / "keymap.bin");
    writeFile("keymap-real.bin", factoryConfigurationBytes());
    ASSERT_EQ(run({"assign", (dir / "keymap.bin").string(), "5", "single", "65"}), 0) << err;
    EXPECT_TRUE(fs::is_symlink(dir / "keymap.bin"));
}

} // namespace
} // namespace talvex
