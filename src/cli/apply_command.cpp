#include "cli/cli_commands.h"
#include "cli/keyboard_steps.h"
#include "cli/window_forwarding.h"

#include <memory>

namespace talvex {

int runApplyCommand(CliContext& context, const CliArgs& args) {
    if (args.size() != 1)
        return context.badInput("apply takes one settings file");
    std::vector<std::uint8_t> bytes;
    std::string error;
    if (!readConfigurationBytes(args[0], bytes, error))
        return context.badInput(error);
    ForwardedRequest request = forwardedRequest(ForwardedCommand::Apply);
    request.source = args[0];
    request.configuration = bytes;
    if (const auto forwarded = forwardToWindow(context, std::move(request)))
        return *forwarded;
    DeviceSettings working = zeroSettings();
    auto assignments = std::make_unique<KeyAssignments>();
    const bool whole = splitConfiguration(bytes, working, assignments.get());
    return applyConfiguration(context, args[0], working, whole ? assignments.get() : nullptr);
}

} // namespace talvex
