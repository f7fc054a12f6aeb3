#pragma once
// The shell's side of TALVEX_TEXT: translates a marked text, or a template made by fillText
// before its arguments go in. Without an installed translator the text stays Chinese.

#include <QString>

#include <string_view>

namespace talvex {

QString translatedText(std::string_view text);

} // namespace talvex
