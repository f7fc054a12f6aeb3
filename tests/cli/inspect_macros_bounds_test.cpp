// The macros section straight from an image, without the command's size check in front of it:
// the edges of the record count and of the image itself.

#include "cli/inspect_macros.h"
#include "macros/macro_record.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace talvex {
namespace {

std::string macrosReport(std::span<const std::uint8_t> image) {
    ReportNode report;
    inspectMacros({InspectedFile::Macros, image}, report);
    std::ostringstream text;
    report.printText(text);
    return text.str();
}

TEST(InspectMacrosBounds, CountStopsAtTheFirstFreeRecordOrTheLastRecord) {
    std::vector<std::uint8_t> image(kMacroStoreSize, 0);
    for (std::size_t r = 0; r < kMacroStoreCount; ++r)
        image[r * kMacroRecordSize] = 'M';
    const std::string all = macrosReport(image);
    EXPECT_NE(all.find("macrosInUse: 190\n"), std::string::npos);
    EXPECT_NE(all.find("number: 189\n"), std::string::npos);

    image[189 * kMacroRecordSize] = 0;
    EXPECT_NE(macrosReport(image).find("macrosInUse: 189\n"), std::string::npos);
    image[0] = 0;
    EXPECT_NE(macrosReport(image).find("macrosInUse: 0\n"), std::string::npos);
}

TEST(InspectMacrosBounds, AShortImageReadsAsZerosPastItsEnd) {
    // Record 0 whole, record 1 cut off inside its name.
    std::vector<std::uint8_t> image(kMacroRecordSize + 3, 0);
    image[0] = 'A';
    image[kMacroRecordSize] = 'B';
    image[kMacroRecordSize + 2] = 'C';
    const std::string text = macrosReport(image);
    EXPECT_NE(text.find("macrosInUse: 2\n"), std::string::npos) << text;
    EXPECT_NE(text.find("name: BC\n"), std::string::npos) << text;

    EXPECT_NE(macrosReport({}).find("macrosInUse: 0\n"), std::string::npos);
}

} // namespace
} // namespace talvex
