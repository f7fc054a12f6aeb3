#pragma once
// The notification-area icon on QSystemTrayIcon.

#include "platform/notification_icon.h"

#include <QIcon>
#include <QMenu>
#include <QSystemTrayIcon>

#include <memory>

namespace talvex {

class QtNotificationIcon final : public NotificationIcon {
public:
    explicit QtNotificationIcon(QIcon icon);
    ~QtNotificationIcon() override;

    bool available() const override;
    void show(const std::string& tip, Handlers handlers) override;
    void hide() override;
    void showWarning(const std::string& title, const std::string& text) override;

private:
    QIcon icon_;
    Handlers handlers_;
    std::unique_ptr<QMenu> menu_;
    std::unique_ptr<QSystemTrayIcon> tray_;
};

} // namespace talvex
