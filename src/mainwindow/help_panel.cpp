#include "mainwindow/help_panel.h"

#include "platform/ui_text.h"

#include <string_view>

namespace talvex {

namespace {

// Under the title bar's buttons, wide enough for a usual web address without its scheme.
constexpr int kLeft = 797;
constexpr int kRight = 997;
constexpr int kTop = 22;
constexpr int kRowHeight = 25;
constexpr int kCaptionX = kLeft + 20;
constexpr int kCaptionWidth = kRight - 6 - kCaptionX;

constexpr Colour kBackground{44, 44, 48}; // the icons' background in the skin
constexpr Colour kEdge{58, 58, 62};
constexpr Colour kAccent{239, 14, 2};
constexpr Colour kSeparator{62, 62, 68};

// The scheme says nothing to a reader and takes room the panel does not have; a click opens the
// whole address.
std::string shownAddress(std::string_view address) {
    for (std::string_view scheme : {"https://", "http://"})
        if (address.starts_with(scheme))
            return std::string(address.substr(scheme.size()));
    return std::string(address);
}

} // namespace

std::vector<HelpRow> HelpPanel::rows() const {
    std::vector<HelpRow> rows;
    if (!webAddress_.empty())
        rows.push_back({HelpItem::WebAddress, shownAddress(webAddress_), "help-web.png"});
    rows.push_back({HelpItem::Updater, TALVEX_TEXT("驱动更新"), "help-update.png"});
    rows.push_back({HelpItem::Version, "Ver: 1.1", "help-version.png"});
    return rows;
}

Rect HelpPanel::bounds() const {
    return Rect{kLeft, kTop, kRight, kTop + 3 + kRowHeight * static_cast<int>(rows().size())};
}

std::optional<HelpItem> HelpPanel::itemAt(int x, int y) const {
    if (x < kLeft || x >= kRight || y < kTop)
        return std::nullopt;
    const auto all = rows();
    const auto row = static_cast<std::size_t>((y - kTop) / kRowHeight);
    if (row >= all.size())
        return std::nullopt;
    return all[row].item;
}

void HelpPanel::paint(Canvas& canvas) const {
    const Rect panel = bounds();
    canvas.fillRect(panel, kBackground);
    canvas.outlineRect(panel, kEdge);
    canvas.fillRect(Rect{kLeft + 1, kTop + 1, kRight - 1, kTop + 3}, kAccent);
    int top = kTop;
    for (const HelpRow& row : rows()) {
        if (top != kTop)
            canvas.fillRect(Rect{kLeft + 8, top + 1, kRight - 8, top + 2}, kSeparator);
        canvas.drawImage(SkinFolder::Main, row.icon, kLeft + 4, top + 5);
        writeCaption(canvas, row.caption, kCaptionX, top + 3, 15, Colour{255, 255, 255},
                     kCaptionWidth);
        top += kRowHeight;
    }
}

} // namespace talvex
