#include "app/qt/about_box.h"

#include <QMessageBox>
#include <QPushButton>

namespace talvex {

QIcon applicationIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/154-%1.png").arg(size), QSize(size, size));
    return icon;
}

void runAboutBox(QWidget* parent) {
    QMessageBox box(parent);
    box.setWindowTitle(QStringLiteral("关于 Talvex"));
    box.setIconPixmap(applicationIcon().pixmap(32, 32));
    box.setText(QStringLiteral("Talvex 1.0 版"));
    box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    box.exec();
}

} // namespace talvex
