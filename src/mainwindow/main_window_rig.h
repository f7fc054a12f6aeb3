#pragma once
// A main window's logic together with the state it works on and recording stand-ins for the
// user and the window, for tests, benchmarks and fuzz targets. The sliders and the keyboard are
// the caller's: real slider widgets or recorded ones, a simulated keyboard or none.

#include "keys/key_assignment.h"
#include "mainwindow/main_window_commands.h"
#include "mainwindow/recording_ports.h"
#include "platform/recording_shell.h"
#include "platform/scripted_prompts.h"

#include <string>
#include <utility>

namespace talvex {

struct MainWindowRig {
    MainWindowRig(AppPaths appPaths, PanelSliders& sliders, DeviceJobs& jobs,
                  MainWindowDialogs dialogs = {}, std::string webAddress = kWebAddress)
        : paths(std::move(appPaths)),
          commands(MainWindowData{keys, snapshot, macros, names, paths, std::move(webAddress)},
                   MainWindowPorts{prompts, shell, sliders, jobs, host}, std::move(dialogs)) {
        resetAssignments(keys.assignments);
        keys.savedAssignments = keys.assignments;
    }

    AppPaths paths;
    KeyAssignmentState keys;
    DeviceSettings snapshot = zeroSettings();
    MacroStore macros{};
    KeyNameTable names = buildKeyNameTable();
    ScriptedPrompts prompts;
    RecordingShell shell;
    RecordingWindowHost host;
    MainWindowCommands commands;
};

} // namespace talvex
