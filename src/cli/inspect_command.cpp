#include "cli/cli_commands.h"
#include "cli/inspect_sections.h"
#include "keys/keymap_file.h"
#include "platform/file_io.h"

#include <algorithm>

namespace talvex {

int runInspectCommand(CliContext& context, const CliArgs& args) {
    if (args.size() != 1)
        return context.badInput("inspect takes one file");
    const std::string& path = args[0];
    std::vector<std::uint8_t> bytes;
    if (const FileResult read = readDataFile(path, kKeymapFileSize + 1, bytes); !read.ok())
        return context.badInput(read.message);
    const auto kind = inspectedFileOfSize(bytes.size());
    if (!kind) {
        return context.badInput(path + " is " + std::to_string(bytes.size()) +
                                " bytes; expected 10060 (settings image), 206920 (keymap.bin "
                                "or profile) or 169860 (MacroDefine.bin)");
    }
    ReportNode report;
    report.text("file", path);
    report.text("kind", inspectedFileName(*kind));
    const InspectInput input{*kind, bytes};
    for (const auto& section : inspectSections()) {
        if (std::find(section.files.begin(), section.files.end(), *kind) != section.files.end())
            section.fill(input, report.child(section.name));
    }
    context.print(report);
    return kExitOk;
}

} // namespace talvex
