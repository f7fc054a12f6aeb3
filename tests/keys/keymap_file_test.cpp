#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "keys/configuration_check.h"
#include "keys/factory_configuration.h"
#include "keys/key_positions.h"
#include "keys/keymap_file.h"
#include "platform/file_io.h"
#include "test_folder.h"

namespace talvex {
namespace {

class KeymapFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (auto& b : assignments.bytes())
            b = 0xAA;
    }

    void writeRaw(const std::vector<std::uint8_t>& bytes) {
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }

    std::vector<std::uint8_t> readRaw() {
        auto bytes = readFileBytes(file, 1 << 20);
        return bytes ? *bytes : std::vector<std::uint8_t>{};
    }

    testing::TestFolder folder{"talvex-keymap"};
    std::filesystem::path file = folder / "keymap.bin";
    DeviceSettings settings = zeroSettings();
    KeyAssignments assignments;
};

// Offsets of the file computed by hand, not through the structs under test.
TEST_F(KeymapFileTest, LayoutMatchesHandComputedOffsets) {
    settings.keyTable[0] = 0x11;            // file offset 792
    settings.keyFlags[20] = 0x22;           // 7477 + 20
    settings.reserved3 = 0x33;              // 10059
    assignments[0].vk = 0x44;               // 10060
    assignments[1].type = 0x55;             // 10060 + 772 + 1
    assignments[2].keyCount = 0x66;         // 10060 + 2 * 772 + 257
    assignments[3].setPathText(u"\u4e2d/"); // 10060 + 3 * 772 + 260, UTF-16LE
    assignments[254].path[511] = 0x77;      // last byte of the file
    ASSERT_TRUE(saveKeymapFile(file, settings, assignments));

    const std::vector<std::uint8_t> bytes = readRaw();
    ASSERT_EQ(bytes.size(), 206920u);
    EXPECT_EQ(bytes[792], 0x11);
    EXPECT_EQ(bytes[7497], 0x22);
    EXPECT_EQ(bytes[10059], 0x33);
    EXPECT_EQ(bytes[10060], 0x44);
    EXPECT_EQ(bytes[10833], 0x55);
    EXPECT_EQ(bytes[11861], 0x66);
    const std::size_t path = 10060 + 3 * 772 + 260;
    EXPECT_EQ(bytes[path], 0x2D);
    EXPECT_EQ(bytes[path + 1], 0x4E);
    EXPECT_EQ(bytes[path + 2], '/');
    EXPECT_EQ(bytes[path + 3], 0);
    EXPECT_EQ(bytes[path + 4], 0);
    EXPECT_EQ(bytes[206919], 0x77);
}

TEST_F(KeymapFileTest, LoadReadsBothBlocksAndSetsPositionVks) {
    std::vector<std::uint8_t> bytes(206920, 0);
    bytes[7450] = 9;                 // lightEffect
    bytes[10060 + 74 * 772 + 1] = 5; // entry 74: StartProgram
    bytes[10060 + 74 * 772] = 99;    // a wrong VK in the file
    bytes[10060 + 200 * 772] = 42;   // entries past the keys keep what the file says
    writeRaw(bytes);

    EXPECT_EQ(loadKeymapFile(file, settings, assignments, false).status, FileStatus::Ok);
    EXPECT_EQ(settings.lightEffect, 9);
    EXPECT_EQ(assignments[74].type, 5);
    EXPECT_EQ(assignments[74].vk, 13);
    EXPECT_EQ(assignments[0].vk, 27);
    EXPECT_EQ(assignments[200].vk, 42);
    EXPECT_EQ(assignments[5].data[0], 0);
}

TEST_F(KeymapFileTest, KeepSettingsReadsOnlyTheAssignments) {
    std::vector<std::uint8_t> bytes(206920, 0x01);
    writeRaw(bytes);
    settings.lightEffect = 7;
    EXPECT_EQ(loadKeymapFile(file, settings, assignments, true).status, FileStatus::Ok);
    EXPECT_EQ(settings.lightEffect, 7);
    EXPECT_EQ(settings.keyTable[0], 0);
    EXPECT_EQ(assignments[10].type, 1);
}

