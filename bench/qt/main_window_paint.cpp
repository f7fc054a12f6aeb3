// One full paint of the main window into an off-screen image, and the repaint after the mouse
// moved onto another key. Run from the build folder (the skin is read from "png/" beside it):
//   QT_QPA_PLATFORM=offscreen bench/talvex_bench_main_window_paint
#include "controls/qt/qt_canvas.h"
#include "mainwindow/key_geometry.h"
#include "mainwindow/main_window_rig.h"
#include "mainwindow/qt/panel_bit_sliders.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>

#include <filesystem>
#include <memory>

namespace talvex {
namespace {

struct Window {
    Window()
        : images(std::filesystem::current_path()), sliders(&widget, [](SliderId) {}),
          rig(std::make_unique<MainWindowRig>(
              AppPaths{std::filesystem::current_path(), std::filesystem::temp_directory_path()},
              sliders, jobs)),
          commands(rig->commands) {
        rig->keys.workingSettings.lightEffect = 2;
        rig->keys.workingSettings.lightColour = 1;
        for (std::size_t p = 40; p < 60; ++p)
            rig->keys.keyModified[p] = 1;
        commands.onLButtonUp(100, 115); // lighting section open: the busiest panel
    }

    void paint() {
        QImage image = QtCanvas::backgroundCanvas(images, SkinFolder::Main,
                                                  MainWindowCommands::kBackgroundImage);
        QtCanvas canvas(image, images);
        commands.paint(canvas);
        benchmark::DoNotOptimize(image.constBits());
    }

    SkinImages images;
    QWidget widget;
    PanelBitSliders sliders;
    UnansweredDeviceJobs jobs;
    std::unique_ptr<MainWindowRig> rig;
    MainWindowCommands& commands;
};

Window& window() {
    static int argc = 1;
    static char name[] = "talvex_bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    static Window* w = (static_cast<void>(app), new Window);
    return *w;
}

void BM_FullPaint(benchmark::State& state) {
    Window& w = window();
    for (auto _ : state)
        w.paint();
}
BENCHMARK(BM_FullPaint)->Unit(benchmark::kMillisecond);

// Moving between two keys changes the hovered key every time, so every move repaints.
void BM_HoverRepaint(benchmark::State& state) {
    Window& w = window();
    const Rect a = keyRectOnWindow(42), b = keyRectOnWindow(43);
    bool onA = false;
    for (auto _ : state) {
        onA = !onA;
        const Rect& r = onA ? a : b;
        w.commands.onMouseMove(r.left + 3, r.top + 3, false);
        w.paint();
    }
}
BENCHMARK(BM_HoverRepaint)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace talvex
