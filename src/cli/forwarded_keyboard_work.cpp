#include "cli/forwarded_keyboard_work.h"

#include "cli/cli_commands.h"
#include "cli/keyboard_steps.h"
#include "keys/keymap_file.h"

#include <memory>
#include <sstream>

namespace talvex {

namespace {

int applyForwarded(CliContext& context, const ForwardedRequest& request) {
    if (request.configuration.size() != kDeviceSettingsSize &&
        request.configuration.size() != kKeymapFileSize)
        return context.badInput("the request holds no configuration");
    DeviceSettings working = zeroSettings();
    auto assignments = std::make_unique<KeyAssignments>();
    const bool whole = splitConfiguration(request.configuration, working, assignments.get());
    return applyConfiguration(context, request.source, working,
                              whole ? assignments.get() : nullptr);
}

} // namespace

ForwardedRun runForwardedKeyboardWork(const ForwardedRequest& request, DeviceIo& io) {
    CliOptions options;
    options.json = request.json;
    options.force = request.force;
    if (request.trace)
        options.traceTarget = "-";
    std::ostringstream out, err;
    ForwardedRun run;
    CliContext context(options, out, err);
    context.useKeyboard(io, [&run](const std::string& line) { run.reply.trace.push_back(line); });
    int code = kExitBadInput;
    switch (request.command) {
    case ForwardedCommand::Info:
        code = runInfoCommand(context, {});
        break;
    case ForwardedCommand::Read: {
        DeviceSettings image = zeroSettings();
        code = readWholeKeyboard(context, image);
        if (code == kExitOk)
            run.reply.image.assign(image.bytes().begin(), image.bytes().end());
        break;
    }
    case ForwardedCommand::Apply:
    case ForwardedCommand::LoadProfile:
        code = applyForwarded(context, request);
        break;
    case ForwardedCommand::Reset:
        code = runResetCommand(context, {});
        break;
    case ForwardedCommand::Set:
        code = runSetCommand(context, request.args);
        break;
    case ForwardedCommand::Assign:
    case ForwardedCommand::ProfileStore:
        code = context.badInput("not keyboard work");
        break;
    }
    run.reply.exitCode = code;
    run.reply.out = out.str();
    run.reply.err = err.str();
    run.keyboardHolds = context.keyboardHolds();
    return run;
}

} // namespace talvex
