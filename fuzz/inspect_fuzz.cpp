// Arbitrary bytes in a file handed to `kestrix-cli inspect`: a settings image, a keymap.bin or
// profile, or a MacroDefine.bin, chosen by the first byte. Every value the report decodes
// (effect codes, colour numbers, slot and layout fields, assignment entries, macro events and
// names) is untrusted; the report must be made and printed both ways.
//
// The next three bytes name an offset into the file, and the rest of the input is written there,
// going on at the file's start past its end. In a keymap or a MacroDefine.bin it is repeated
// until it fills at least one assignment entry or macro record, so that a few bytes reach a
// record's type or name and its data at once. Around it the file holds what reports next to
// nothing (the factory configuration, no macros): the report then grows with what the input
// changed rather than with the file, and any field of the file can still be reached.

#include "cli/inspect_sections.h"
#include "fuzz_check.h"
#include "keys/factory_configuration.h"
#include "keys/key_assignment.h"
#include "macros/macro_record.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace talvex;

std::size_t recordSize(InspectedFile kind) {
    switch (kind) {
    case InspectedFile::SettingsImage:
        return 0;
    case InspectedFile::Keymap:
        return kKeyAssignmentSize;
    case InspectedFile::Macros:
        return kMacroRecordSize;
    }
    return 0;
}

std::vector<std::uint8_t> quietFile(InspectedFile kind) {
    switch (kind) {
    case InspectedFile::SettingsImage: {
        const DeviceSettings settings = factorySettings();
        return {settings.bytes().begin(), settings.bytes().end()};
    }
    case InspectedFile::Keymap:
        return factoryConfigurationBytes();
    case InspectedFile::Macros:
        return std::vector<std::uint8_t>(kMacroStoreSize);
    }
    return {};
}

// One file per kind, made once: a fresh one per input would cost more than the report.
struct QuietFiles {
    static constexpr std::array kKinds = {InspectedFile::SettingsImage, InspectedFile::Keymap,
                                          InspectedFile::Macros};
    std::array<std::vector<std::uint8_t>, kKinds.size()> pristine, file;

    QuietFiles() {
        for (std::size_t k = 0; k < kKinds.size(); ++k) {
            pristine[k] = quietFile(kKinds[k]);
            file[k] = pristine[k];
            check(inspectedFileOfSize(file[k].size()) == kKinds[k]);
        }
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QuietFiles files;
    if (size == 0)
        return 0;
    const std::size_t k = data[0] % QuietFiles::kKinds.size();
    const InspectedFile kind = QuietFiles::kKinds[k];
    std::vector<std::uint8_t>& file = files.file[k];

    const auto byte = [&](std::size_t i) -> std::size_t { return i < size ? data[i] : 0; };
    const std::size_t offset = (byte(1) | byte(2) << 8 | byte(3) << 16) % file.size();
    constexpr std::size_t kHeader = 4;
    const std::size_t body = size > kHeader ? size - kHeader : 0;
    const std::size_t count = body ? std::min(std::max(body, recordSize(kind)), file.size()) : 0;
    for (std::size_t i = 0; i < count; ++i)
        file[(offset + i) % file.size()] = data[kHeader + i % body];

    ReportNode report;
    const InspectInput input{kind, file};
    for (const auto& section : inspectSections()) {
        if (std::find(section.files.begin(), section.files.end(), kind) != section.files.end())
            section.fill(input, report.child(section.name));
    }
    std::ostringstream text, json;
    report.printText(text);
    report.printJson(json);
    const std::string printed = json.str();
    check(!text.str().empty() && printed.front() == '{' && printed.find('\0') == std::string::npos);

    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t changed = (offset + i) % file.size();
        file[changed] = files.pristine[k][changed];
    }
    return 0;
}
