#include "app/qt/talvex_app.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    talvex::CTalvexApp talvex;
    if (!talvex.initInstance())
        return 0;
    QLabel label("Kestrix");
    talvex.setMainWindow(&label);
    label.show();
    return app.exec();
}
