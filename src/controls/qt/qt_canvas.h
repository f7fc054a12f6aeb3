#pragma once
// The Canvas painted with QPainter onto an off-screen image, which the window then copies to
// the screen in one piece (double buffering).

#include "controls/canvas.h"
#include "controls/qt/skin_images.h"

#include <QFont>
#include <QImage>
#include <QPainter>

#include <string_view>

namespace talvex {

class QtCanvas : public Canvas {
public:
    // Paints onto `target` until destroyed. A null target draws nothing.
    QtCanvas(QImage& target, SkinImages& images);

    // A window's off-screen canvas: a copy of its background image, or a null image when the
    // background is missing (then nothing of the window is drawn).
    static QImage backgroundCanvas(SkinImages& images, SkinFolder folder, std::string_view file);
    // The caption font: face and weight as given, at the pixel size whose line height comes
    // closest to `height`.
    static QFont captionFont(const CaptionStyle& style);

    void drawImage(SkinFolder folder, const std::string& file, int x, int y) override;
    void drawImagePart(SkinFolder folder, const std::string& file, Rect source, int x,
                       int y) override;
    void fillRect(Rect r, Colour c) override;
    void outlineRect(Rect r, Colour c) override;
    void drawCaption(const std::string& text, int x, int y, const CaptionStyle& style) override;

private:
    SkinImages& images_;
    QPainter painter_;
};

} // namespace talvex
