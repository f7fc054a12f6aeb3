#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <utility>
#include <vector>

#include "cli/cli.h"
#include "platform/file_io.h"
#include "test_folder.h"

namespace talvex {
namespace {

class AssignCommandTest : public ::testing::Test {
protected:
    int assign(std::vector<std::string> args) {
        args.insert(args.begin(), {"assign", file});
        out.str("");
        err.str("");
        return runCli(args, out, err);
    }

    std::vector<std::uint8_t> bytes() {
        return readFileBytes(file, 1 << 20).value_or(std::vector<std::uint8_t>{});
    }

    // Slot bytes of a matrix cell and fields of an entry, at offsets computed by hand.
    std::vector<std::uint8_t> slot(std::size_t cell) {
        const auto b = bytes();
        return {b.begin() + 792 + 4 * cell, b.begin() + 796 + 4 * cell};
    }
    std::uint8_t entryByte(std::size_t position, std::size_t offset) {
        return bytes().at(10060 + 772 * position + offset);
    }

    testing::TestFolder folder{"talvex-assign"};
    std::string file = (folder / "km.bin").string();
    std::ostringstream out, err;
};

TEST_F(AssignCommandTest, SingleKeyOnEscAndProgramOnEnter) {
    ASSERT_EQ(assign({"0", "single", "65"}), 0) << err.str();
    EXPECT_EQ(bytes().size(), 206920u);
    EXPECT_EQ(slot(5), (std::vector<std::uint8_t>{0, 0, 4, 0}));
    EXPECT_EQ(entryByte(0, 1), 0);   // type
    EXPECT_EQ(entryByte(0, 2), 65);  // first captured key
    EXPECT_EQ(entryByte(0, 257), 1); // key count

    ASSERT_EQ(assign({"74", "program", "/usr/bin/true"}), 0) << err.str();
    EXPECT_EQ(slot(13 * 6 + 2), (std::vector<std::uint8_t>{10, 0, 13, 0}));
    EXPECT_EQ(entryByte(74, 1), 5);
    EXPECT_EQ(entryByte(74, 260), '/');
    EXPECT_EQ(entryByte(74, 262), 'u');
    EXPECT_NE(out.str().find("/usr/bin/true"), std::string::npos);
    // The first assignment is still there.
    EXPECT_EQ(slot(5), (std::vector<std::uint8_t>{0, 0, 4, 0}));
}

TEST_F(AssignCommandTest, DisableThenRestoreReEnablesTheKey) {
    ASSERT_EQ(assign({"62", "disable"}), 0) << err.str(); // Caps at column 0, row 2
    EXPECT_EQ(bytes().at(7477) & 0x04, 0);
    ASSERT_EQ(assign({"62", "function", "复制"}), 0) << err.str();
    EXPECT_EQ(slot(2), (std::vector<std::uint8_t>{0, 224, 6, 0}));
    EXPECT_EQ(bytes().at(7477) & 0x04, 0); // the switch stays as the key was
    ASSERT_EQ(assign({"62", "restore"}), 0) << err.str();
    EXPECT_EQ(slot(2), (std::vector<std::uint8_t>{0, 0, 57, 0}));
    EXPECT_EQ(bytes().at(7477) & 0x04, 0x04);
    EXPECT_EQ(entryByte(62, 1), 0);
}

TEST_F(AssignCommandTest, EachHostActionKindStoresItsOwnType) {
    const std::pair<const char*, std::uint8_t> kinds[] = {
        {"sound", 4}, {"program", 5}, {"file", 6}, {"folder", 7}};
    for (const auto& [kind, type] : kinds) {
        ASSERT_EQ(assign({"74", kind, "/tmp/x"}), 0) << err.str();
        EXPECT_EQ(entryByte(74, 1), type) << kind;
    }
}

TEST_F(AssignCommandTest, InspectListsTheEntriesInUse) {
    ASSERT_EQ(assign({"5", "combo", "162", "164", "46"}), 0);
    ASSERT_EQ(assign({"17", "macro", "3"}), 0);
    ASSERT_EQ(assign({"74", "folder", "/tmp/"}), 0);
    ASSERT_EQ(assign({"62", "disable"}), 0);
    ASSERT_EQ(runCli({"--json", "inspect", file}, out, err), 0) << err.str();
    const std::string report = out.str();
    const std::string section = report.substr(report.find("\"assignments\""));
    EXPECT_NE(section.find("\"keys\": \"LCtrl + LAlt + Del\""), std::string::npos) << section;
    EXPECT_NE(section.find("\"macro\": 3"), std::string::npos) << section;
    EXPECT_NE(section.find("\"path\": \"/tmp/\""), std::string::npos) << section;
    EXPECT_NE(section.find("\"position\": 62"), std::string::npos) << section;
    // Nothing else is in use.
    std::size_t entries = 0;
    for (std::size_t at = section.find("\"position\""); at != std::string::npos;
         at = section.find("\"position\"", at + 1))
        ++entries;
    EXPECT_EQ(entries, 4u);
}

TEST_F(AssignCommandTest, BadArgumentsLeaveTheFileUntouched) {
    ASSERT_EQ(assign({"0", "single", "65"}), 0);
    const auto before = bytes();
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"0"},
        {"108", "single", "65"},
        {"-1", "single", "65"},
        {"0", "single", "256"},
        {"0", "single", "65", "66"},
        {"0", "single", "226"},       // the ISO extra key: the keyboard has no code for it
        {"0", "combo", "162", "124"}, // F13
        {"0", "single", "0"},
        {"0", "combo", "65"},
        {"0", "combo", "1", "2", "3", "4"},
        {"0", "macro", "32"},
        {"0", "function", "不存在"},
        {"0", "sound"},
        {"0", "folder", std::string(256, 'a')},
        {"0", "enable", "now"},
        {"0", "paint"},
    };
    for (const auto& args : bad) {
        EXPECT_EQ(assign(args), 2) << ::testing::PrintToString(args);
        EXPECT_FALSE(err.str().empty());
    }
    EXPECT_EQ(bytes(), before);
    // A key the keyboard sends only as a function says which one to assign.
    EXPECT_EQ(assign({"0", "single", "173"}), 2);
    EXPECT_NE(err.str().find("function 静音"), std::string::npos) << err.str();

    file = (folder / "absent.bin").string();
    EXPECT_EQ(assign({"0", "single", "x"}), 2);
    EXPECT_FALSE(std::filesystem::exists(file));
}

} // namespace
} // namespace talvex
