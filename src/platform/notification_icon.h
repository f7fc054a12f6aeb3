#pragma once
// The program's icon in the desktop's notification area (the system tray): a tip, a warning
// balloon and a menu with one item that quits. Where the desktop has no tray the program keeps
// its window on the screen instead, so it never becomes unreachable.

#include <functional>
#include <string>

namespace talvex {

class NotificationIcon {
public:
    struct Handlers {
        std::function<void()> activated; // the user double-clicked (or clicked) the icon
        std::function<void()> quit;      // the menu's one item
    };

    virtual ~NotificationIcon() = default;
    // Whether the desktop shows notification-area icons at all.
    virtual bool available() const = 0;
    virtual void show(const std::string& tip, Handlers handlers) = 0;
    virtual void hide() = 0;
    // A balloon next to the icon; texts are UTF-8.
    virtual void showWarning(const std::string& title, const std::string& text) = 0;
};

} // namespace talvex
