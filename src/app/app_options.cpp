#include "app/app_options.h"

namespace talvex {

AppOptionsParse parseAppArguments(const std::vector<std::string>& arguments) {
    static const std::string kSimulate = "--simulate";
    AppOptionsParse parse;
    for (const std::string& argument : arguments) {
        if (argument == kSimulate) {
            parse.options.simulate = true;
        } else if (argument.rfind(kSimulate + "=", 0) == 0 &&
                   argument.size() > kSimulate.size() + 1) {
            parse.options.simulate = true;
            parse.options.simulatorStateFile = argument.substr(kSimulate.size() + 1);
        } else {
            parse.error = "unknown argument: " + argument;
            return parse;
        }
    }
    return parse;
}

} // namespace talvex
