#pragma once
// Decoding the skin's PNG files and the bitmaps built into the program.

#include "controls/canvas.h"

#include <QDateTime>
#include <QImage>
#include <QString>

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace talvex {

// Decodes one image file into an opaque RGB32 image that holds the colour values the file
// stores, alpha dropped and never blended. A null image when the file is missing or no image.
QImage LoadSkinImage(const QString& path);

// The skin images of one program folder. Decoded images are kept and decoded again only when
// the file changes (size or modification time), so every paint draws what is on disk without
// decoding every image on every paint. File names match without regard to case.
class SkinImages {
public:
    explicit SkinImages(std::filesystem::path programFolder);

    // The image, or a null image when it is missing.
    QImage image(SkinFolder folder, std::string_view file);
    // The file that a skin image is read from (a resource path for SkinFolder::Bitmaps).
    QString imagePath(SkinFolder folder, std::string_view file) const;
    const std::filesystem::path& programFolder() const { return programFolder_; }

private:
    struct Entry {
        QString resolvedPath;
        qint64 size = -1;
        QDateTime modified;
        QImage image;
    };

    std::filesystem::path programFolder_;
    std::map<std::string, Entry> cache_;
};

// The skin of this program: beside the executable when unpacked, in the share folder when
// installed.
SkinImages& programSkinImages();

// Registers the bitmaps and icons built into the program (":/bitmaps/", ":/icons/"). Safe to
// call more than once.
void initSkinResources();

} // namespace talvex
