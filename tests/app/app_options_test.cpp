#include "app/app_options.h"

#include <gtest/gtest.h>

namespace talvex {
namespace {

TEST(AppOptionsTest, SimulateWithAndWithoutAStateFile) {
    EXPECT_FALSE(parseAppArguments({}).options.simulate);

    const auto plain = parseAppArguments({"--simulate"});
    EXPECT_TRUE(plain.error.empty());
    EXPECT_TRUE(plain.options.simulate);
    EXPECT_EQ(plain.options.simulatorStateFile, "");

    const auto withFile = parseAppArguments({"--simulate=/tmp/k=1.state"});
    EXPECT_TRUE(withFile.error.empty());
    EXPECT_TRUE(withFile.options.simulate);
    EXPECT_EQ(withFile.options.simulatorStateFile, "/tmp/k=1.state");
}

TEST(AppOptionsTest, LanguageIsEnglishOrChinese) {
    EXPECT_EQ(parseAppArguments({"--lang=en", "--simulate"}).options.language, "en");
    EXPECT_EQ(parseAppArguments({"--lang=zh_CN"}).options.language, "zh_CN");
    EXPECT_EQ(parseAppArguments({}).options.language, "");
}

TEST(AppOptionsTest, AnythingElseIsRefused) {
    for (const char* wrong :
         {"--simulate=", "--simulated", "-s", "keymap.bin", "--lang=", "--lang=de", "--lang=zh"})
        EXPECT_FALSE(parseAppArguments({wrong}).error.empty()) << wrong;
}

} // namespace
} // namespace talvex
