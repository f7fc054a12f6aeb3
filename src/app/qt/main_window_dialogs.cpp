#include "app/qt/main_window_dialogs.h"

#include "app/firmware_check.h"
#include "keys/qt/key_map_dialog.h"
#include "macros/qt/macro_manager_dialog.h"
#include "profiles/qt/profile_manager_dialog.h"

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
        runProfileManagerDialog(context.mainWindow, context.keys, context.paths, keyboardHolds);
    };
    dialogs.startUpdater = [programFolder = context.paths.programFolder, &shell = context.shell] {
        return startUpdater(programFolder, shell);
    };
    return dialogs;
}

} // namespace talvex
