#include "app/qt/talvex_app.h"

namespace talvex {

CTalvexApp::CTalvexApp(const QString& instanceFolder, const QString& instanceKey, QObject* parent)
    : QObject(parent), instance(instanceFolder, instanceKey) {
    connect(&instance, &SingleInstance::activationRequested, this, &CTalvexApp::bringForward);
}

bool CTalvexApp::initInstance() {
    return instance.claim();
}

void CTalvexApp::setMainWindow(QWidget* window) {
    mainWindow = window;
    if (pendingActivation)
        bringForward();
}

void CTalvexApp::bringForward() {
    if (!mainWindow) {
        pendingActivation = true;
        return;
    }
    pendingActivation = false;
    mainWindow->showNormal();
    mainWindow->raise();
    mainWindow->activateWindow();
}

} // namespace talvex
