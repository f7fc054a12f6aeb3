// Arbitrary bytes as a file handed to `kestrix-cli inspect`: a settings image, a keymap.bin or
// profile, or a MacroDefine.bin, chosen by the first byte and filled from the rest. Every value
// the report decodes (effect codes, colour numbers, slot and layout fields, assignment entries,
// macro events and names) is untrusted; the report must be made and printed both ways.

#include "cli/inspect_sections.h"
#include "fuzz_check.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace talvex;
    if (size == 0)
        return 0;
    static const std::size_t kSizes[] = {10060, 206920, 169860};
    const std::size_t fileSize = kSizes[data[0] % 3];
    const auto kind = inspectedFileOfSize(fileSize);
    check(kind.has_value());

    // The input repeats across the file so that sections far from the start see fuzzed bytes too.
    std::vector<std::uint8_t> file(fileSize);
    if (size > 1) {
        for (std::size_t i = 0; i < fileSize; ++i)
            file[i] = data[1 + i % (size - 1)];
    }

    ReportNode report;
    const InspectInput input{*kind, file};
    for (const auto& section : inspectSections()) {
        if (std::find(section.files.begin(), section.files.end(), *kind) != section.files.end())
            section.fill(input, report.child(section.name));
    }
    std::ostringstream text, json;
    report.printText(text);
    report.printJson(json);
    check(!text.str().empty() && json.str().front() == '{' &&
          json.str().find('\0') == std::string::npos);
    return 0;
}
