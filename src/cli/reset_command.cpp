#include "cli/cli_commands.h"
#include "cli/keyboard_steps.h"
#include "device/sequences.h"

namespace talvex {

int runResetCommand(CliContext& context, const CliArgs& args) {
    if (!args.empty())
        return context.badInput("reset takes no arguments");
    if (int code = context.connect(); code != kExitOk)
        return code;
    resetDevice(context.io());
    DeviceSettings s = zeroSettings();
    readAllSettings(context.io(), s);
    if (!context.options.json)
        context.out << "the keyboard is back to its factory settings\n";
    return kExitOk;
}

} // namespace talvex
