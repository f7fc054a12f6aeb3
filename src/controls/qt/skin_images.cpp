#include "controls/qt/skin_images.h"

#include "controls/skin_catalogue.h"
#include "platform/app_paths.h"

#include <QDir>
#include <QFileInfo>

static void registerTalvexSkinResources() {
    Q_INIT_RESOURCE(talvex_skin);
}

namespace talvex {

namespace {

// A file of the folder whose name equals `name` without regard to case, or an empty string.
QString findIgnoringCase(const QString& path) {
    QFileInfo info(path);
    if (info.exists())
        return path;
    QDir folder = info.dir();
    const QStringList entries = folder.entryList(QDir::Files);
    for (const QString& entry : entries)
        if (entry.compare(info.fileName(), Qt::CaseInsensitive) == 0)
            return folder.filePath(entry);
    return {};
}

} // namespace

QImage LoadSkinImage(const QString& path) {
    QImage decoded(path);
    if (decoded.isNull())
        return {};
    // Start-up decodes every image of the window, so none is copied more than it must be: one
    // without alpha needs one conversion at most, and one with alpha is made opaque in place.
    if (!decoded.hasAlphaChannel())
        return decoded.format() == QImage::Format_RGB32
                   ? decoded
                   : std::move(decoded).convertToFormat(QImage::Format_RGB32);
    // Non-premultiplied ARGB keeps the stored colour of transparent pixels; forcing alpha to
    // opaque then turns it into a plain RGB image without touching the colours.
    QImage image = std::move(decoded).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] |= 0xFF000000u;
    }
    image.reinterpretAsFormat(QImage::Format_RGB32);
    return image;
}

SkinImages::SkinImages(std::filesystem::path programFolder)
    : programFolder_(std::move(programFolder)) {}

QString SkinImages::imagePath(SkinFolder folder, std::string_view file) const {
    std::string relative = skinImagePath(folder, file);
    if (folder == SkinFolder::Bitmaps)
        return QString::fromStdString(relative);
    return QString::fromStdString((programFolder_ / relative).string());
}

QImage SkinImages::image(SkinFolder folder, std::string_view file) {
    QString path = imagePath(folder, file);
    if (folder == SkinFolder::Bitmaps) {
        initSkinResources();
        auto& entry = cache_[path.toStdString()];
        if (entry.image.isNull())
            entry.image = LoadSkinImage(path);
        return entry.image;
    }
    auto& entry = cache_[path.toStdString()];
    // The file found last time is tried first, so a name spelt in another case does not list
    // the folder on every paint.
    QString resolved = !entry.resolvedPath.isEmpty() && QFileInfo::exists(entry.resolvedPath)
                           ? entry.resolvedPath
                           : findIgnoringCase(path);
    if (resolved.isEmpty()) {
        entry = Entry{};
        return {};
    }
    QFileInfo info(resolved);
    if (entry.resolvedPath != resolved || entry.size != info.size() ||
        entry.modified != info.lastModified()) {
        entry.resolvedPath = resolved;
        entry.size = info.size();
        entry.modified = info.lastModified();
        entry.image = LoadSkinImage(resolved);
    }
    return entry.image;
}

SkinImages& programSkinImages() {
    static SkinImages images(defaultProgramFolder());
    return images;
}

void initSkinResources() {
    static const bool registered = [] {
        registerTalvexSkinResources();
        return true;
    }();
    (void)registered;
}

} // namespace talvex
