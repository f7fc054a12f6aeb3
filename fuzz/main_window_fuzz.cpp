// A settings image of arbitrary bytes (as a damaged keymap.bin, a profile or the keyboard may
// hold it), then mouse events taken from the rest of the input, each followed by a paint. Every
// value the window draws or indexes with comes from those bytes: effect codes past the custom
// layouts, colour selections past the palette, response times and slider fields of any size.

#include "controls/recording_canvas.h"
#include "fuzz_check.h"
#include "keys/key_assignment.h"
#include "mainwindow/lighting_effects.h"
#include "mainwindow/main_window_commands.h"
#include "mainwindow/recording_ports.h"
#include "platform/recording_shell.h"
#include "platform/scripted_prompts.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

using namespace talvex;

struct Window {
    Window() {
        // No folder to write to: file writes fail at once and change nothing.
        paths.programFolder = "/nonexistent/talvex-fuzz";
        paths.dataFolder = paths.programFolder;
        resetAssignments(keys->assignments);
        commands = std::make_unique<MainWindowCommands>(
            MainWindowData{*keys, snapshot, *macros, names, paths},
            MainWindowPorts{prompts, shell, sliders, jobs, host}, MainWindowDialogs{});
    }

    AppPaths paths;
    std::unique_ptr<KeyAssignmentState> keys = std::make_unique<KeyAssignmentState>();
    DeviceSettings snapshot = zeroSettings();
    std::unique_ptr<MacroStore> macros = std::make_unique<MacroStore>();
    KeyNameTable names = buildKeyNameTable();
    ScriptedPrompts prompts;
    RecordingShell shell;
    RecordingSliders sliders;
    UnansweredDeviceJobs jobs;
    RecordingWindowHost host;
    std::unique_ptr<MainWindowCommands> commands;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Window w;
    DeviceSettings& settings = w.keys->workingSettings;
    auto bytes = settings.bytes();
    const std::size_t inSettings = std::min(size, bytes.size());
    std::copy(data, data + inSettings, bytes.begin());

    // Each event: kind, x and y (0..1023 and 0..767, beyond the window on purpose).
    for (std::size_t at = inSettings; at + 5 <= size; at += 5) {
        const int x = (data[at + 1] | (data[at + 2] << 8)) % 1024;
        const int y = (data[at + 3] | (data[at + 4] << 8)) % 768;
        w.prompts.colourAnswers.push_back(Rgb{data[at + 1], data[at + 3], data[at + 4]});
        switch (data[at] % 4) {
        case 0:
            w.commands->onLButtonDown(x, y);
            w.commands->onLButtonUp(x, y);
            break;
        case 1:
            w.commands->onMouseMove(x, y, data[at] & 0x80);
            break;
        case 2:
            w.sliders[static_cast<SliderId>(kSpeedSliderId)].position = x % 60;
            w.commands->onSliderMoved(SliderId::Speed);
            break;
        default:
            w.commands->keyboardView().setDiyView(data[at] & 0x80);
            break;
        }
        RecordingCanvas canvas;
        w.commands->paint(canvas);
        const bool swatchesDrawn = !w.commands->settingsPanel().lightingCollapsed() &&
                                   !isCustomEffect(settings.lightEffect);
        if (swatchesDrawn)
            check(settings.lightColour >= 1 && settings.lightColour <= kAllColours);
        check(!w.commands->settingsPanel().effectListOpen() ||
              !w.commands->settingsPanel().responseListOpen());
    }
    return 0;
}
