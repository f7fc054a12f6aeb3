// What the main window says about the keyboard, fed from the keyboard session.
#include "app/qt/main_window.h"

namespace talvex {

void MainWindow::connectionChanged() {
    commands_.deviceActivity().keyboardConnected(session_.link().commandHandle != nullptr);
    update();
}

void MainWindow::jobStarted(DeviceJobKind kind) {
    commands_.deviceActivity().jobStarted(kind);
    update();
}

void MainWindow::jobProgressed(std::size_t done, std::size_t total) {
    commands_.deviceActivity().jobProgressed(done, total);
    update();
}

void MainWindow::jobEnded(DeviceJobKind kind, bool completed) {
    DeviceActivity& activity = commands_.deviceActivity();
    if (kind == DeviceJobKind::Read && completed)
        activity.firmwareRead(session_.link().firmwareVersion);
    activity.jobEnded(kind, completed);
    update();
    // The clock decides when the outcome has been shown long enough; this paints the hint back.
    loop_.after(DeviceActivity::kOutcomeShownMs, [this] { update(); });
}

} // namespace talvex
