#include "cli/cli_commands.h"

namespace talvex {

const std::vector<CliCommand>& cliCommands() {
    static const std::vector<CliCommand> table = {
        {"info", "", "print the keyboard's firmware version", runInfoCommand},
    };
    return table;
}

} // namespace talvex
