#include "mainwindow/main_window_commands.h"

#include "keys/keymap_file.h"
#include "macros/macro_file.h"
#include "macros/macro_slots.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace talvex {

namespace {

constexpr const char* kResetQuestion = "确认恢复至出厂设置吗？";
constexpr const char* kResetCaption = "出厂设置";
constexpr const char* kSaveIncomplete =
    "键盘没有响应，设置未能全部保存。请检查键盘连接后再保存一次。";

} // namespace

MainWindowCommands::MainWindowCommands(MainWindowData data, MainWindowPorts ports,
                                       MainWindowDialogs dialogs)
    : data_(data), ports_(ports), dialogs_(std::move(dialogs)),
      keyboardView_(data.keys.workingSettings, data.keys.keyModified, ports.prompts,
                    [this](std::size_t position) { editKey(position); }),
      panel_(data.keys.workingSettings, keyboardView_, ports.sliders, ports.prompts) {}

void MainWindowCommands::writeKeymapFile() {
    // A file that cannot be written is skipped: memory stays the truth, and the next change
    // writes it again.
    saveKeymapFile(data_.paths.keymapFile(), working(), data_.keys.assignments);
}

void MainWindowCommands::onSettingsReloaded() {
    panel_.syncSlidersFromSettings();
    recomputeKeyModified(data_.keys);
    writeKeymapFile();
    ports_.host.requestRepaint();
}

void MainWindowCommands::editKey(std::size_t position) {
    KeyAssignmentState& keys = data_.keys;
    if (!selectPosition(keys, position))
        return;
    // The dialog shows what the file holds; the settings in memory stay as edited.
    loadKeymapFile(data_.paths.keymapFile(), keys.workingSettings, keys.assignments, true);
    if (!dialogs_.keyAssignment || !dialogs_.keyAssignment())
        return;
    commitKeyAssignment(
        keys, data_.keyNames,
        [this](DeviceSettings& settings) { buildMacroSlots(data_.savedMacros, settings); },
        data_.paths.keymapFile());
}

void MainWindowCommands::save() {
    if (ports_.deviceJobs.busy())
        return;
    ports_.host.setBusyCursor(true);
    // The keyboard gets these copies; edits made while it works wait for the next save.
    auto requested = std::make_shared<const DeviceSettings>(working());
    auto assignments = std::make_shared<const KeyAssignments>(data_.keys.assignments);
    ports_.deviceJobs.requestSave(*requested, data_.deviceSnapshot,
                                  [this, requested, assignments](const SaveOutcome& outcome) {
                                      finishSave(outcome, *requested, *assignments);
                                  });
}

void MainWindowCommands::finishSave(const SaveOutcome& outcome, const DeviceSettings& requested,
                                    const KeyAssignments& assignmentsAtRequest) {
    if (outcome.completed) {
        data_.deviceSnapshot = outcome.snapshot;
        if (working() == requested)
            working() = outcome.sent;
        data_.keys.savedAssignments = assignmentsAtRequest;
    }
    writeKeymapFile();
    ports_.host.setBusyCursor(false);
    ports_.host.requestRepaint();
    if (!outcome.completed)
        ports_.prompts.message(kSaveIncomplete, "Kestrix", MessageButtons::Ok,
                               MessageIcon::Warning);
}

void MainWindowCommands::cancel() {
    if (ports_.deviceJobs.busy())
        return;
    ports_.host.hideWindow();
    working() = data_.deviceSnapshot;
    data_.keys.assignments = data_.keys.savedAssignments;
    panel_.syncSlidersFromSettings();
    recomputeKeyModified(data_.keys);
    keyboardView_.setDiyView(isCustomEffect(working().lightEffect));
    writeKeymapFile();
}

void MainWindowCommands::factoryReset() {
    if (ports_.deviceJobs.busy())
        return;
    if (ports_.prompts.message(kResetQuestion, kResetCaption, MessageButtons::OkCancel,
                               MessageIcon::Question) != MessageAnswer::Ok)
        return;
    ports_.host.setBusyCursor(true);
    keyboardView_.setDiyView(false);
    panel_.collapseAllSections();
    ports_.deviceJobs.requestFactoryReset(
        working(), [this](const DeviceSettings& readBack) { finishFactoryReset(readBack); });
}

void MainWindowCommands::finishFactoryReset(const DeviceSettings& readBack) {
    KeyAssignmentState& keys = data_.keys;
    working() = readBack;
    panel_.syncSlidersFromSettings();
    std::fill(keys.keyModified.begin(), keys.keyModified.end(), 0);
    std::fill(working().keyFlags.begin(), working().keyFlags.end(), 0xFF);
    resetAssignments(keys.assignments);
    // The known state follows only when the file that records it could be written.
    if (saveKeymapFile(data_.paths.keymapFile(), working(), keys.assignments)) {
        data_.deviceSnapshot = working();
        keys.savedAssignments = keys.assignments;
    }
    ports_.host.setBusyCursor(false);
    ports_.host.requestRepaint();
}

void MainWindowCommands::close() {
    // Unsaved edits are dropped: the file keeps the state the keyboard was last given.
    saveKeymapFile(data_.paths.keymapFile(), data_.deviceSnapshot, data_.keys.savedAssignments);
    ports_.host.closeWindow();
}

void MainWindowCommands::openProfiles() {
    if (dialogs_.profileManager)
        dialogs_.profileManager();
    onSettingsReloaded();
}

void MainWindowCommands::openMacroManager() {
    if (!dialogs_.macroManager || !dialogs_.macroManager())
        return;
    buildMacroSlots(data_.savedMacros, working());
    writeKeymapFile();
    saveMacroFile(data_.paths.macroFile(), data_.savedMacros);
}

} // namespace talvex
