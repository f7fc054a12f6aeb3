#pragma once
// Stand-ins for the main window's ports, for tests, benchmarks and fuzz targets: they remember
// what the logic asked for and do nothing else.

#include "mainwindow/device_jobs.h"
#include "mainwindow/main_window_host.h"
#include "mainwindow/panel_sliders.h"

#include <map>
#include <utility>
#include <vector>

namespace talvex {

class RecordingSliders final : public PanelSliders {
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

class RecordingWindowHost final : public MainWindowHost {
public:
    int repaints = 0;
    bool hidden = false;
    bool closed = false;
    bool busyCursor = false;
    bool present = true;
    int keyboardReads = 0;
    std::vector<std::pair<int, int>> drags;

    void requestRepaint() override { ++repaints; }
    void hideWindow() override { hidden = true; }
    void closeWindow() override { closed = true; }
    void startWindowDrag(int x, int y) override { drags.emplace_back(x, y); }
    void setBusyCursor(bool busy) override { busyCursor = busy; }
    bool keyboardPresent() const override { return present; }
    void readKeyboardAgain() override { ++keyboardReads; }
};

// A keyboard that never answers: requests are counted and dropped.
class UnansweredDeviceJobs final : public DeviceJobs {
public:
    int requests = 0;

    bool busy() const override { return false; }
    void requestSave(const DeviceSettings&, const DeviceSettings&, SaveDone) override {
        ++requests;
    }
    void requestFactoryReset(const DeviceSettings&, ReadDone) override { ++requests; }
};

} // namespace talvex
