#include "cli/cli.h"

#include "cli/cli_commands.h"
#include "platform/program_version.h"

#include <filesystem>
#include <ostream>
#include <string_view>
#include <utility>

namespace talvex {

namespace {

void printUsage(std::ostream& err) {
    err << "usage: kestrix-cli [--simulate[=STATE_FILE]] [--simulate-fault=FAULT]... "
           "[--trace=FILE|-] [--json]\n"
           "                   [--force] [--data-folder=DIR] [--format=binary|json] [--] "
           "COMMAND [ARGS]\n"
           "       kestrix-cli --help | --version\n"
           "  --force  apply a configuration with unusual settings or without a working key\n"
           "  --simulate-fault=FAULT  make the simulated keyboard misbehave (repeatable): no-ack,\n"
           "      no-ack:N, late-ack:N, dup-ack, early-ack, unsolicited-ack, unplug:N, garbage\n"
           "  --data-folder=DIR  keep keymap.bin and the profiles (Configure/) in DIR instead of\n"
           "      the window's data folder\n"
           "  --format=binary|json  what profile export writes: the profile file (default) or\n"
           "      a JSON document to read, diff and edit\n"
           "  --  what follows is the command and its arguments, never an option\n"
           "commands:\n";
    for (const auto& command : cliCommands()) {
        std::string line = std::string(command.name) + " " + command.arguments;
        // Summaries line up in one column; a longer line keeps two blanks before its summary.
        err << "  " << line << std::string(line.size() < 28 ? 28 - line.size() : 2, ' ')
            << command.summary << "\n";
    }
}

// "no-ack:N" loses the acknowledgement of write step N, "no-ack" every one, "late-ack:N" sends
// step N's too late, "dup-ack" sends each twice, "early-ack" after a step's first report,
// "unsolicited-ack" one with every read; "unplug:N" pulls the keyboard out after N reports,
// "garbage" scrambles every answer. The option may be given several times.
bool parseFault(const std::string& text, SimulatorFaults& faults) {
    const auto count = [&](const std::string& prefix, int& into) {
        if (text.rfind(prefix, 0) != 0 || text.size() == prefix.size() ||
            text.size() > prefix.size() + 6)
            return false;
        int n = 0;
        for (char c : text.substr(prefix.size())) {
            if (c < '0' || c > '9')
                return false;
            n = n * 10 + (c - '0');
        }
        into = n;
        return true;
    };
    const std::pair<const char*, bool SimulatorFaults::*> switches[] = {
        {"no-ack", &SimulatorFaults::dropAllAcks},
        {"garbage", &SimulatorFaults::garbageResponses},
        {"dup-ack", &SimulatorFaults::duplicateAcks},
        {"unsolicited-ack", &SimulatorFaults::unsolicitedAcks},
        {"early-ack", &SimulatorFaults::earlyAcks},
    };
    for (const auto& [name, field] : switches)
        if (text == name) {
            faults.*field = true;
            return true;
        }
    return count("no-ack:", faults.dropAckForStep) || count("unplug:", faults.unplugAfterReports) ||
           count("late-ack:", faults.lateAckForStep);
}

const CliCommand* findCommand(const std::string& name) {
    for (const auto& candidate : cliCommands())
        if (name == candidate.name)
            return &candidate;
    return nullptr;
}

int usageError(std::ostream& err, const std::string& message) {
    err << "kestrix-cli: " << message << "\n";
    printUsage(err);
    return kExitBadInput;
}

} // namespace

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    CliOptions options;
    const CliCommand* command = nullptr;
    CliArgs commandArgs;
    bool optionsEnded = false;
    for (const auto& arg : args) {
        if (optionsEnded) {
            if (command)
                commandArgs.push_back(arg);
            else if (!(command = findCommand(arg)))
                return usageError(err, "unknown command " + arg);
        } else if (arg == "--") {
            // What follows is never an option, so a profile or file may be named "--json".
            optionsEnded = true;
        } else if (arg == "--simulate") {
            options.simulate = true;
        } else if (arg.rfind("--simulate=", 0) == 0) {
            options.simulate = true;
            options.simulatorStateFile = arg.substr(11);
            if (options.simulatorStateFile.empty())
                return usageError(err, "--simulate= needs a file name");
        } else if (arg.rfind("--trace=", 0) == 0) {
            options.traceTarget = arg.substr(8);
            if (options.traceTarget->empty())
                return usageError(err, "--trace= needs a file name or -");
        } else if (arg.rfind("--simulate-fault=", 0) == 0) {
            if (!parseFault(arg.substr(17), options.simulatorFaults))
                return usageError(err, "unknown simulator fault " + arg.substr(17));
        } else if (arg.rfind("--data-folder=", 0) == 0) {
            options.dataFolder = arg.substr(14);
            if (options.dataFolder.empty())
                return usageError(err, "--data-folder= needs a folder");
        } else if (arg.rfind("--format=", 0) == 0) {
            options.format = arg.substr(9);
            if (options.format != "binary" && options.format != "json")
                return usageError(err, "--format= takes binary or json");
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--force") {
            options.force = true;
        } else if (arg == "--help" || arg == "-h") {
            printUsage(out);
            return kExitOk;
        } else if (arg == "--version") {
            out << versionText("kestrix-cli");
            return kExitOk;
        } else if (!command && arg.rfind("--", 0) == 0) {
            return usageError(err, "unknown option " + arg);
        } else if (!command) {
            if (!(command = findCommand(arg)))
                return usageError(err, "unknown command " + arg);
        } else {
            commandArgs.push_back(arg);
        }
    }
    if (!command)
        return usageError(err, "no command given");
    // Said rather than passed over, so that a script that meant it elsewhere learns it did nothing.
    if (!options.format.empty() && std::string_view(command->name) != "profile")
        return usageError(err, "--format is for profile export");
    if (std::error_code error; !options.dataFolder.empty() &&
                               std::filesystem::exists(options.dataFolder, error) &&
                               !std::filesystem::is_directory(options.dataFolder, error))
        return usageError(err, "--data-folder=" + options.dataFolder.string() + " is not a folder");
    CliContext context(options, out, err);
    return command->run(context, commandArgs);
}

} // namespace talvex
