#pragma once
// The Canvas painted with QPainter onto an off-screen image, which the window then copies to
// the screen in one piece (double buffering).

#include "controls/canvas.h"
#include "controls/qt/skin_images.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QRegion>

#include <string>
#include <string_view>
#include <vector>

namespace talvex {

// A caption as it came out: the window shows `fullText` as a tooltip over an elided one.
struct DrawnCaption {
    QRect rect;           // the text's cell as drawn: its advance wide, its pixel height tall
    QRegion visible;      // the part of rect that no image or fill drawn later covers
    int areaWidth = 0;    // as given; the area runs from rect.left()
    int height = 0;       // the pixel height it was drawn at, after any shrinking
    std::string text;     // what was drawn
    std::string fullText; // what was asked for
    bool elided = false;
};

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
    // Fits the caption into style.areaWidth: smaller pixel heights one by one down to
    // captionFloorHeight, then elided at that floor. A shrunk caption stays centred on its cell.
    void drawCaption(const std::string& text, int x, int y, const CaptionStyle& style) override;

    // Every caption drawn so far, in order.
    const std::vector<DrawnCaption>& drawnCaptions() const { return captions_; }

private:
    SkinImages& images_;
    QPainter painter_;
    // What is painted opaque over captions drawn earlier hides them there.
    void cover(const QRect& painted);

    std::vector<DrawnCaption> captions_;
};

// The elided caption whose visible part holds `point`, or none.
const DrawnCaption* elidedCaptionAt(const std::vector<DrawnCaption>& captions, QPoint point);

} // namespace talvex