TEST_F(KeymapFileTest, ShortFilesReplaceOnlyTheBytesTheyHold) {
    // Ends inside the settings image: the assignments stay.
    writeRaw(std::vector<std::uint8_t>(100, 0x01));
    settings.reserved3 = 0x09;
    EXPECT_EQ(loadKeymapFile(file, settings, assignments, false).status, FileStatus::WrongSize);
    EXPECT_EQ(settings.reserved0[0], 0x01);
    EXPECT_EQ(settings.reserved3, 0x09);
    EXPECT_EQ(assignments[0].type, 0xAA);

    // Ends inside entry 1.
    writeRaw(std::vector<std::uint8_t>(10060 + 772 + 3, 0x02));
    EXPECT_EQ(loadKeymapFile(file, settings, assignments, false).status, FileStatus::WrongSize);
    EXPECT_EQ(assignments[0].keyCount, 0x02);
    EXPECT_EQ(assignments[1].type, 0x02);
    EXPECT_EQ(assignments[1].data[1], 0xAA);

    writeRaw({});
    EXPECT_EQ(loadKeymapFile(file, settings, assignments, false).status, FileStatus::WrongSize);
    EXPECT_EQ(assignments[1].data[1], 0xAA);
}

TEST_F(KeymapFileTest, LongFileIgnoresTheExtraBytes) {
    std::vector<std::uint8_t> bytes(206920 + 5000, 0x03);
    writeRaw(bytes);
    EXPECT_EQ(loadKeymapFile(file, settings, assignments, false).status, FileStatus::WrongSize);
    EXPECT_EQ(assignments[254].path[511], 0x03);
}

TEST_F(KeymapFileTest, MissingFileIsCreatedWithEmptyAssignments) {
    settings.gameMode = 1;
    EXPECT_EQ(loadKeymapFile(file, settings, assignments, true).status, FileStatus::Created);
    EXPECT_EQ(assignments[74].type, 0);
    EXPECT_EQ(assignments[74].vk, 13);
    EXPECT_EQ(assignments[200].vk, 0);
    const std::vector<std::uint8_t> bytes = readRaw();
    ASSERT_EQ(bytes.size(), 206920u);
    EXPECT_EQ(bytes[7476], 1);
    EXPECT_EQ(bytes, keymapFileBytes(settings, assignments));

    // Without settings to keep, a first keymap.bin holds the factory configuration: loaded and
    // saved, a zeroed one would disable every key.
    std::filesystem::remove(file);
    EXPECT_EQ(loadKeymapFile(file, settings, assignments, false).status, FileStatus::Created);
    EXPECT_EQ(readRaw(), factoryConfigurationBytes());
    EXPECT_EQ(settings, factorySettings());
    EXPECT_TRUE(hasWorkingKey(settings));
    EXPECT_FALSE(firstProblem(settings, &assignments, nullptr, CheckScope::Send));
}

TEST_F(KeymapFileTest, MissingFileThatCannotBeCreatedLeavesZeroedAssignments) {
    file = folder / "no-such-folder" / "keymap.bin";
    EXPECT_EQ(loadKeymapFile(file, settings, assignments, false).status, FileStatus::WriteFailed);
    EXPECT_EQ(assignments[3].type, 0);
    EXPECT_EQ(assignments[3].vk, keyPositions()[3].vk);
}

// A keymap.bin that exists but cannot be read (here: a folder of that name, which even root
// cannot read as a file) must not be replaced by a fresh one.
TEST_F(KeymapFileTest, UnreadableFileIsNeverReplaced) {
    std::filesystem::create_directory(file);
    std::ofstream(file / "inside") << "x";
    EXPECT_EQ(loadKeymapFile(file, settings, assignments, false).status,
              FileStatus::NotRegularFile);
    EXPECT_EQ(assignments[3].type, 0xAA);
    EXPECT_EQ(assignments[3].vk, keyPositions()[3].vk);
    EXPECT_TRUE(std::filesystem::exists(file / "inside"));
}

} // namespace
} // namespace talvex
