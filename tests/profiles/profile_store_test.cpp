#include "keys/factory_configuration.h"
#include "profiles/profile_store.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <unistd.h>

#include "controls/list_box_model.h"
#include "keys/keymap_file.h"
#include "platform/file_io.h"

namespace talvex {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using Names = std::vector<std::string>;

class ProfileStoreTest : public ::testing::Test {
protected:
    static fs::path testRoot() {
        return fs::temp_directory_path() /
               ("talvex-profiles-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    void SetUp() override {
        fs::remove_all(root);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(root); }

    void put(const std::string& fileName, const Bytes& bytes) {
        ASSERT_TRUE(writeFileAtomically(folder / fileName, bytes));
    }
    Bytes get(const std::string& fileName) {
        return readFileBytes(folder / fileName, 1 << 20).value_or(Bytes{});
    }
    std::size_t fileCount(const fs::path& dir) {
        return std::distance(fs::directory_iterator(dir), fs::directory_iterator());
    }
    void makeProfiles(int count) {
        for (int i = 1; i <= count; ++i)
            put("P" + std::to_string(i) + ".bin", Bytes(10, static_cast<std::uint8_t>(i)));
        store.reloadProfiles();
    }

    fs::path root = testRoot();
    fs::path folder = root / "Configure";
    ProfileStore store{folder};
};

struct WorkingConfiguration {
    DeviceSettings settings{};
    KeyAssignments assignments{};

