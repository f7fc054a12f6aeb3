#include "cli/cli_commands.h"
#include "cli/keyboard_steps.h"
#include "cli/window_forwarding.h"
#include "device/sequences.h"

namespace talvex {

int runResetCommand(CliContext& context, const CliArgs& args) {
    if (!args.empty())
        return context.badInput("reset takes no arguments");
    if (const auto forwarded = forwardToWindow(context, forwardedRequest(ForwardedCommand::Reset)))
        return *forwarded;
    if (int code = context.connect(); code != kExitOk)
        return code;
    if (const DeviceResult reset = resetDevice(context.io()); !reset.ok)
        return reportReadFailure(context, reset, "the reset may not have happened",
                                 kExitApplyFailed);
    DeviceSettings s = zeroSettings();
    // The read back is what shows the reset took.
    if (const DeviceResult read = readAllSettings(context.io(), s); !read.ok)
        return reportReadFailure(context, read, "whether the reset took is unknown",
                                 kExitApplyFailed);
    context.setKeyboardHolds(s);
    if (!context.options.json)
        context.out << "the keyboard is back to its factory settings\n";
    return kExitOk;
}

} // namespace talvex
