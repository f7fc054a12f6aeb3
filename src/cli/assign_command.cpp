#include <array>
#include <charconv>
#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <string_view>
#include <variant>
#include <vector>

#include "app/forwarded_run.h"
#include "cli/cli_commands.h"
#include "cli/forwarded_keyboard_work.h"
#include "cli/inspect_assignments.h"
#include "cli/window_forwarding.h"
#include "keys/function_catalogue.h"
#include "keys/key_assignment_store.h"
#include "keys/key_positions.h"
#include "keys/key_reach.h"
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

// A key the keyboard cannot send would leave the key dead, so it is refused here with the way out.
std::optional<std::vector<std::uint8_t>> parseVks(const CliArgs& codes, std::string& error) {
    const KeyNameTable names = buildKeyNameTable();
    std::vector<std::uint8_t> vks;
    for (const std::string& code : codes) {
        const auto vk = parseNumber(code, 255);
        if (!vk) {
            error = "not a VK code 0..255: " + code;
            return std::nullopt;
        }
        const auto value = static_cast<std::uint8_t>(*vk);
        switch (keyReach(names, value)) {
        case KeyReach::Sendable:
            break;
        case KeyReach::AsFunction:
            error = "VK " + code + " is not a key the keyboard can send; assign it as: function " +
                    utf16ToUtf8(std::u16string(functionForHostKey(value)));
            return std::nullopt;
        case KeyReach::Unsendable:
            error = "VK " + code + " is not a key the keyboard can send";
            return std::nullopt;
        }
        vks.push_back(value);
    }
    return vks;
}

std::optional<HostActionKind> hostActionKind(const std::string& kind) {
    constexpr std::array<const char*, kHostActionKinds> kKinds = {"sound", "program", "file",
                                                                  "folder"};
    for (std::size_t i = 0; i < kKinds.size(); ++i)
        if (kind == kKinds[i])
            return static_cast<HostActionKind>(i);
    return std::nullopt;
}

// "enable" and "disable" set only the key's switch; every other kind is what the key dialog
// would hand back.
using AssignRequest = std::variant<KeyChoice, bool>;

