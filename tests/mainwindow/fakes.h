#pragma once
// Test doubles for the main window logic: a canvas that records its calls as text lines, the
// panel sliders and the window that shows the logic.

#include "controls/canvas.h"
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

class TextCanvas final : public Canvas {
public:
    std::vector<std::string> calls;

    void drawImage(SkinFolder, const std::string& file, int x, int y) override {
        add("image %s %d,%d", file.c_str(), x, y);
    }
    void drawImagePart(SkinFolder, const std::string& file, Rect s, int x, int y) override {
        add("part %s %d,%d,%d,%d at %d,%d", file.c_str(), s.left, s.top, s.right, s.bottom, x, y);
    }
    void fillRect(Rect r, Colour c) override {
        add("fill %d,%d,%d,%d %d,%d,%d", r.left, r.top, r.right, r.bottom, c.r, c.g, c.b);
    }
    void outlineRect(Rect r, Colour c) override {
        add("outline %d,%d,%d,%d %d,%d,%d", r.left, r.top, r.right, r.bottom, c.r, c.g, c.b);
    }
    void drawCaption(const std::string& text, int x, int y, const CaptionStyle& s) override {
        add("caption \"%s\" %d,%d h%d %d,%d,%d", text.c_str(), x, y, s.height, s.text.r, s.text.g,
            s.text.b);
    }

    bool has(const std::string& line) const {
        return std::find(calls.begin(), calls.end(), line) != calls.end();
    }
    long indexOf(const std::string& line) const {
        auto it = std::find(calls.begin(), calls.end(), line);
        return it == calls.end() ? -1 : it - calls.begin();
    }
    std::size_t countPrefix(const std::string& prefix) const {
        return std::count_if(calls.begin(), calls.end(),
                             [&](const std::string& c) { return c.rfind(prefix, 0) == 0; });
    }

private:
    template <typename... Args> void add(const char* format, Args... args) {
        char buffer[256];
        std::snprintf(buffer, sizeof buffer, format, args...);
        calls.emplace_back(buffer);
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
