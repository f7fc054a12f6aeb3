#include "app/app_options.h"

#include "app/ui_language.h"
#include "platform/program_version.h"

namespace talvex {

AppOptionsParse parseAppArguments(const std::vector<std::string>& arguments) {
    static const std::string kSimulate = "--simulate";
    static const std::string kLang = "--lang=";
    AppOptionsParse parse;
    for (const std::string& argument : arguments) {
        if (argument == kSimulate) {
            parse.options.simulate = true;
        } else if (argument.rfind(kSimulate + "=", 0) == 0 &&
                   argument.size() > kSimulate.size() + 1) {
            parse.options.simulate = true;
            parse.options.simulatorStateFile = argument.substr(kSimulate.size() + 1);
        } else if (argument.rfind(kLang, 0) == 0) {
            parse.options.language = argument.substr(kLang.size());
            if (!knownLanguage(parse.options.language)) {
                parse.error = "unknown language: " + parse.options.language + " (en or zh_CN)";
                return parse;
            }
        } else {
            parse.error = "unknown argument: " + argument;
            return parse;
        }
    }
    return parse;
}

std::optional<std::string> answerWithoutWindow(const std::vector<std::string>& arguments) {
    for (const std::string& argument : arguments) {
        if (argument == "--version")
            return versionText("Kestrix");
        if (argument == "--help" || argument == "-h")
            return std::string(kAppUsage) +
                   "\n\nSettings of the Kestrix keyboard: keys, macros, lighting and profiles.\n"
                   "  --simulate[=STATE_FILE]  use the built-in simulated keyboard; its settings\n"
                   "                           are kept in STATE_FILE between runs\n"
                   "  --lang=en|zh_CN          the windows' language (default: the system's)\n"
                   "  --help                   print this text and exit\n"
                   "  --version                print the version and licence and exit\n"
                   "Qt's own options, such as -platform NAME, are accepted as well.\n"
                   "kestrix-cli(1) does the same from the command line; see Kestrix(1).\n";
    }
    return std::nullopt;
}

} // namespace talvex
