#include "profiles/profile_names.h"

#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace talvex {
namespace {

NameInUse takenFrom(const std::set<std::string>& names) {
    return [names](const std::string& n) { return names.count(n) > 0; };
}

TEST(ProfileNames, NewNameChangesFormAtTenAndAtNinetyNine) {
    std::set<std::string> taken;
    for (int i = 1; i <= 9; ++i)
        taken.insert("Profile_" + std::to_string(i));
    EXPECT_EQ(makeNewProfileName(takenFrom(taken)), "Profile010");
    for (int i = 10; i <= 98; ++i)
        taken.insert("Profile0" + std::to_string(i));
    EXPECT_EQ(makeNewProfileName(takenFrom(taken)), "Profile99");
    taken.insert("Profile99");
    EXPECT_EQ(makeNewProfileName(takenFrom(taken)), "Profile100");
}

TEST(ProfileNames, NamesThatCouldLeaveTheFolderOrThatFileSystemsRefuseAreInvalid) {
    for (const std::string& bad :
         std::vector<std::string>{"", "..", "a/b", "a\\b", "../x", "x..y", "a:b", "a*b", "a?b",
                                  "a\"b", "a<b", "a>b", "a|b", "tab\there", "trailing.",
                                  "trailing ", std::string("nul\0byte", 8), std::string(252, 'x')})
        EXPECT_FALSE(isValidProfileName(bad)) << bad;
    for (const std::string& good : std::vector<std::string>{"Profile_1", "复制 A 1", "my.game",
                                                            ".hidden", std::string(251, 'x')})
        EXPECT_TRUE(isValidProfileName(good)) << good;
}

TEST(ProfileNames, OnlyTheTrailingBinEndingIsRemoved) {
    EXPECT_EQ(profileNameOfFile("Game.bin"), "Game");
    EXPECT_EQ(profileNameOfFile("a.bin.bin"), "a.bin");
    EXPECT_EQ(profileNameOfFile("a.binary.bin"), "a.binary");
    EXPECT_FALSE(profileNameOfFile(".bin"));
    EXPECT_FALSE(profileNameOfFile("Game.BIN"));
    EXPECT_FALSE(profileNameOfFile("Game.bin.tmp-123456"));
    EXPECT_EQ(editedProfileName("Game.bin"), "Game");
    EXPECT_EQ(editedProfileName("Game"), "Game");
}

} // namespace
} // namespace talvex
