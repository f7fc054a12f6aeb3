#pragma once
// The main window's behaviour: what it paints and in which order, which area a click lands in,
// and the commands behind its buttons. The commands decide when the edited settings go to the
// keyboard, when they become the known state of the keyboard, and when keymap.bin is written.

#include "controls/canvas.h"
#include "device/device_settings.h"
#include "keys/key_assignment_store.h"
#include "keys/key_name_table.h"
#include "macros/macro_record.h"
#include "mainwindow/data_files.h"
#include "mainwindow/device_activity.h"
#include "mainwindow/device_jobs.h"
#include "mainwindow/help_panel.h"
#include "mainwindow/keyboard_view.h"
#include "mainwindow/main_window_host.h"
#include "mainwindow/panel_sliders.h"
#include "mainwindow/settings_panel.h"
#include "mainwindow/unsent_changes.h"
#include "mainwindow/updater_start.h"
#include "platform/app_paths.h"
#include "platform/prompts.h"
#include "platform/shell.h"

#include <functional>
#include <optional>
#include <string>
#include <variant>

namespace talvex {

enum class MainButton { Help, Minimise, Close, Profiles, FactoryReset, Cancel, Save, Logo };
using MainArea = std::variant<MainButton, PanelArea>;

// When a read of every setting happened: at start-up (or a retry of it), or after the keyboard
// arrived again.
enum class ReadOccasion { StartUp, Arrival };

// The state the main window works on; the application owns it for the whole run.
struct MainWindowData {
    KeyAssignmentState& keys; // workingSettings, assignments and their saved copy, flags
    DeviceSettings& deviceSnapshot;
    MacroStore& savedMacros;
    const KeyNameTable& keyNames;
    AppPaths paths;
    std::string webAddress = kWebAddress; // the help panel's; empty: no such row
};

struct MainWindowPorts {
    Prompts& prompts;
    Shell& shell;
    PanelSliders& sliders;
    DeviceJobs& deviceJobs;
    MainWindowHost& host;
    const SteadyClock* clock = nullptr; // how long an outcome shows; null: the system's
};

// The modal dialogs and programs that the commands start.
struct MainWindowDialogs {
    // Asks for an answer for edit.position; true when the user saved one into edit.
    std::function<bool(KeyEdit&)> keyAssignment;
    // Edits savedMacros; true when the user confirmed.
    std::function<bool()> macroManager;
    // Manages the profiles; may replace the working settings and assignments. keyboardHolds:
    // what the keyboard was last read to hold, null when no complete read vouches for it.
    std::function<void(const DeviceSettings* keyboardHolds)> profileManager;
    // Starts the firmware updater that ships with the program, without waiting for it.
    std::function<UpdaterStart()> startUpdater;
};

class MainWindowCommands {
public:
    MainWindowCommands(MainWindowData data, MainWindowPorts ports, MainWindowDialogs dialogs);
    MainWindowCommands(const MainWindowCommands&) = delete;
    MainWindowCommands& operator=(const MainWindowCommands&) = delete;

    // The window's background image: its size is the window's size, and the canvas that paint()
    // draws on starts as a copy of it.
    static constexpr const char* kBackgroundImage = "main.png";

    void paint(Canvas& canvas);
    std::optional<MainArea> hitTestArea(int x, int y) const;

    void onLButtonDown(int x, int y);
    void onLButtonUp(int x, int y);
    // leftButtonHeld: whether the left button is down during this movement.
    void onMouseMove(int x, int y, bool leftButtonHeld);
    void onSliderMoved(SliderId id);

    // The start-up's part in the data files, in this order. ownsDataFolder: this copy holds the
    // single-instance lock, so no other copy of the program saves in the data folder.
    void openDataFolder(bool ownsDataFolder) { files_.openDataFolder(ownsDataFolder); }
    // MacroDefine.bin into savedMacros.
    void loadMacrosAtStart();
    // keymap.bin into the working settings and assignments, which become the saved state. What
    // the file does not give (all of it, when it cannot be read) is the factory configuration.
    // The record of saved changes the keyboard has not received comes with it.
    void loadKeymapAtStart();
    // The working settings and assignments were replaced as a whole (read from the keyboard or
    // loaded from a profile): the sliders and modified keys follow, keymap.bin mirrors them.
    void onSettingsReloaded();

