#include "controls/recording_canvas.h"

namespace talvex {

void RecordingCanvas::drawImage(SkinFolder folder, const std::string& file, int x, int y) {
    CanvasCall call;
    call.kind = CanvasCall::Kind::Image;
    call.folder = folder;
    call.text = file;
    call.x = x;
    call.y = y;
    calls_.push_back(std::move(call));
}

void RecordingCanvas::drawImagePart(SkinFolder folder, const std::string& file, Rect source, int x,
                                    int y) {
    CanvasCall call;
    call.kind = CanvasCall::Kind::ImagePart;
    call.folder = folder;
    call.text = file;
    call.rect = source;
    call.x = x;
    call.y = y;
    calls_.push_back(std::move(call));
}

void RecordingCanvas::fillRect(Rect r, Colour c) {
    CanvasCall call;
    call.kind = CanvasCall::Kind::Fill;
    call.rect = r;
    call.colour = c;
    calls_.push_back(std::move(call));
}

void RecordingCanvas::outlineRect(Rect r, Colour c) {
    CanvasCall call;
    call.kind = CanvasCall::Kind::Outline;
    call.rect = r;
    call.colour = c;
    calls_.push_back(std::move(call));
}

void RecordingCanvas::drawCaption(const std::string& text, int x, int y,
                                  const CaptionStyle& style) {
    CanvasCall call;
    call.kind = CanvasCall::Kind::Caption;
    call.text = text;
    call.x = x;
    call.y = y;
    call.style = style;
    calls_.push_back(std::move(call));
}

std::vector<CanvasCall> RecordingCanvas::imageCalls(const std::string& file) const {
    std::vector<CanvasCall> found;
    for (const auto& call : calls_) {
        bool isImage =
            call.kind == CanvasCall::Kind::Image || call.kind == CanvasCall::Kind::ImagePart;
        if (isImage && call.text == file)
            found.push_back(call);
    }
    return found;
}

std::vector<CanvasCall> RecordingCanvas::captionCalls(const std::string& text) const {
    std::vector<CanvasCall> found;
    for (const auto& call : calls_)
        if (call.kind == CanvasCall::Kind::Caption && call.text == text)
            found.push_back(call);
    return found;
}

} // namespace talvex
