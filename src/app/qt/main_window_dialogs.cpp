#include "app/qt/main_window_dialogs.h"

#include "app/firmware_check.h"

namespace talvex {

MainWindowDialogs makeMainWindowDialogs(const MainWindowDialogContext& context) {
    MainWindowDialogs dialogs;
    // The key assignment, macro manager and profile dialogs are not part of the program yet:
    // their commands change nothing.
    dialogs.keyAssignment = [] { return false; };
    dialogs.macroManager = [] { return false; };
    dialogs.profileManager = [] {};
    dialogs.startUpdater = [programFolder = context.paths.programFolder, &shell = context.shell] {
        shell.startProgram(updaterPath(programFolder), programFolder);
    };
    return dialogs;
}

} // namespace talvex
