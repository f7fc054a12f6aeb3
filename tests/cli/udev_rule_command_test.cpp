#include <cstdlib>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>

#include "cli/cli.h"
#include "device/hid_transport.h"
#include "platform/file_io.h"
#include "platform/udev_rule.h"

namespace talvex {
namespace {

std::string shippedRuleFile() {
    const char* source = std::getenv("TALVEX_SOURCE_DIR");
    EXPECT_NE(source, nullptr);
    auto bytes = readFileBytes(std::filesystem::path(source ? source : ".") / "resources" / "udev" /
                                   std::string(udevRuleFileName()),
                               1 << 16);
    EXPECT_TRUE(bytes.has_value());
    return bytes ? std::string(bytes->begin(), bytes->end()) : "";
}

TEST(UdevRuleCommand, PrintsExactlyTheShippedRuleFile) {
    std::ostringstream out, err;
    ASSERT_EQ(runCli({"udev-rule"}, out, err), 0);
    EXPECT_EQ(out.str(), shippedRuleFile());
    EXPECT_NE(err.str().find("/etc/udev/rules.d/70-kestrix.rules"), std::string::npos);

    EXPECT_EQ(runCli({"udev-rule", "extra"}, out, err), 2);
}

// The rule must match the keyboard the program looks for, and be read before logind's
// 73-seat-late.rules turns the uaccess tag into an access list for the user at the seat.
TEST(UdevRule, GrantsTheSeatUserTheKeyboardsHidrawNodes) {
    char ids[64];
    std::snprintf(ids, sizeof ids, R"(ATTRS\{idVendor\}=="%04x", ATTRS\{idProduct\}=="%04x")",
                  kKestrixVendorId, kKestrixProductId);
    const std::regex rule(std::string(R"((^|\n)SUBSYSTEM=="hidraw", )") + ids +
                          R"(, TAG\+="uaccess"\n)");
    EXPECT_TRUE(std::regex_search(std::string(udevRuleText()), rule)) << udevRuleText();
    EXPECT_LT(std::string(udevRuleFileName()), "73-seat-late.rules");
    EXPECT_TRUE(std::string(udevRuleFileName()).ends_with(".rules"));
}

} // namespace
} // namespace talvex
