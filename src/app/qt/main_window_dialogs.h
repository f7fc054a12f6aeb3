#pragma once
// The modal dialogs and programs that the main window's commands start. Each dialog is one
// function here, so a dialog joins the program by filling its function and nothing else.

#include "keys/key_assignment_store.h"
#include "keys/key_name_table.h"
#include "macros/macro_record.h"
#include "mainwindow/main_window_commands.h"
#include "platform/app_paths.h"
#include "platform/prompts.h"
#include "platform/shell.h"

#include <QWidget>

namespace talvex {

// What the dialogs work on; all of it lives as long as the main window.
struct MainWindowDialogContext {
    QWidget* mainWindow;
    KeyAssignmentState& keys;
    MacroStore& savedMacros;
    const KeyNameTable& keyNames;
    AppPaths paths;
    Prompts& prompts;
    Shell& shell;
};

MainWindowDialogs makeMainWindowDialogs(const MainWindowDialogContext& context);

} // namespace talvex
