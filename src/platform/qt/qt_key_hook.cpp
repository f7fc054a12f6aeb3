#include "platform/qt/qt_key_hook.h"

#include "platform/evdev_vk_table.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace talvex {

QtKeyHook::QtKeyHook(QObject* parent) : QObject(parent) {}

QtKeyHook::~QtKeyHook() {
    remove();
}

bool QtKeyHook::install(Receiver newReceiver, int newMode) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return false;
    receiver = std::move(newReceiver);
    mode = newMode;
    if (!installed)
        app->installEventFilter(this);
    installed = true;
    return true;
}

void QtKeyHook::remove() {
    if (!installed)
        return;
    installed = false;
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeEventFilter(this);
    receiver = nullptr;
}

bool QtKeyHook::eventFilter(QObject* watched, QEvent* event) {
    if (!installed)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Claiming the override keeps menu and button shortcuts from eating the key press.
        event->accept();
        return true;
    case QEvent::KeyPress:
        deliver(static_cast<const QKeyEvent&>(*event), false);
        return true;
    case QEvent::KeyRelease:
        deliver(static_cast<const QKeyEvent&>(*event), true);
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

void QtKeyHook::deliver(const QKeyEvent& key, bool release) {
    // Mode 0 takes one stroke per press: auto-repeat while a modifier is held would otherwise
    // fill a combination with copies of it. Mode 1 records auto-repeat as repeated presses; the
    // releases that X11 puts between them are not real.
    if (mode == 0 && (release || key.isAutoRepeat()))
        return;
    if (release && key.isAutoRepeat())
        return;
    std::uint8_t vk = vkFromNativeScanCode(key.nativeScanCode());
    if (vk == 0)
        return;
    // The receiver may remove the hook (and with it the stored receiver) while it runs.
    Receiver current = receiver;
    current(KeyStroke{vk, release});
}

} // namespace talvex
