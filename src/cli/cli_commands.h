#pragma once
// The commands of kestrix-cli. Each lives in its own file (<name>_command.cpp) and has one row
// in the table of command_table.cpp.

#include "cli/cli_context.h"

#include <string>
#include <vector>

namespace talvex {

using CliArgs = std::vector<std::string>;

struct CliCommand {
    const char* name;
    const char* arguments; // as shown in the usage text, e.g. "OUT"
    const char* summary;
    int (*run)(CliContext& context, const CliArgs& args);
};

const std::vector<CliCommand>& cliCommands();

int runInfoCommand(CliContext& context, const CliArgs& args);
int runReadCommand(CliContext& context, const CliArgs& args);
int runApplyCommand(CliContext& context, const CliArgs& args);
int runResetCommand(CliContext& context, const CliArgs& args);
int runSetCommand(CliContext& context, const CliArgs& args);
int runInspectCommand(CliContext& context, const CliArgs& args);
int runAssignCommand(CliContext& context, const CliArgs& args);
int runProfileCommand(CliContext& context, const CliArgs& args);
int runUdevRuleCommand(CliContext& context, const CliArgs& args);

} // namespace talvex
