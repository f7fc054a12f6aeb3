#include "cli/cli.h"
#include "macros/macro_record.h"
#include "platform/file_io.h"
#include "test_folder.h"

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
    // Record 3, after the unused record 2, is not in use.
    put(3 * kMacroRecordSize, {'X', 0});
    return image;
}

class InspectMacrosTest : public ::testing::Test {
protected:
    // `kestrix-cli inspect` of the image written as MacroDefine.bin; the standard output.
    std::string inspect(const std::vector<std::uint8_t>& image, bool json = false) {
        const auto file = folder / "MacroDefine.bin";
        EXPECT_TRUE(writeFileAtomically(file, image));
        std::vector<std::string> args{"inspect", file.string()};
        if (json)
            args.insert(args.begin(), "--json");
        std::ostringstream out, err;
        EXPECT_EQ(runCli(args, out, err), 0) << err.str();
        return out.str();
    }
    testing::TestFolder folder{"talvex-inspect-macros"};
};

// The fragments appear in this order in the text.
void expectInOrder(const std::string& text, const std::vector<std::string>& fragments) {
    std::size_t at = 0;
    for (const std::string& fragment : fragments) {
        std::size_t found = text.find(fragment, at);
        ASSERT_NE(found, std::string::npos)
            << "missing after offset " << at << ": " << fragment << "\n"
            << text;
        at = found + fragment.size();
    }
}

TEST_F(InspectMacrosTest, ListsEachMacroInUseWithItsEventLines) {
    std::string text = inspect(imageWithTwoMacros());
    expectInOrder(text, {"macrosInUse: 2\n", "number: 0\n", "name: Fire\n", "loopCount: 300\n",
                         "delayOption: 1 (delays recorded)\n", "bytesUsed: 6\n", "line: A  dn\n",
                         "line: 300 ms\n", "line: A  up\n", "number: 1\n", "name: Zeta\n",
                         "loopCount: 1\n", "line: MsLB dn\n", "line: MsLB up\n", "line: 0 dn\n"});
    EXPECT_EQ(text.find("name: X"), std::string::npos);

    std::string json = inspect(imageWithTwoMacros(), true);
    expectInOrder(json, {"\"name\": \"Fire\"", "\"line\": \"A  dn\"", "\"line\": \"300 ms\"",
                         "\"line\": \"A  up\"", "\"name\": \"Zeta\""});
}

TEST_F(InspectMacrosTest, EmptyFileHasNoMacros) {
    std::string text = inspect(std::vector<std::uint8_t>(kMacroStoreSize, 0));
    expectInOrder(text, {"macrosInUse: 0\n", "macros: none\n"});
}

} // namespace
} // namespace talvex
