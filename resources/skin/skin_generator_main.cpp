// Paints every skin image of the program: the PNG files of the skin folders beside the
// executable, and the bitmaps and icons built into it together with their resource list.
//
// usage: talvex-skin-generator PROGRAM_FOLDER RESOURCE_FOLDER QRC_FILE

#include "controls/skin_catalogue.h"
#include "skin_style.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QTextStream>

#include <cstdio>
#include <set>

using namespace talvex;

namespace {

// ":/bitmaps/139.png" -> "bitmaps/139.png"; "png/main.png" stays as it is.
QString relativeFile(std::string_view path) {
    QString file = QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
    return file.startsWith(":/") ? file.mid(2) : file;
}

bool saveImage(const QImage& image, const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG"))
        return false;
    return file.commit();
}

bool writeResourceList(const QString& qrcPath, const QString& resourceFolder,
                       const QStringList& resources) {
    QSaveFile file(qrcPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QTextStream out(&file);
    out << "<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/\">\n";
    for (const QString& resource : resources)
        out << "  <file alias=\"" << resource << "\">"
            << QDir(resourceFolder).absoluteFilePath(resource) << "</file>\n";
    out << "</qresource>\n</RCC>\n";
    out.flush();
    return file.commit();
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s PROGRAM_FOLDER RESOURCE_FOLDER QRC_FILE\n", argv[0]);
        return 2;
    }
    const QString programFolder = QString::fromLocal8Bit(argv[1]);
    const QString resourceFolder = QString::fromLocal8Bit(argv[2]);

    skin::PainterTable painters;
    skin::addMainWindowPainters(painters);
    skin::addPanelPainters(painters);
    skin::addKeyboardPainters(painters);
    skin::addDialogPainters(painters);
    skin::addBitmapPainters(painters);

    int failures = 0;
    std::set<std::string> painted;
    QStringList resources;
    for (const SkinImageEntry& entry : skinImages()) {
        std::string key(entry.path);
        auto painter = painters.find(key);
        if (painter == painters.end()) {
            std::fprintf(stderr, "no painter for %s\n", key.c_str());
            ++failures;
            continue;
        }
        // Icons keep their transparency; everything else is drawn opaque.
        bool isIcon = entry.path.starts_with(":/icons/");
        QImage image(entry.width, entry.height,
                     isIcon ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
        image.fill(isIcon ? Qt::transparent : Qt::black);
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::TextAntialiasing);
            painter->second(p, entry.width, entry.height);
        }
        bool isResource = entry.path.starts_with(":/");
        QString file = relativeFile(entry.path);
        QString target = QDir(isResource ? resourceFolder : programFolder).absoluteFilePath(file);
        if (!saveImage(image, target)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(target));
            ++failures;
        }
        if (isResource)
            resources << file;
        painted.insert(key);
    }
    for (const auto& [key, painter] : painters)
        if (!painted.contains(key)) {
            std::fprintf(stderr, "painter for %s, which no window uses\n", key.c_str());
            ++failures;
        }
    if (!writeResourceList(QString::fromLocal8Bit(argv[3]), resourceFolder, resources)) {
        std::fprintf(stderr, "cannot write %s\n", argv[3]);
        ++failures;
    }
    return failures == 0 ? 0 : 1;
}
