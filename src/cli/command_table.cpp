#include "cli/cli_commands.h"

namespace talvex {

const std::vector<CliCommand>& cliCommands() {
    static const std::vector<CliCommand> table = {
        {"info", "", "print the keyboard's firmware version", runInfoCommand},
        {"assign", "KEYMAP_FILE POSITION KIND [ARGS]",
         "assign a key in a keymap.bin as the key dialog's Save does", runAssignCommand},
    };
    return table;
}

} // namespace talvex
