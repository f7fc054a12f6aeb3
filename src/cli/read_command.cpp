#include "cli/cli_commands.h"
#include "cli/keyboard_steps.h"
#include "cli/window_forwarding.h"
#include "device/sequences.h"
#include "keys/configuration_check.h"
#include "platform/file_io.h"

namespace talvex {

int readWholeKeyboard(CliContext& context, DeviceSettings& image) {
    if (int code = context.connect(); code != kExitOk)
        return code;
    DeviceLink& link = context.link();
    DeviceSettings working = zeroSettings();
    // A backup with holes would disable keys when it is applied later: nothing or everything.
    if (const DeviceResult read =
            initialRead(context.io(), working, image, link.deviceInfo, link.firmwareVersion);
        !read.ok)
        return reportReadFailure(context, read, "no file was written");
    context.setKeyboardHolds(image);
    image = working;
    return kExitOk;
}

int runReadCommand(CliContext& context, const CliArgs& args) {
    if (args.size() != 1)
        return context.badInput("read takes one output file");
    DeviceSettings image = zeroSettings();
    if (int code = readThroughWindowOrHere(context, image); code != kExitOk)
        return code;
    if (const FileResult written = writeFileAtomically(args[0], image.bytes()); !written.ok())
        return context.badInput(written.message);
    // The file holds what was answered; what `apply` would refuse is said now, not at restore.
    for (const ConfigurationProblem& problem :
         listProblems(image, nullptr, nullptr, CheckScope::Send))
        context.err << "kestrix-cli: warning: the keyboard answered " << problem.message << "\n";
    if (!context.options.json)
        context.out << "wrote " << args[0] << "\n";
    return kExitOk;
}

} // namespace talvex
