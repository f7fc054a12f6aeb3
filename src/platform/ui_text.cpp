#include "platform/ui_text.h"

namespace talvex {

FilledText splitText(std::string_view text) {
    FilledText filled;
    if (text.empty() || text.front() != kTextTemplateMark) {
        filled.templ = std::string(text);
        return filled;
    }
    text.remove_prefix(1);
    std::size_t mark = text.find(kTextArgumentMark);
    filled.templ = std::string(text.substr(0, mark));
    while (mark != std::string_view::npos) {
        const std::size_t next = text.find(kTextArgumentMark, mark + 1);
        filled.args.emplace_back(
            text.substr(mark + 1, next == std::string_view::npos ? next : next - mark - 1));
        mark = next;
    }
    return filled;
}

std::string substituteArgs(std::string_view templ, const std::vector<std::string>& args) {
    std::string out;
    for (std::size_t i = 0; i < templ.size(); ++i) {
        if (templ[i] == '%' && i + 1 < templ.size() && templ[i + 1] >= '1' && templ[i + 1] <= '9') {
            const std::size_t n = static_cast<std::size_t>(templ[i + 1] - '1');
            if (n < args.size()) {
                out += args[n];
                ++i;
                continue;
            }
        }
        out += templ[i];
    }
    return out;
}

} // namespace talvex
