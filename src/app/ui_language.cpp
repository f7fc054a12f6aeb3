#include "app/ui_language.h"

namespace talvex {

namespace {

UiLanguage fromName(std::string_view name) {
    // "zh", "zh_CN", "zh-Hans-CN", "zh_TW.UTF-8": every Chinese the program has is simplified.
    return name.substr(0, 2) == "zh" ? UiLanguage::Chinese : UiLanguage::English;
}

} // namespace

bool knownLanguage(std::string_view name) {
    return name == "en" || name == "zh_CN";
}

UiLanguage chooseUiLanguage(std::string_view option, std::string_view environment,
                            const std::vector<std::string>& systemLanguages) {
    if (knownLanguage(option))
        return fromName(option);
    if (knownLanguage(environment))
        return fromName(environment);
    if (systemLanguages.empty())
        return UiLanguage::English;
    return fromName(systemLanguages.front());
}

} // namespace talvex
