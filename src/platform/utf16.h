#pragma once
// Conversions between the UTF-16 text the data files store and the UTF-8 text of paths,
// terminals and Qt's byte-string interfaces. Malformed input (a lone surrogate, a broken UTF-8
// sequence) becomes U+FFFD instead of failing, because the bytes come from files and keyboards.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace talvex {

std::string utf16ToUtf8(std::u16string_view text);
std::u16string utf8ToUtf16(std::string_view text);

// A zero-terminated UTF-16LE text field of a file record: the text before the first zero unit,
// or the whole field when a damaged file has none.
std::u16string readUtf16Field(std::span<const std::uint8_t> field);
// Writes the text and zero-fills the rest of the field. Refuses (field untouched) a text that
// leaves no room for the terminating zero or that holds a zero unit itself.
bool writeUtf16Field(std::span<std::uint8_t> field, std::u16string_view text);

} // namespace talvex