    WorkingConfiguration(std::uint8_t settingsByte, std::uint8_t assignmentByte) {
        std::fill(settings.bytes().begin(), settings.bytes().end(), settingsByte);
        std::fill(assignments.bytes().begin(), assignments.bytes().end(), assignmentByte);
    }
    Bytes image() const {
        Bytes out(settings.bytes().begin(), settings.bytes().end());
        out.insert(out.end(), assignments.bytes().begin(), assignments.bytes().end());
        return out;
    }
};

TEST_F(ProfileStoreTest, ListsSixProfilesInListBoxOrderAndRecordsTheSeventh) {
    for (const char* name : {"g", "C", "a", "F", "b", "e", "d", "h"})
        put(std::string(name) + ".bin", Bytes{1});
    put("notes.txt", Bytes{1});
    put(".bin", Bytes{1});
    fs::create_directory(folder / "folder.bin");
    store.reloadProfiles();
    EXPECT_EQ(store.names(), (Names{"a", "b", "C", "d", "e", "F"}));
    ASSERT_EQ(store.pathTable().size(), 7u);
    EXPECT_EQ(store.pathTable()[2], folder / "C.bin");
    EXPECT_EQ(store.pathTable()[6], folder / "g.bin");
}

TEST_F(ProfileStoreTest, ASortedListBoxFilledFromTheStoreKeepsItsIndices) {
    for (const char* name : {"b", "B", "Ab", "a_", "复制 a", "Z"})
        put(std::string(name) + ".bin", Bytes{1});
    store.reloadProfiles();
    ListBoxModel list(true);
    for (const std::string& name : store.names())
        list.addLine(name, 0);
    for (std::size_t i = 0; i < store.names().size(); ++i)
        EXPECT_EQ(list.text(static_cast<int>(i)), store.names()[i]);
}

TEST_F(ProfileStoreTest, MissingFolderIsEmptyAndRefusesToCreate) {
    ProfileStore missing(root / "nowhere");
    missing.reloadProfiles();
    EXPECT_TRUE(missing.names().empty());
    EXPECT_EQ(missing.createProfile(), ProfileStatus::WriteFailed);
    EXPECT_FALSE(fs::exists(root / "nowhere"));
}

TEST_F(ProfileStoreTest, CreateWritesZeroSettingsUnderTheFirstFreeNameUpToSix) {
    put("Profile_1.bin", Bytes{1});
    put("Profile_3.bin", Bytes{3});
    store.reloadProfiles();
    EXPECT_EQ(store.createProfile(), ProfileStatus::Done);
    EXPECT_EQ(get("Profile_2.bin"), factoryConfigurationBytes());
    EXPECT_EQ(store.names(), (Names{"Profile_1", "Profile_2", "Profile_3"}));

    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(store.createProfile(), ProfileStatus::Done);
    EXPECT_EQ(store.names().size(), 6u);
    EXPECT_EQ(store.createProfile(), ProfileStatus::LimitReached);
    EXPECT_EQ(fileCount(folder), 6u);
}

TEST_F(ProfileStoreTest, CreateNeverReplacesAFileThatIsNotListed) {
    fs::create_directory(folder / "Profile_1.bin");
    store.reloadProfiles();
    EXPECT_EQ(store.createProfile(), ProfileStatus::Done);
    EXPECT_EQ(store.names(), (Names{"Profile_2"}));
    EXPECT_TRUE(fs::is_directory(folder / "Profile_1.bin"));
}

TEST_F(ProfileStoreTest, CopiesArePaddedToAWholeProfileAndNumbered) {
    Bytes settingsOnly(kDeviceSettingsSize, 7);
    put("A.bin", settingsOnly);
    store.reloadProfiles();
    Bytes expected = settingsOnly;
    expected.resize(kKeymapFileSize, 0);
    for (const char* name : {"复制 A.bin", "复制 A 1.bin", "复制 A 2.bin"}) {
        EXPECT_EQ(store.copyProfile(0), ProfileStatus::Done);
        EXPECT_EQ(get(name), expected) << name;
    }
    EXPECT_EQ(get("A.bin"), settingsOnly);
}

TEST_F(ProfileStoreTest, CopyStopsAtSixAndReportsAnUnreadableSource) {
    makeProfiles(5);
    fs::remove(folder / "P2.bin");
    EXPECT_EQ(store.copyProfile(1), ProfileStatus::ReadFailed);
    EXPECT_EQ(fileCount(folder), 4u);

    makeProfiles(6);
    EXPECT_EQ(store.copyProfile(0), ProfileStatus::LimitReached);
    EXPECT_EQ(fileCount(folder), 6u);
    EXPECT_EQ(store.copyProfile(6), ProfileStatus::LimitReached);
}

TEST_F(ProfileStoreTest, RenameMovesTheFileAndAcceptsATypedEnding) {
    makeProfiles(2);
    EXPECT_EQ(store.renameProfile(0, "Racing.bin"), ProfileStatus::Done);
    EXPECT_EQ(store.names(), (Names{"P2", "Racing"}));
    EXPECT_EQ(get("Racing.bin"), Bytes(10, 1));
    EXPECT_FALSE(fs::exists(folder / "P1.bin"));
    EXPECT_EQ(store.renameProfile(1, "Racing"), ProfileStatus::Done);
    EXPECT_EQ(store.names(), (Names{"P2", "Racing"}));
}

TEST_F(ProfileStoreTest, RenameOntoAnotherProfileOrAnUnlistedFileChangesNothing) {
    makeProfiles(7);
    EXPECT_EQ(store.renameProfile(0, "P2"), ProfileStatus::NameTaken);
    EXPECT_EQ(store.renameProfile(0, "P7"), ProfileStatus::NameTaken);
    for (int i = 1; i <= 7; ++i)
        EXPECT_EQ(get("P" + std::to_string(i) + ".bin"), Bytes(10, static_cast<std::uint8_t>(i)));
}

TEST_F(ProfileStoreTest, RenameRefusesNamesOutsideTheFolder) {
    makeProfiles(1);
    for (const char* bad : {"../Escaped", "sub/x", "", "..", "a\\b"})
        EXPECT_EQ(store.renameProfile(0, bad), ProfileStatus::InvalidName) << bad;
    EXPECT_EQ(get("P1.bin"), Bytes(10, 1));
    EXPECT_EQ(fileCount(root), 1u);
    EXPECT_EQ(fileCount(folder), 1u);
    EXPECT_EQ(store.renameProfile(1, "New"), ProfileStatus::NoSuchProfile);
}

TEST_F(ProfileStoreTest, DeleteRemovesTheFileAndReportsAFailure) {
    makeProfiles(3);
    EXPECT_EQ(store.deleteProfile(1), ProfileStatus::Done);
    EXPECT_EQ(store.names(), (Names{"P1", "P3"}));
    EXPECT_FALSE(fs::exists(folder / "P2.bin"));

    // The listed file was replaced behind the store's back by something it cannot delete.
    fs::remove(folder / "P1.bin");
    fs::create_directories(folder / "P1.bin" / "inside");
    EXPECT_EQ(store.deleteProfile(0), ProfileStatus::DeleteFailed);
    EXPECT_TRUE(fs::exists(folder / "P1.bin" / "inside"));
    EXPECT_EQ(store.names(), (Names{"P3"}));
    EXPECT_EQ(store.deleteProfile(5), ProfileStatus::NoSuchProfile);
}

TEST_F(ProfileStoreTest, TheLongestNameTheRuleAcceptsCanBeSaved) {
    makeProfiles(1);
    const std::string longest(251, 'x'); // with ".bin", the file system's 255 bytes
    ASSERT_EQ(store.renameProfile(0, longest), ProfileStatus::Done);
    WorkingConfiguration working(0x11, 0x22);
    EXPECT_EQ(store.storeWorkingToProfile(0, working.settings, working.assignments, std::nullopt),
              ProfileStatus::Done);
    EXPECT_EQ(get(longest + ".bin"), working.image());
    EXPECT_EQ(store.renameProfile(0, longest + "x"), ProfileStatus::InvalidName);
}

TEST_F(ProfileStoreTest, StoreWritesTheWorkingConfigurationToProfileAndExport) {
    makeProfiles(2);
    WorkingConfiguration working(0x11, 0x22);
    EXPECT_EQ(
        store.storeWorkingToProfile(1, working.settings, working.assignments, root / "export.bin"),
        ProfileStatus::Done);
    EXPECT_EQ(get("P2.bin"), working.image());
    EXPECT_EQ(readFileBytes(root / "export.bin", 1 << 20), working.image());
    EXPECT_EQ(get("P1.bin"), Bytes(10, 1));

    EXPECT_EQ(store.storeWorkingToProfile(0, working.settings, working.assignments,
                                          root / "nowhere" / "export.bin"),
              ProfileStatus::ExportFailed);
    EXPECT_EQ(get("P1.bin"), working.image());
}

TEST_F(ProfileStoreTest, OnlyASettingsImageOrAWholeConfigurationIsRead) {
    struct Row {
        std::size_t size;
        ProfileStatus status;
    };
    const Row rows[] = {
        {0, ProfileStatus::WrongSize},
        {kDeviceSettingsSize - 1, ProfileStatus::WrongSize},
        {kDeviceSettingsSize, ProfileStatus::Done}, // settings; the assignments stay
        {kDeviceSettingsSize + kKeyAssignmentSize, ProfileStatus::WrongSize},
        {kKeymapFileSize - 1, ProfileStatus::WrongSize},
        {kKeymapFileSize, ProfileStatus::Done},
        {kKeymapFileSize + 1, ProfileStatus::WrongSize},
    };
    for (const Row& row : rows) {
        WorkingConfiguration working(0x11, 0x22);
        ASSERT_TRUE(writeFileAtomically(root / "in.bin", Bytes(row.size, 0x33)));
        EXPECT_EQ(readConfigurationFile(root / "in.bin", working.settings, working.assignments),
                  row.status)
            << row.size;
        const bool read = row.status == ProfileStatus::Done;
        EXPECT_EQ(working.settings.reserved3, read ? 0x33 : 0x11) << row.size;
        EXPECT_EQ(working.assignments.bytes().back(), row.size == kKeymapFileSize ? 0x33 : 0x22)
            << row.size;
    }
    WorkingConfiguration working(0x11, 0x22);
    EXPECT_EQ(readConfigurationFile(root / "missing.bin", working.settings, working.assignments),
              ProfileStatus::ReadFailed);
    EXPECT_EQ(working.image(), WorkingConfiguration(0x11, 0x22).image());
}

} // namespace
} // namespace talvex
