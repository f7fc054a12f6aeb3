// A settings image of arbitrary bytes (as a damaged keymap.bin, a profile or the keyboard may
// hold it), then mouse events taken from the rest of the input, each followed by a paint. Every
// value the window draws or indexes with comes from those bytes: effect codes past the custom
// layouts, colour selections past the palette, response times and slider fields of any size.

#include "controls/recording_canvas.h"
#include "fuzz_check.h"
#include "mainwindow/lighting_effects.h"
#include "mainwindow/main_window_rig.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

using namespace talvex;

// No folder to write to: file writes fail at once and change nothing.
const AppPaths kNoFolder{"/nonexistent/talvex-fuzz", "/nonexistent/talvex-fuzz"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    RecordingSliders sliders;
    UnansweredDeviceJobs jobs;
    auto rig = std::make_unique<MainWindowRig>(kNoFolder, sliders, jobs);
    MainWindowCommands& window = rig->commands;
    DeviceSettings& settings = rig->keys.workingSettings;
    auto bytes = settings.bytes();
    const std::size_t inSettings = std::min(size, bytes.size());
    std::copy(data, data + inSettings, bytes.begin());

    // Each event: kind, x and y (0..1023 and 0..767, beyond the window on purpose).
    for (std::size_t at = inSettings; at + 5 <= size; at += 5) {
        const int x = (data[at + 1] | (data[at + 2] << 8)) % 1024;
        const int y = (data[at + 3] | (data[at + 4] << 8)) % 768;
        rig->prompts.colourAnswers.push_back(Rgb{data[at + 1], data[at + 3], data[at + 4]});
        switch (data[at] % 4) {
        case 0:
            window.onLButtonDown(x, y);
            window.onLButtonUp(x, y);
            break;
        case 1:
            window.onMouseMove(x, y, data[at] & 0x80);
            break;
        case 2:
            sliders[static_cast<SliderId>(kSpeedSliderId)].position = x % 60;
            window.onSliderMoved(SliderId::Speed);
            break;
        default:
            window.keyboardView().setDiyView(data[at] & 0x80);
            break;
        }
        RecordingCanvas canvas;
        window.paint(canvas);
        const bool swatchesDrawn =
            !window.settingsPanel().lightingCollapsed() && !isCustomEffect(settings.lightEffect);
        if (swatchesDrawn)
            check(settings.lightColour >= 1 && settings.lightColour <= kAllColours);
        check(!window.settingsPanel().effectListOpen() ||
              !window.settingsPanel().responseListOpen());
    }
    return 0;
}
