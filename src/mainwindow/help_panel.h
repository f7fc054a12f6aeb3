#pragma once
// The panel that the title bar's "?" button opens: the maker's web address, the driver updater
// and the program's version, one row each. A build without a web address has no such row, and
// the rows below it move up, so what is drawn and what a click starts never disagree.

#include "controls/canvas.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

#ifndef TALVEX_WEB_ADDRESS
#error "TALVEX_WEB_ADDRESS comes from the CMake cache variable of the same name"
#endif

namespace talvex {

// The build's web address (the CMake cache variable TALVEX_WEB_ADDRESS); empty when it has none.
inline constexpr const char* kWebAddress = TALVEX_WEB_ADDRESS;

enum class HelpItem { WebAddress, Updater, Version };

struct HelpRow {
    HelpItem item;
    std::string caption;
    const char* icon;
};

class HelpPanel {
public:
    explicit HelpPanel(std::string webAddress) : webAddress_(std::move(webAddress)) {}

    const std::string& webAddress() const { return webAddress_; }
    std::vector<HelpRow> rows() const;
    // On the window; right and bottom exclusive.
    Rect bounds() const;
    // The row under a window point, edges included.
    std::optional<HelpItem> itemAt(int x, int y) const;
    void paint(Canvas& canvas) const;

private:
    std::string webAddress_;
};

} // namespace talvex
