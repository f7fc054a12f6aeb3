#pragma once
// A NotificationIcon for tests: records what the program shows and lets the test click it.

#include "platform/notification_icon.h"

#include <string>
#include <utility>
#include <vector>

namespace talvex {

class FakeNotificationIcon final : public NotificationIcon {
public:
    // What available answers; false plays a desktop without a notification area.
    bool trayAvailable = true;

    bool available() const override { return trayAvailable; }
    void show(const std::string& newTip, Handlers newHandlers) override {
        shown = true;
        tip = newTip;
        handlers = std::move(newHandlers);
    }
    void hide() override {
        shown = false;
        handlers = {};
    }
    void showWarning(const std::string& title, const std::string& text) override {
        warnings.emplace_back(title, text);
    }

    void activate() {
        if (auto activated = handlers.activated)
            activated();
    }
    void chooseQuit() {
        if (auto quit = handlers.quit)
            quit();
    }

    bool shown = false;
    std::string tip;
    std::vector<std::pair<std::string, std::string>> warnings; // title, text

private:
    Handlers handlers;
};

} // namespace talvex
