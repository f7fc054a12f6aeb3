#include "cli/cli_commands.h"
#include "cli/keyboard_steps.h"

namespace talvex {

int runApplyCommand(CliContext& context, const CliArgs& args) {
    if (args.size() != 1)
        return context.badInput("apply takes one settings file");
    DeviceSettings working = zeroSettings();
    std::string error;
    if (!loadSettingsFile(args[0], working, error))
        return context.badInput(error);
    DeviceSettings held = zeroSettings();
    if (int code = readKeyboard(context, held); code != kExitOk)
        return code;
    return applyAndReport(context, working, held);
}

} // namespace talvex
