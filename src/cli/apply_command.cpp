#include "cli/cli_commands.h"
#include "cli/keyboard_steps.h"

#include <memory>

namespace talvex {

int runApplyCommand(CliContext& context, const CliArgs& args) {
    if (args.size() != 1)
        return context.badInput("apply takes one settings file");
    DeviceSettings working = zeroSettings();
    auto assignments = std::make_unique<KeyAssignments>();
    bool hasAssignments = false;
    std::string error;
    if (!loadSettingsFile(args[0], working, error, assignments.get(), &hasAssignments))
        return context.badInput(error);
    DeviceSettings held = zeroSettings();
    if (int code = readKeyboard(context, held); code != kExitOk)
        return code;
    if (int code = checkConfiguration(context, args[0], working,
                                      hasAssignments ? assignments.get() : nullptr, &held,
                                      CheckScope::Send);
        code != kExitOk)
        return code;
    return applyAndReport(context, working, held);
}

} // namespace talvex
