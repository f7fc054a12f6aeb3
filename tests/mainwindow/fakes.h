#pragma once
// Test helpers for the main window logic: the recorded paint as text lines, and the questions
// asked of the colour picker.

#include "controls/recording_canvas.h"
#include "platform/scripted_prompts.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace talvex::testing {

// The recorded drawing calls as one text line each, e.g. "part kb_hl.png 2,52,27,77 at 330,240",
// so a test states a whole paint as a list.
class TextCanvas final : public RecordingCanvas {
public:
    std::vector<std::string> lines() const {
        std::vector<std::string> out;
        for (const CanvasCall& call : calls())
            out.push_back(describe(call));
        return out;
    }
    bool has(const std::string& line) const { return indexOf(line) >= 0; }
    long indexOf(const std::string& line) const {
        const auto all = lines();
        auto it = std::find(all.begin(), all.end(), line);
        return it == all.end() ? -1 : it - all.begin();
    }

private:
    static std::string describe(const CanvasCall& c) {
        char buffer[256];
        const Rect& r = c.rect;
        switch (c.kind) {
        case CanvasCall::Kind::Image:
            std::snprintf(buffer, sizeof buffer, "image %s %d,%d", c.text.c_str(), c.x, c.y);
            break;
        case CanvasCall::Kind::ImagePart:
            std::snprintf(buffer, sizeof buffer, "part %s %d,%d,%d,%d at %d,%d", c.text.c_str(),
                          r.left, r.top, r.right, r.bottom, c.x, c.y);
            break;
        case CanvasCall::Kind::Fill:
        case CanvasCall::Kind::Outline:
            std::snprintf(buffer, sizeof buffer, "%s %d,%d,%d,%d %d,%d,%d",
                          c.kind == CanvasCall::Kind::Fill ? "fill" : "outline", r.left, r.top,
                          r.right, r.bottom, c.colour.r, c.colour.g, c.colour.b);
            break;
        case CanvasCall::Kind::Caption:
            std::snprintf(buffer, sizeof buffer, "caption \"%s\" %d,%d h%d %d,%d,%d",
                          c.text.c_str(), c.x, c.y, c.style.height, c.style.text.r, c.style.text.g,
                          c.style.text.b);
            break;
        }
        return buffer;
    }
};

inline int colourQuestions(const ScriptedPrompts& prompts) {
    return static_cast<int>(std::count_if(prompts.questions.begin(), prompts.questions.end(),
                                          [](const ScriptedPrompts::Question& q) {
                                              return q.kind == ScriptedPrompts::Kind::Colour;
                                          }));
}

} // namespace talvex::testing
