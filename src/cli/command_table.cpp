#include "cli/cli_commands.h"

namespace talvex {

const std::vector<CliCommand>& cliCommands() {
    static const std::vector<CliCommand> table = {
        {"info", "", "print the keyboard's firmware version", runInfoCommand},
        {"read", "OUT", "read every setting into a 10060-byte settings image", runReadCommand},
        {"apply", "FILE", "send a settings image, keymap.bin or profile (only what differs)",
         runApplyCommand},
        {"reset", "", "restore the keyboard's factory settings", runResetCommand},
        {"set", "NAME=VALUE...",
         "change settings: effect, speed, brightness, colour, direction, palette1..7, "
         "game-mode, win-lock, response-time, report-rate",
         runSetCommand},
        {"inspect", "FILE", "decode a settings image, keymap.bin, profile or MacroDefine.bin",
         runInspectCommand},
        {"assign", "KEYMAP_FILE POSITION KIND [ARGS]",
         "assign a key in a keymap.bin as the key dialog's Save does", runAssignCommand},
        {"profile", "ACTION [ARGS]",
         "list | new [NAME] | copy NAME | rename OLD NEW | delete NAME | save NAME (what the "
         "keyboard holds) | load NAME (send it) | export NAME FILE | import FILE NAME",
         runProfileCommand},
        {"udev-rule", "", "print the udev rule that lets the user at the seat open the keyboard",
         runUdevRuleCommand},
    };
    return table;
}

} // namespace talvex
