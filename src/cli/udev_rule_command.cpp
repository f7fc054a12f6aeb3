#include "cli/cli_commands.h"
#include "platform/udev_rule.h"

namespace talvex {

// Prints the rule as the package installs it, so that a user of an unpacked build can install it
// with one pipe into `sudo tee`; the file name goes to the error stream to keep the pipe clean.
int runUdevRuleCommand(CliContext& context, const CliArgs& args) {
    if (!args.empty())
        return context.badInput("udev-rule takes no arguments");
    context.out << udevRuleText();
    context.err << "kestrix-cli: install as /etc/udev/rules.d/" << udevRuleFileName()
                << ", then run: sudo udevadm control --reload-rules\n";
    return kExitOk;
}

} // namespace talvex
