#pragma once
// Conversions between the UTF-16 text the data files store and the UTF-8 text of paths,
// terminals and Qt's byte-string interfaces. Malformed input (a lone surrogate, a broken UTF-8
// sequence) becomes U+FFFD instead of failing, because the bytes come from files and keyboards.

#include <string>
#include <string_view>

namespace talvex {

std::string utf16ToUtf8(std::u16string_view text);
std::u16string utf8ToUtf16(std::string_view text);

} // namespace talvex
