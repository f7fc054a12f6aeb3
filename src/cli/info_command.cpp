#include "cli/cli_commands.h"
#include "cli/keyboard_steps.h"
#include "cli/window_forwarding.h"
#include "device/commands.h"
#include "device/wire_trace.h"

namespace talvex {

int runInfoCommand(CliContext& context, const CliArgs& args) {
    if (!args.empty())
        return context.badInput("info takes no arguments");
    if (const auto forwarded = forwardToWindow(context, forwardedRequest(ForwardedCommand::Info)))
        return *forwarded;
    if (int code = context.connect(); code != kExitOk)
        return code;
    DeviceLink& link = context.link();
    if (const DeviceResult read = readDeviceInfo(context.io(), link.deviceInfo); !read.ok)
        return reportReadFailure(context, read, "its version is unknown");
    link.firmwareVersion = firmwareVersionOf(link.deviceInfo);
    const std::string version =
        std::to_string(link.firmwareVersion[0]) + "." + std::to_string(link.firmwareVersion[1]);
    if (context.options.json) {
        context.out << "{\"firmwareVersion\": \"" << version << "\", \"deviceInfo\": \""
                    << hexBytes(link.deviceInfo) << "\"}\n";
    } else {
        context.out << "Kestrix keyboard, firmware version " << version << "\n"
                    << "device information: " << hexBytes(link.deviceInfo) << "\n";
    }
    return kExitOk;
}

} // namespace talvex
