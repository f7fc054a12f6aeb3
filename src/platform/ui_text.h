#pragma once
// Texts the windows show are written in Chinese in the core and translated by the Qt shell
// where it draws or shows them. TALVEX_TEXT marks such a text for lupdate (declared to it as an
// alias of QT_TRID_NOOP, so the Chinese text is the message's id and needs no context) and
// leaves it unchanged for the compiler. A marked text is one line: an id cannot hold a line
// break (lupdate reads it back as a space), so a text of several lines marks each line, and the
// shell translates a text line by line.
//
// A text with numbers or names in it is a template with %1, %2, ... and its arguments:
// `fillText` makes one string of both so that the shell can translate the template before the
// arguments go in, and `shownText` gives what a window without a translator shows.

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#define TALVEX_TEXT(text) text

namespace talvex {

// Separators that cannot occur in a caption: ASCII unit and record separators.
inline constexpr char kTextTemplateMark = '\x1f';
inline constexpr char kTextArgumentMark = '\x1e';

inline std::string fillText(std::string_view templ, std::initializer_list<std::string> args) {
    std::string out(1, kTextTemplateMark);
    out += templ;
    for (const std::string& arg : args) {
        out += kTextArgumentMark;
        out += arg;
    }
    return out;
}

struct FilledText {
    std::string templ;
    std::vector<std::string> args;
};

// A plain text is its own template without arguments.
FilledText splitText(std::string_view text);

// Puts the arguments in place of %1..%9 (a "%" followed by anything else stays).
std::string substituteArgs(std::string_view templ, const std::vector<std::string>& args);

// The text as shown untranslated.
inline std::string shownText(std::string_view text) {
    const FilledText filled = splitText(text);
    return substituteArgs(filled.templ, filled.args);
}

} // namespace talvex
