#pragma once
// Which language the windows speak. Their texts are written in Chinese; English is the one
// translation.

#include <string>
#include <string_view>
#include <vector>

namespace talvex {

enum class UiLanguage { Chinese, English };

// What `--lang=` and KESTRIX_LANG accept.
bool knownLanguage(std::string_view name);

// The command line's choice wins, then KESTRIX_LANG (empty when unset; an unknown value is
// ignored), then the first of the system's UI languages (Qt's QLocale::system().uiLanguages(),
// which reads LANGUAGE, LC_ALL, LC_MESSAGES and LANG): Chinese for any "zh" one, else English.
UiLanguage chooseUiLanguage(std::string_view option, std::string_view environment,
                            const std::vector<std::string>& systemLanguages);

} // namespace talvex
