#include "cli/cli_commands.h"
#include "device/sequences.h"
#include "platform/file_io.h"

namespace talvex {

int runReadCommand(CliContext& context, const CliArgs& args) {
    if (args.size() != 1)
        return context.badInput("read takes one output file");
    if (int code = context.connect(); code != kExitOk)
        return code;
    DeviceLink& link = context.link();
    DeviceSettings working = zeroSettings();
    DeviceSettings snapshot = zeroSettings();
    initialRead(context.io(), working, snapshot, link.deviceInfo, link.firmwareVersion);
    std::string error;
    if (!writeFileAtomically(args[0], working.bytes(), &error))
        return context.badInput(error);
    if (!context.options.json)
        context.out << "wrote " << args[0] << "\n";
    return kExitOk;
}

} // namespace talvex
