#include "app/app_options.h"

#include "app/ui_language.h"

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

} // namespace talvex
