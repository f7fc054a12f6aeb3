#pragma once
// Test doubles for the main window logic: the recorded paint as text lines, the
// panel sliders and the window that shows the logic.

#include "controls/recording_canvas.h"
#include "mainwindow/main_window_host.h"
#include "mainwindow/panel_sliders.h"
#include "platform/scripted_prompts.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
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

class FakeSliders final : public PanelSliders {
public:
    struct State {
        int position = 0;
        bool visible = false;
        int x = 0, y = 0;
        int moves = 0;
        int draws = 0;
    };
    std::map<SliderId, State> sliders;

    int position(SliderId id) const override {
        auto it = sliders.find(id);
        return it == sliders.end() ? 0 : it->second.position;
    }
    void setPosition(SliderId id, int position) override { sliders[id].position = position; }
    void setVisible(SliderId id, bool visible) override { sliders[id].visible = visible; }
    void moveTo(SliderId id, int x, int y) override {
        auto& s = sliders[id];
        s.x = x;
        s.y = y;
        ++s.moves;
    }
    void draw(SliderId id, Canvas&) override { ++sliders[id].draws; }
    State& operator[](SliderId id) { return sliders[id]; }
};

class FakeHost final : public MainWindowHost {
public:
    int repaints = 0;
    bool hidden = false;
    bool closed = false;
    bool busyCursor = false;
    std::vector<std::pair<int, int>> drags;

    void requestRepaint() override { ++repaints; }
    void hideWindow() override { hidden = true; }
    void closeWindow() override { closed = true; }
    void startWindowDrag(int x, int y) override { drags.emplace_back(x, y); }
    void setBusyCursor(bool busy) override { busyCursor = busy; }
};

} // namespace talvex::testing
