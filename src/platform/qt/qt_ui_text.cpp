#include "platform/qt/qt_ui_text.h"

#include "platform/ui_text.h"

#include <QCoreApplication>

namespace talvex {

QString translatedText(std::string_view text) {
    if (text.empty())
        return {};
    const FilledText filled = splitText(text);
    std::string templ;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = filled.templ.find('\n', start);
        const std::string line = filled.templ.substr(start, end - start);
        if (!line.empty())
            templ += qtTrId(line.c_str()).toStdString();
        if (end == std::string::npos)
            break;
        templ += '\n';
        start = end + 1;
    }
    return QString::fromStdString(substituteArgs(templ, filled.args));
}

} // namespace talvex
