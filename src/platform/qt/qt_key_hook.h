#pragma once
// Key capture inside the application: while installed, an application-wide event filter takes
// every key event before any widget sees it and hands it on as a virtual-key code worked out
// from the key's native scan code.

#include "platform/key_hook.h"

#include <QObject>

class QKeyEvent;

namespace talvex {

class QtKeyHook final : public QObject, public KeyHook {
    Q_OBJECT
public:
    explicit QtKeyHook(QObject* parent = nullptr);
    ~QtKeyHook() override;

    // Installing again replaces the receiver and the mode. False without a running application.
    bool install(Receiver receiver, int mode) override;
    void remove() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void deliver(const QKeyEvent& key, bool release);

    Receiver receiver;
    int mode = 0;
    bool installed = false;
};

} // namespace talvex
