#include "app/qt/about_box.h"

#include "mainwindow/help_panel.h"
#include "platform/program_version.h"
#include "platform/qt/qt_ui_text.h"
#include "platform/ui_text.h"

#include <QMessageBox>
#include <QPushButton>

namespace talvex {

QIcon applicationIcon() {
    // Adding a file decodes it, and both the window and the notification icon ask at start-up:
    // the sizes are decoded once and shared. Never destroyed, so that no pixmap outlives the
    // application object.
    static const QIcon* const icon = [] {
        auto* sizes = new QIcon;
        for (int size : {16, 24, 32, 48, 64, 128, 256})
            sizes->addFile(QStringLiteral(":/icons/154-%1.png").arg(size), QSize(size, size));
        return sizes;
    }();
    return *icon;
}

void runAboutBox(QWidget* parent) {
    QMessageBox box(parent);
    box.setWindowTitle(translatedText(TALVEX_TEXT("关于 Talvex")));
    box.setIconPixmap(applicationIcon().pixmap(32, 32));
    QString text =
        translatedText(fillText(TALVEX_TEXT("Talvex %1 版"), {std::string(programVersion())}));
    text += QStringLiteral("\n") +
            translatedText(TALVEX_TEXT("依 GPL-3.0-or-later 许可发布，不提供任何担保。"));
    // The same address as the help panel, and none when the build names none.
    if (*kWebAddress)
        text += QStringLiteral("\n") + QString::fromUtf8(kWebAddress);
    box.setText(text);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.addButton(translatedText(TALVEX_TEXT("确定")), QMessageBox::AcceptRole);
    box.exec();
}

} // namespace talvex
