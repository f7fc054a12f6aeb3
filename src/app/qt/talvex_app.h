#pragma once
// The application object: lets only one copy run, and brings the running copy's main window
// to the front when the user starts the program again, even from the notification area.

#include "app/qt/single_instance.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace talvex {

class CTalvexApp final : public QObject {
    Q_OBJECT
public:
    explicit CTalvexApp(const QString& instanceFolder = SingleInstance::runtimeFolder(),
                        const QString& instanceKey = SingleInstance::kKey,
                        QObject* parent = nullptr);

    // False when another copy runs: it has been asked to come forward, and this process must
    // end at once without showing anything.
    bool initInstance();

    // Whether this copy holds the single-instance lock (see SingleInstance::holdsLock).
    bool holdsInstanceLock() const { return instance.holdsLock(); }

    // The window that a later copy brings forward. A request that came before the window
    // existed is honoured as soon as it is set.
    void setMainWindow(QWidget* window);

    // Who carries out the commands kestrix-cli hands over; until set, none are taken.
    void setForwardHandler(SingleInstance::ForwardHandler handler) {
        instance.setForwardHandler(std::move(handler));
    }

private:
    void bringForward();

    SingleInstance instance;
    QPointer<QWidget> mainWindow;
    bool pendingActivation = false;
};

} // namespace talvex
