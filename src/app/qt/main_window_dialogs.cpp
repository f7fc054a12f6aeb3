#include "app/qt/main_window_dialogs.h"

#include "app/firmware_check.h"
#include "profiles/qt/configure_dlg.h"

namespace talvex {

MainWindowDialogs makeMainWindowDialogs(const MainWindowDialogContext& context) {
    MainWindowDialogs dialogs;
    // The key assignment and macro manager dialogs are not part of the program yet: their
    // commands change nothing.
    dialogs.keyAssignment = [] { return false; };
    dialogs.macroManager = [] { return false; };
    dialogs.profileManager = [context] {
        runConfigureDialog(context.mainWindow, context.keys, context.paths);
    };
    dialogs.startUpdater = [programFolder = context.paths.programFolder, &shell = context.shell] {
        shell.startProgram(updaterPath(programFolder), programFolder);
    };
    return dialogs;
}

} // namespace talvex
