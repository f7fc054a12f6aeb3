#include "app/qt/main_window_dialogs.h"

#include "app/firmware_check.h"
#include "keys/qt/key_map_dialog.h"
#include "macros/qt/macro_record_dlg.h"
#include "profiles/qt/configure_dlg.h"

namespace talvex {

MainWindowDialogs makeMainWindowDialogs(const MainWindowDialogContext& context) {
    MainWindowDialogs dialogs;
    dialogs.keyAssignment = [context](KeyEdit& edit) {
        return runKeyMapDialog(context.mainWindow, context.keys, edit, context.keyNames,
                               context.savedMacros.usedNames());
    };
    dialogs.macroManager = [context] {
        return runMacroManagerDialog(context.mainWindow, context.savedMacros, context.keyNames);
    };
    dialogs.profileManager = [context](const DeviceSettings* keyboardHolds) {
        runConfigureDialog(context.mainWindow, context.keys, context.paths, keyboardHolds);
    };
    dialogs.startUpdater = [programFolder = context.paths.programFolder, &shell = context.shell] {
        shell.startProgram(updaterPath(programFolder), programFolder);
    };
    return dialogs;
}

} // namespace talvex