    // A read of every setting arrived whole: `snapshot` becomes the known state of the keyboard
    // and its values replace the working settings, except the fields the user saved that the
    // keyboard has not received, which are laid over them from the last save. The caller then
    // reloads; onSettingsReloaded asks whether to send those fields.
    void takeKeyboardRead(const DeviceSettings& working, const DeviceSettings& snapshot);
    // A command of kestrix-cli, carried out by this window, left the keyboard holding
    // `keyboardHolds`. It becomes the known state of the keyboard; the working settings take it
    // in every field but those the user edited since the last save and the saved ones the
    // keyboard has not received, which keep the user's value, still to be sent.
    void takeKeyboardChange(const DeviceSettings& keyboardHolds);
    // A command of kestrix-cli sent a whole configuration (a profile) and the keyboard took it:
    // it becomes the working, saved and known state, with its assignments when it had them.
    void takeLoadedConfiguration(const DeviceSettings& keyboardHolds,
                                 const KeyAssignments* assignments);
    // The key assignments changed outside the key dialog (a kestrix-cli assign carried out
    // here): the view, the modified keys and keymap.bin follow.
    void assignmentsChanged() { reloadView(); }
    // Whether anything the user did is not on the keyboard: edits not saved yet, or a save the
    // keyboard has not received. A command that replaces everything must not run over them.
    bool holdsChangesNotOnKeyboard() const;

    // A start-up or arrival read came back incomplete. Nothing of it is taken (the caller drops
    // it), the keyboard's state is unknown from now on, and the user may retry the read.
    void keyboardReadIncomplete(const std::string& failedPart);
    // Whether deviceSnapshot is what the keyboard holds. Until a complete read makes it so
    // again, a save writes keymap.bin only and sends nothing: the parts that differ from a state
    // nobody knows cannot be told apart.
    bool keyboardStateKnown() const { return keyboardStateKnown_; }

    void save();
    void cancel();
    void factoryReset();
    void close();
    void openProfiles();
    void openMacroManager();

    bool helpOpen() const { return helpOpen_; }
    const HelpPanel& helpPanel() const { return help_; }
    // What the window says about the keyboard; the shell tells it what the keyboard does.
    DeviceActivity& deviceActivity() { return activity_; }
    const UnsentChanges& unsentChanges() const { return unsent_; }
    KeyboardView& keyboardView() { return keyboardView_; }
    SettingsPanel& settingsPanel() { return panel_; }

private:
    void runArea(const MainArea& area);
    void runButton(MainButton button);
    void onHelpPanelClick(int x, int y);
    void startUpdater();
    void editKey(std::size_t position);
    // Through files_, which tells a failure; callers look at the verdict only where their state
    // depends on the file.
    SaveVerdict writeKeymapFile();
    SaveVerdict writeKeymapFile(const DeviceSettings& settings, const KeyAssignments& assignments);
    void finishSave(const SaveOutcome& outcome, const DeviceSettings& requested,
                    const KeyAssignments& assignmentsAtRequest);
    void finishFactoryReset(const ReadOutcome& readBack);
    void saveToFilesOnly();
    // The user's save stays the last saved state, and what of it the keyboard has not received
    // is recorded for the next full read.
    void keepSaveUnsent(const DeviceSettings& saved, const KeyAssignments& savedEntries);
    void writeUnsentRecord();
    void offerUnsentChanges();
    void discardUnsentChanges();
    void reloadView();
    void forgetKeyboardState(const std::string& text, const char* caption);
    void keyboardStateKnownAgain();
    // What cancel restores and close keeps: the keyboard's known state, or while it is unknown,
    // what a save last wrote to the files.
    const DeviceSettings& lastSavedSettings() const;

    DeviceSettings& working() { return data_.keys.workingSettings; }

    MainWindowData data_;
    MainWindowPorts ports_;
    MainWindowDialogs dialogs_;
    DataFiles files_;
    KeyboardView keyboardView_;
    SettingsPanel panel_;
    DeviceActivity activity_;
    HelpPanel help_;
    bool helpOpen_ = false;
    bool leftButtonDown_ = false;
    bool keyboardStateKnown_ = true;
    // Whether deviceSnapshot came from a complete read of the keyboard (not from keymap.bin at a
    // start without it): only then may a value pass a check for being what the keyboard holds.
    bool snapshotFromKeyboard_ = false;
    std::optional<DeviceSettings> savedToFilesOnly_;
    UnsentChanges unsent_;
    // A read laid unsent fields over the keyboard's values; the question follows the reload.
    bool offerUnsent_ = false;
    bool unsentWriteFailureTold_ = false;
};

} // namespace talvex
