#include "platform/qt/qt_notification_icon.h"

#include "platform/qt/qt_ui_text.h"
#include "platform/ui_text.h"

namespace talvex {

namespace {

// The platforms raise shorter balloon times to their own minimum anyway.
constexpr int kBalloonMs = 10000;

} // namespace

QtNotificationIcon::QtNotificationIcon(QIcon icon) : icon_(std::move(icon)) {}

QtNotificationIcon::~QtNotificationIcon() = default;

bool QtNotificationIcon::available() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtNotificationIcon::show(const std::string& tip, Handlers handlers) {
    hide();
    handlers_ = std::move(handlers);
    menu_ = std::make_unique<QMenu>();
    QObject::connect(menu_->addAction(translatedText(TALVEX_TEXT("退出"))), &QAction::triggered,
                     menu_.get(), [this] {
                         // The handler may hide the icon, which drops the handlers.
                         if (auto quit = handlers_.quit)
                             quit();
                     });
    tray_ = std::make_unique<QSystemTrayIcon>(icon_);
    tray_->setToolTip(translatedText(tip));
    tray_->setContextMenu(menu_.get());
    // Desktops that speak the StatusNotifierItem protocol report a plain click, never a double
    // click, so both bring the window.
    QObject::connect(
        tray_.get(), &QSystemTrayIcon::activated, tray_.get(),
        [this](QSystemTrayIcon::ActivationReason reason) {
            auto activated = handlers_.activated;
            if ((reason == QSystemTrayIcon::DoubleClick || reason == QSystemTrayIcon::Trigger) &&
                activated)
                activated();
        });
    tray_->show();
}

void QtNotificationIcon::hide() {
    // Hiding may come from the icon's own menu, so the objects go once their signals are done.
    if (tray_) {
        tray_->hide();
        tray_.release()->deleteLater();
        menu_.release()->deleteLater();
    }
    handlers_ = {};
}

void QtNotificationIcon::showWarning(const std::string& title, const std::string& text) {
    if (tray_)
        tray_->showMessage(translatedText(title), translatedText(text),
                           QSystemTrayIcon::Information, kBalloonMs);
}

} // namespace talvex
