#include "controls/recording_canvas.h"

#include "platform/ui_text.h"

namespace talvex {

using Kind = CanvasCall::Kind;

namespace {

CanvasCall imageCall(Kind kind, SkinFolder folder, const std::string& file, Rect source, int x,
                     int y) {
    CanvasCall call;
    call.kind = kind;
    call.folder = folder;
    call.text = file;
    call.rect = source;
    call.x = x;
    call.y = y;
    return call;
}

CanvasCall shapeCall(Kind kind, Rect r, Colour c) {
    CanvasCall call;
    call.kind = kind;
    call.rect = r;
    call.colour = c;
    return call;
}

} // namespace

void RecordingCanvas::drawImage(SkinFolder folder, const std::string& file, int x, int y) {
    calls_.push_back(imageCall(Kind::Image, folder, file, Rect{}, x, y));
}

void RecordingCanvas::drawImagePart(SkinFolder folder, const std::string& file, Rect source, int x,
                                    int y) {
    calls_.push_back(imageCall(Kind::ImagePart, folder, file, source, x, y));
}

void RecordingCanvas::fillRect(Rect r, Colour c) {
    calls_.push_back(shapeCall(Kind::Fill, r, c));
}

void RecordingCanvas::outlineRect(Rect r, Colour c) {
    calls_.push_back(shapeCall(Kind::Outline, r, c));
}

void RecordingCanvas::drawCaption(const std::string& text, int x, int y,
                                  const CaptionStyle& style) {
    CanvasCall call;
    call.kind = Kind::Caption;
    call.text = shownText(text);
    call.x = x;
    call.y = y;
    call.style = style;
    calls_.push_back(std::move(call));
}

std::vector<CanvasCall> RecordingCanvas::imageCalls(const std::string& file) const {
    std::vector<CanvasCall> found;
    for (const auto& call : calls_)
        if ((call.kind == Kind::Image || call.kind == Kind::ImagePart) && call.text == file)
            found.push_back(call);
    return found;
}

std::vector<CanvasCall> RecordingCanvas::captionCalls(const std::string& text) const {
    std::vector<CanvasCall> found;
    for (const auto& call : calls_)
        if (call.kind == Kind::Caption && call.text == text)
            found.push_back(call);
    return found;
}

} // namespace talvex
