#include "app/ui_language.h"

#include <gtest/gtest.h>

namespace talvex {
namespace {

TEST(UiLanguageTest, OptionThenVariableThenSystem) {
    using enum UiLanguage;
    struct Row {
        const char* option;
        const char* variable;
        std::vector<std::string> system;
        UiLanguage chosen;
    } rows[] = {
        {"en", "zh_CN", {"zh_CN"}, English},        // the command line wins
        {"zh_CN", "en", {"en_US"}, Chinese},        //
        {"", "en", {"zh_CN"}, English},             // then the variable
        {"", "zh_CN", {"de_DE"}, Chinese},          //
        {"", "fr", {"zh_TW"}, Chinese},             // an unknown variable is passed over
        {"", "", {"zh"}, Chinese},                  // then the first system language
        {"", "", {"zh_Hans_CN", "en_US"}, Chinese}, //
        {"", "", {"en_GB", "zh_CN"}, English},      //
        {"", "", {"de_DE"}, English},               // anything not Chinese is English
        {"", "", {"C"}, English},                   //
        {"", "", {}, English},                      //
    };
    for (const Row& row : rows)
        EXPECT_EQ(chooseUiLanguage(row.option, row.variable, row.system), row.chosen)
            << row.option << " / " << row.variable << " / "
            << (row.system.empty() ? "" : row.system.front());
}

} // namespace
} // namespace talvex
