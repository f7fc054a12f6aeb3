#include "cli/window_forwarding.h"

#include "app/forwarded_run.h"
#include "cli/keyboard_steps.h"
#include "cli/window_client.h"
#include "platform/runtime_folder.h"

#include <chrono>
#include <fstream>

namespace talvex {

namespace {

void writeTrace(CliContext& context, const std::vector<std::string>& lines) {
    if (!context.options.traceTarget || lines.empty())
        return;
    std::ofstream file;
    std::ostream* target = &context.out;
    if (*context.options.traceTarget != "-") {
        file.open(*context.options.traceTarget, std::ios::out | std::ios::trunc);
        if (!file) {
            context.err << "kestrix-cli: cannot write the trace file "
                        << *context.options.traceTarget << "\n";
            return;
        }
        target = &file;
    }
    for (const std::string& line : lines)
        *target << line << "\n";
}

} // namespace

ForwardedRequest forwardedRequest(ForwardedCommand command, std::vector<std::string> args) {
    ForwardedRequest request;
    request.command = command;
    request.args = std::move(args);
    return request;
}

std::optional<int> forwardToWindow(CliContext& context, ForwardedRequest request,
                                   ForwardedReply* reply) {
    const auto keyboard =
        forwardedKeyboardName(context.options.simulate, context.options.simulatorStateFile);
    if (context.usesWindowKeyboard() || !keyboard)
        return std::nullopt;
    request.keyboard = *keyboard;
    request.json = context.options.json;
    request.force = context.options.force;
    request.trace = context.options.traceTarget.has_value();
    const bool faults = context.options.simulatorFaults != SimulatorFaults{};
    if (faults) {
        // A window must never meet a misbehaving keyboard it did not ask for: only ask whether
        // one drives this keyboard.
        request = forwardedRequest(ForwardedCommand::ProfileStore);
        request.keyboard = *keyboard;
    }
    const WindowAnswer answer = askWindow(windowSocketPath(), request, kWindowAnswerTimeout);
    switch (answer.outcome) {
    case WindowOutcome::NoWindow:
        return std::nullopt;
    case WindowOutcome::NoAnswer:
        context.err << "kestrix-cli: the running window did not answer within 30 s; nothing was "
                       "done\n";
        return kExitNoKeyboard;
    case WindowOutcome::BadReply:
        context.err << "kestrix-cli: the running window's answer could not be read ("
                    << answer.detail << ")\n";
        return kExitNoKeyboard;
    case WindowOutcome::Answered:
        break;
    }
    if (answer.reply.status == ForwardStatus::NotMine)
        return std::nullopt;
    if (faults)
        return context.badInput("--simulate-fault cannot be used while the window drives this "
                                "keyboard; close the window first");
    // Asking leave to change the profile store is no command of its own.
    if (request.command != ForwardedCommand::ProfileStore || answer.reply.exitCode != kExitOk)
        context.err << "kestrix-cli: the running window carried this command out\n";
    writeTrace(context, answer.reply.trace);
    context.out << answer.reply.out;
    context.err << answer.reply.err;
    if (reply)
        *reply = answer.reply;
    return answer.reply.exitCode;
}

int readThroughWindowOrHere(CliContext& context, DeviceSettings& image) {
    ForwardedReply reply;
    if (const auto code =
            forwardToWindow(context, forwardedRequest(ForwardedCommand::Read), &reply)) {
        if (*code == kExitOk && !settingsFromBytes(reply.image, image)) {
            context.err << "kestrix-cli: the running window sent no settings image\n";
            return kExitNoKeyboard;
        }
        return *code;
    }
    return readWholeKeyboard(context, image);
}

} // namespace talvex
