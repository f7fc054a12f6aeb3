#include <charconv>
#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

#include "cli/cli_commands.h"
#include "cli/inspect_assignments.h"
#include "keys/function_catalogue.h"
#include "keys/key_assignment_store.h"
#include "keys/key_positions.h"
#include "keys/keymap_file.h"
#include "macros/macro_file.h"
#include "macros/macro_slots.h"
#include "platform/utf16.h"

namespace talvex {

namespace {

std::optional<int> parseNumber(const std::string& text, int max) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || value < 0 || value > max)
        return std::nullopt;
    return value;
}

struct AssignRequest {
    PendingAssignment pending;
    bool enableStepOnly = false; // "enable" / "disable"
};

// Turns KIND [ARGS] into what the key dialog would hand back; an error text when they are bad.
std::optional<AssignRequest> parseKind(const CliArgs& args, std::string& error) {
    const std::string& kind = args[2];
    const CliArgs rest(args.begin() + 3, args.end());
    AssignRequest request;
    PendingAssignment& p = request.pending;
    auto needs = [&](std::size_t min, std::size_t max, const char* what) {
        if (rest.size() < min || rest.size() > max)
            error = kind + " takes " + what;
        return error.empty();
    };

    if (kind == "single" || kind == "combo") {
        const bool single = kind == "single";
        if (!(single ? needs(1, 1, "one VK code") : needs(2, 3, "two or three VK codes")))
            return std::nullopt;
        for (std::size_t i = 0; i < rest.size(); ++i) {
            const auto vk = parseNumber(rest[i], 255);
            if (!vk) {
                error = "not a VK code 0..255: " + rest[i];
                return std::nullopt;
            }
            p.keys[i] = static_cast<std::uint8_t>(*vk);
        }
        p.type = static_cast<std::uint8_t>(single ? AssignmentType::SingleKey
                                                  : AssignmentType::Combination);
        p.keyCount = static_cast<int>(rest.size());
    } else if (kind == "macro") {
        if (!needs(1, 1, "one macro number"))
            return std::nullopt;
        const auto number = parseNumber(rest[0], static_cast<int>(kMacroSlotCount) - 1);
        if (!number) {
            error = "not a macro number 0.." + std::to_string(kMacroSlotCount - 1) + ": " + rest[0];
            return std::nullopt;
        }
        p.type = static_cast<std::uint8_t>(AssignmentType::MacroKey);
        p.macroIndex = *number;
    } else if (kind == "function") {
        if (!needs(1, 1, "one function name"))
            return std::nullopt;
        p.functionName = utf8ToUtf16(rest[0]);
        if (!findFunction(p.functionName)) {
            error = "no such function: " + rest[0];
            return std::nullopt;
        }
        p.type = static_cast<std::uint8_t>(AssignmentType::Function);
    } else if (kind == "sound" || kind == "program" || kind == "file" || kind == "folder") {
        if (!needs(1, 1, "one path"))
            return std::nullopt;
        p.actionPath = utf8ToUtf16(rest[0]);
        if (p.actionPath.empty() || !isStorableActionPath(p.actionPath)) {
            error =
                "the path must hold 1 to " + std::to_string(kMaxActionPathLength) + " characters";
            return std::nullopt;
        }
        const AssignmentType type = kind == "sound"     ? AssignmentType::PlaySound
                                    : kind == "program" ? AssignmentType::StartProgram
                                    : kind == "file"    ? AssignmentType::OpenFile
                                                        : AssignmentType::OpenFolder;
        p.type = static_cast<std::uint8_t>(type);
    } else if (kind == "restore") {
        if (!needs(0, 0, "no arguments"))
            return std::nullopt;
        p.keyCount = kRestoreMarker;
    } else if (kind == "enable" || kind == "disable") {
        if (!needs(0, 0, "no arguments"))
            return std::nullopt;
        request.enableStepOnly = true;
        p.keyEnabled = kind == "enable";
    } else {
        error = "unknown kind " + kind;
        return std::nullopt;
    }
    return request;
}

// Device macro slots follow the macros saved beside keymap.bin, when there are any.
MacroSlotRefresh macroRefreshFor(const std::filesystem::path& keymapFile,
                                 std::shared_ptr<MacroStore>& macros) {
    const std::filesystem::path macroFile = keymapFile.parent_path() / "MacroDefine.bin";
    std::error_code ec;
    if (!std::filesystem::is_regular_file(macroFile, ec))
        return {};
    macros = std::make_shared<MacroStore>();
    if (loadMacroFile(macroFile, *macros).status != FileStatus::Ok)
        return {}; // a MacroDefine.bin that is not whole says nothing sure about the macros
    return [macros](DeviceSettings& settings) { buildMacroSlots(*macros, settings); };
}

} // namespace

int runAssignCommand(CliContext& context, const CliArgs& args) {
    if (args.size() < 3)
        return context.badInput("assign takes KEYMAP_FILE POSITION KIND [ARGS]");
    const std::filesystem::path file = args[0];
    const auto position = parseNumber(args[1], static_cast<int>(kKeyPositionCount) - 1);
    if (!position)
        return context.badInput("not a key position 0.." + std::to_string(kKeyPositionCount - 1) +
                                ": " + args[1]);
    std::string error;
    std::optional<AssignRequest> request = parseKind(args, error);
    if (!request)
        return context.badInput(error);

    auto state = std::make_unique<KeyAssignmentState>();
    // Only a keymap.bin, or none: another data file or any text would be rewritten as a keymap.
    if (const FileResult load =
            loadKeymapFile(file, state->workingSettings, state->assignments, false);
        !load.ok())
        return context.badInput(load.message + "; it was left as it was");

    selectPosition(*state, static_cast<std::size_t>(*position));
    const KeyNameTable names = buildKeyNameTable();
    if (request->enableStepOnly) {
        state->pendingAssignment = request->pending;
        applyEnableSwitch(*state);
        if (const FileResult saved =
                saveKeymapFile(file, state->workingSettings, state->assignments);
            !saved.ok())
            return context.badInput(saved.message);
    } else {
        // As the dialog does, the disable switch starts as the key's current state.
        request->pending.keyEnabled = keyEnabledAt(state->workingSettings, *position);
        state->pendingAssignment = request->pending;
        std::shared_ptr<MacroStore> macros;
        const CommitResult result =
            commitKeyAssignment(*state, names, macroRefreshFor(file, macros), file);
        if (result.apply != KeyApplyResult::Applied)
            return context.badInput("the assignment was refused");
        if (!result.save.ok())
            return context.badInput(result.save.message);
    }
    ReportNode report;
    report.text("file", file.string());
    reportAssignment(report.child("assignment"), names, state->workingSettings, state->assignments,
                     static_cast<std::size_t>(*position));
    if (context.options.json) {
        report.printJson(context.out);
        context.out << "\n";
    } else {
        report.printText(context.out);
    }
    return kExitOk;
}

} // namespace talvex
