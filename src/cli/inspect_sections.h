#pragma once
// What `kestrix-cli inspect` shows, section by section. The file kind comes from the file's
// size; every section of the table below whose kinds include it adds its part to the report.
// A new section is one function and one row in inspect_sections.cpp.

#include "cli/report_tree.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace talvex {

enum class InspectedFile {
    SettingsImage, // 10060 bytes: the keyboard's settings image
    Keymap,        // 206920 bytes: keymap.bin or a profile (the image, then the assignments)
    Macros,        // 169860 bytes: MacroDefine.bin
};

std::optional<InspectedFile> inspectedFileOfSize(std::size_t size);
std::string inspectedFileName(InspectedFile kind);

struct InspectInput {
    InspectedFile kind;
    std::span<const std::uint8_t> bytes; // the whole file
};

struct InspectSection {
    const char* name;
    std::vector<InspectedFile> files;
    void (*fill)(const InspectInput& input, ReportNode& section);
};

const std::vector<InspectSection>& inspectSections();

// The settings image at the start of the file (settings image, keymap.bin, profile).
void inspectSettings(const InspectInput& input, ReportNode& section);

} // namespace talvex