// Turns KIND [ARGS] into a request; an error text when they are bad.
std::optional<AssignRequest> parseKind(const CliArgs& args, std::string& error) {
    const std::string& kind = args[2];
    const CliArgs rest(args.begin() + 3, args.end());
    auto needs = [&](std::size_t min, std::size_t max, const char* what) {
        if (rest.size() < min || rest.size() > max)
            error = kind + " takes " + what;
        return error.empty();
    };

    if (kind == "single" || kind == "combo") {
        const bool single = kind == "single";
        if (!(single ? needs(1, 1, "one VK code") : needs(2, 3, "two or three VK codes")))
            return std::nullopt;
        std::optional<std::vector<std::uint8_t>> vks = parseVks(rest, error);
        if (!vks)
            return std::nullopt;
        if (single)
            return KeyChoice{SingleKeyChoice{vks->front()}};
        return KeyChoice{CombinationChoice{std::move(*vks)}};
    }
    if (kind == "macro") {
        if (!needs(1, 1, "one macro number"))
            return std::nullopt;
        const auto number = parseNumber(rest[0], static_cast<int>(kMacroSlotCount) - 1);
        if (!number) {
            error = "not a macro number 0.." + std::to_string(kMacroSlotCount - 1) + ": " + rest[0];
            return std::nullopt;
        }
        return KeyChoice{MacroChoice{*number}};
    }
    if (kind == "function") {
        if (!needs(1, 1, "one function name"))
            return std::nullopt;
        std::u16string name = utf8ToUtf16(rest[0]);
        if (!findFunction(name)) {
            error = "no such function: " + rest[0];
            return std::nullopt;
        }
        return KeyChoice{FunctionChoice{std::move(name)}};
    }
    if (const std::optional<HostActionKind> action = hostActionKind(kind)) {
        if (!needs(1, 1, "one path"))
            return std::nullopt;
        std::u16string path = utf8ToUtf16(rest[0]);
        if (path.empty() || !isStorableActionPath(path)) {
            error =
                "the path must hold 1 to " + std::to_string(kMaxActionPathLength) + " characters";
            return std::nullopt;
        }
        return KeyChoice{HostActionChoice{*action, std::move(path)}};
    }
    if (kind == "restore") {
        if (!needs(0, 0, "no arguments"))
            return std::nullopt;
        return KeyChoice{RestoreKey{}};
    }
    if (kind == "enable" || kind == "disable") {
        if (!needs(0, 0, "no arguments"))
            return std::nullopt;
        return AssignRequest{kind == "enable"};
    }
    error = "unknown kind " + kind;
    return std::nullopt;
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

// POSITION KIND [ARGS] of the command line; empty after saying what is wrong.
std::optional<std::pair<std::size_t, AssignRequest>> parseAssignment(CliContext& context,
                                                                     const CliArgs& args) {
    if (args.size() < 3) {
        context.badInput("assign takes KEYMAP_FILE POSITION KIND [ARGS]");
        return std::nullopt;
    }
    const auto position = parseNumber(args[1], static_cast<int>(kKeyPositionCount) - 1);
    if (!position) {
        context.badInput("not a key position 0.." + std::to_string(kKeyPositionCount - 1) + ": " +
                         args[1]);
        return std::nullopt;
    }
    std::string error;
    std::optional<AssignRequest> request = parseKind(args, error);
    if (!request) {
        context.badInput(error);
        return std::nullopt;
    }
    return std::pair{static_cast<std::size_t>(*position), std::move(*request)};
}

// Applies the request as the key dialog's Save does, in memory; prints the key's new state.
int applyAssignment(CliContext& context, const std::string& file, std::size_t at,
                    const AssignRequest& request, KeyAssignmentState& state,
                    const MacroSlotRefresh& refresh) {
    const KeyNameTable names = buildKeyNameTable();
    if (const bool* enabled = std::get_if<bool>(&request)) {
        applyEnableSwitch(state, at, *enabled);
    } else {
        KeyEdit edit;
        selectPosition(edit, at);
        edit.choice = std::get<KeyChoice>(request);
        // As the dialog does, the disable switch starts as the key's current state, and a
        // restored key is enabled.
        edit.keyEnabled = std::holds_alternative<RestoreKey>(*edit.choice) ||
                          keyEnabledAt(state.workingSettings, at);
        if (commitKeyAssignmentInMemory(state, edit, names, refresh) != KeyApplyResult::Applied)
            return context.badInput("the assignment was refused");
    }
    ReportNode report;
    report.text("file", file);
    reportAssignment(report.child("assignment"), names, state.workingSettings, state.assignments,
                     at);
    context.print(report);
    return kExitOk;
}

} // namespace

int runAssignCommand(CliContext& context, const CliArgs& args) {
    const auto parsed = parseAssignment(context, args);
    if (!parsed)
        return kExitBadInput;
    const std::filesystem::path file = args[0];
    ForwardedRequest forwarded = forwardedRequest(ForwardedCommand::Assign, args);
    forwarded.keymapFile = forwardedPathName(file);
    if (const auto code = forwardToWindow(context, std::move(forwarded)))
        return *code;

    auto state = std::make_unique<KeyAssignmentState>();
    // Only a keymap.bin, or none: another data file or any text would be rewritten as a keymap.
    if (const FileResult load =
            loadKeymapFile(file, state->workingSettings, state->assignments, false);
        !load.ok())
        return context.badInput(load.message + "; it was left as it was");
    std::shared_ptr<MacroStore> macros;
    std::ostringstream report;
    CliContext quiet(context.options, report, context.err);
    if (int code = applyAssignment(quiet, file.string(), parsed->first, parsed->second, *state,
                                   macroRefreshFor(file, macros));
        code != kExitOk)
        return code;
    if (const FileResult saved = saveKeymapFile(file, state->workingSettings, state->assignments);
        !saved.ok())
        return context.badInput(saved.message);
    context.out << report.str();
    return kExitOk;
}

ForwardedReply runForwardedAssign(const ForwardedRequest& request, KeyAssignmentState& state,
                                  const MacroSlotRefresh& refresh) {
    CliOptions options;
    options.json = request.json;
    std::ostringstream out, err;
    CliContext context(options, out, err);
    ForwardedReply reply;
    reply.exitCode = kExitBadInput;
    if (const auto parsed = parseAssignment(context, request.args))
        reply.exitCode = applyAssignment(context, request.args[0], parsed->first, parsed->second,
                                         state, refresh);
    reply.out = out.str();
    reply.err = err.str();
    return reply;
}

} // namespace talvex
