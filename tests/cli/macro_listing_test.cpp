#include "cli/macro_listing.h"
#include "macros/macro_file.h"

#include <gtest/gtest.h>
#include <sstream>

namespace talvex {
namespace {

// A MacroDefine.bin image built byte by byte, independently of the record type.
std::vector<std::uint8_t> imageWithTwoMacros() {
    std::vector<std::uint8_t> image(kMacroStoreSize, 0);
    auto put = [&](std::size_t at, std::initializer_list<std::uint8_t> bytes) {
        std::copy(bytes.begin(), bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(at));
    };
    // Record 0: "Fire", loop count 300, delays recorded: press A, 300 ms, release A.
    put(0, {'F', 0, 'i', 0, 'r', 0, 'e', 0});
    put(510, {0x2C, 0x01});
    put(512, {0x01});
    put(513, {0x01, 4, 0xFF, 4, 0x01, 0x2C});
    put(703, {0x01, 65, 0xFF, 65, 0x01, 0x2C});
    // Record 1: "Zeta", loop count 1, a left click then the digit 0.
    const std::size_t r1 = kMacroRecordSize;
    put(r1, {'Z', 0, 'e', 0, 't', 0, 'a', 0});
    put(r1 + 510, {0x01, 0x00});
    put(r1 + 703, {0x01, 0xF0, 0x81, 0xF0, 0x01, 48});
    // Record 3 after an unused record 2 is not in use.
    put(3 * kMacroRecordSize, {'X', 0});
    return image;
}

TEST(MacroListingTest, ListsEachMacroInUseWithItsEventLines) {
    MacroStore macros = macroStoreFromBytes(imageWithTwoMacros());
    std::ostringstream out;
    printMacroListing(out, buildKeyNameTable(), macros);
    EXPECT_EQ(out.str(), "macro 0 \"Fire\": loop count 300, delays recorded, 2 events in 6 of "
                         "190 bytes\n"
                         "    A  dn\n"
                         "    300 ms\n"
                         "    A  up\n"
                         "macro 1 \"Zeta\": loop count 1, delays not recorded, 3 events in 6 of "
                         "190 bytes\n"
                         "    MsLB dn\n"
                         "    MsLB up\n"
                         "    0 dn\n");
}

TEST(MacroListingTest, EmptyAndShortImages) {
    std::ostringstream out;
    printMacroListing(out, buildKeyNameTable(), macroStoreFromBytes({}));
    EXPECT_EQ(out.str(), "no macros\n");

    std::vector<std::uint8_t> image = imageWithTwoMacros();
    image.resize(520); // cut inside record 0's events
    out.str("");
    printMacroListing(out, buildKeyNameTable(), macroStoreFromBytes(image));
    EXPECT_EQ(out.str(), "macro 0 \"Fire\": loop count 300, delays recorded, 0 events in 0 of "
                         "190 bytes\n");
}

} // namespace
} // namespace talvex
