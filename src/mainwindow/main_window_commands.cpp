#include "mainwindow/main_window_commands.h"

#include "keys/factory_configuration.h"
#include "keys/keymap_file.h"
#include "macros/macro_file.h"
#include "macros/macro_slots.h"
#include "platform/ui_text.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace talvex {

namespace {

constexpr const char* kResetQuestion = TALVEX_TEXT("确认恢复至出厂设置吗？");
constexpr const char* kResetCaption = TALVEX_TEXT("出厂设置");
constexpr const char* kSaveIncomplete =
    TALVEX_TEXT("键盘没有响应，设置未能全部写入键盘，已保存到文件。请检查键盘连接后再保存一次；"
                "重新连接键盘后也会询问是否发送这些更改。");
constexpr const char* kSavedToFilesOnly =
    TALVEX_TEXT("键盘未连接或尚未完整读取，本次更改已保存到文件，还没有写入键盘。"
                "键盘连接并读取完成后，会询问是否把这些更改发送到键盘。");
constexpr const char* kUnsentCaption = TALVEX_TEXT("未写入键盘的更改");
constexpr const char* kUnsentRecordUnreadable = TALVEX_TEXT(
    "无法读取未写入键盘的更改记录（unsent.bin），这些更改不会再提示发送；它们仍保存在 keymap.bin "
    "中，需要时请再保存一次。");
constexpr const char* kUnsentRecordUnwritable = TALVEX_TEXT(
    "无法保存未写入键盘的更改记录（unsent.bin），键盘连接后不会提示发送这些更改；它们仍保存在 "
    "keymap.bin 中，需要时请再保存一次。");
constexpr const char* kMacroOutOfReach =
    TALVEX_TEXT("键盘只能存储前32个宏，这个宏不能分配给按键。按键的设置没有改变。");

std::string readIncompleteText(const std::string& failedPart) {
    return fillText(
        TALVEX_TEXT("未能完整读取键盘的设置（%1），读到的内容没有采用。"
                    "在完整读取之前，保存只写入文件，不会写入键盘。请检查键盘连接后重试。"),
        {failedPart});
}

std::string unsentQuestion(std::size_t fields) {
    return fillText(TALVEX_TEXT("有 %1 项已保存的更改还没有写入键盘。") "\n" TALVEX_TEXT(
                        "“发送”把它们写入键盘；“放弃”采用键盘现在的设置。"),
                    {std::to_string(fields)});
}

std::string resetIncompleteText(const std::string& failedPart) {
    return fillText(
        TALVEX_TEXT("恢复出厂设置未能完成（%1），键盘现在的设置未知。"
                    "在完整读取之前，保存只写入文件，不会写入键盘。请检查键盘连接后重试读取。"),
        {failedPart});
}

} // namespace

MainWindowCommands::MainWindowCommands(MainWindowData data, MainWindowPorts ports,
                                       MainWindowDialogs dialogs)
    : data_(data), ports_(ports), dialogs_(std::move(dialogs)), files_(data.paths, ports.prompts),
      keyboardView_(data.keys.workingSettings, data.keys.keyModified, ports.prompts,
                    [this](std::size_t position) { editKey(position); }),
      panel_(data.keys.workingSettings, keyboardView_, ports.sliders, ports.prompts),
      activity_(ports.clock), help_(data.webAddress) {}

SaveVerdict MainWindowCommands::writeKeymapFile() {
    return writeKeymapFile(working(), data_.keys.assignments);
}

SaveVerdict MainWindowCommands::writeKeymapFile(const DeviceSettings& settings,
                                                const KeyAssignments& assignments) {
    // A file that cannot be written is skipped: memory stays the truth, and the next change
    // writes it again.
    return files_.save(DataFile::Keymap, [&] {
        return saveKeymapFile(data_.paths.keymapFile(), settings, assignments);
    });
}

void MainWindowCommands::loadMacrosAtStart() {
    files_.loaded(DataFile::Macros, loadMacroFile(data_.paths.macroFile(), data_.savedMacros));
}

void MainWindowCommands::loadKeymapAtStart() {
    KeyAssignmentState& keys = data_.keys;
    // Never zeros where the file gives nothing: saved to the keyboard they disable every key.
    working() = factorySettings();
    resetAssignments(keys.assignments);
    files_.loaded(DataFile::Keymap,
                  loadKeymapFile(data_.paths.keymapFile(), working(), keys.assignments, false));
    data_.deviceSnapshot = working();
    keys.savedAssignments = keys.assignments;
    // A record that cannot be read offers nothing; keymap.bin still holds the saved values.
    if (const FileResult record = loadUnsentChanges(data_.paths.unsentChangesFile(), unsent_);
        record.damaged())
        ports_.prompts.message(kUnsentRecordUnreadable, "Kestrix", MessageButtons::Ok,
                               MessageIcon::Warning);
    activity_.unsentChanges(unsent_.size());
}

void MainWindowCommands::writeUnsentRecord() {
    // A record that cannot be written loses only the offer to send; the files keep the values.
    // Told once until a write works again, as the data files are.
    const FileResult saved = saveUnsentChanges(data_.paths.unsentChangesFile(), unsent_);
    if (!saved.ok() && !unsentWriteFailureTold_)
        ports_.prompts.message(kUnsentRecordUnwritable, "Kestrix", MessageButtons::Ok,
                               MessageIcon::Warning);
    unsentWriteFailureTold_ = !saved.ok();
    activity_.unsentChanges(unsent_.size());
}

void MainWindowCommands::reloadView() {
    panel_.syncSlidersFromSettings();
    recomputeKeyModified(data_.keys);
    writeKeymapFile();
    ports_.host.requestRepaint();
}

void MainWindowCommands::onSettingsReloaded() {
    reloadView();
    if (std::exchange(offerUnsent_, false))
        offerUnsentChanges();
}

void MainWindowCommands::takeKeyboardRead(const DeviceSettings& working,
                                          const DeviceSettings& snapshot) {
    // Only the recorded fields of the last save go over the fresh values: the rest of keymap.bin
    // may be older than what the keyboard holds.
    const auto saved = std::make_unique<DeviceSettings>(lastSavedSettings());
    data_.deviceSnapshot = snapshot;
    keyboardStateKnownAgain();
    data_.keys.workingSettings = working;
    if (unsent_.empty())
        return;
    unsent_.layOver(*saved, data_.keys.workingSettings);
    savedToFilesOnly_ = data_.keys.workingSettings;
    offerUnsent_ = true;
}

void MainWindowCommands::takeKeyboardChange(const DeviceSettings& keyboardHolds) {
    UnsentChanges kept;
    kept.recordDifferences(working(), data_.keys.assignments, lastSavedSettings(),
                           data_.keys.savedAssignments);
    kept.add(unsent_);
    auto merged = std::make_unique<DeviceSettings>(keyboardHolds);
    kept.layOver(working(), *merged);
    // What cancel returns to follows the keyboard too, except the saved fields it lacks.
    auto saved = std::make_unique<DeviceSettings>(keyboardHolds);
    unsent_.layOver(lastSavedSettings(), *saved);
    working() = *merged;
    data_.deviceSnapshot = keyboardHolds;
    keyboardStateKnownAgain();
    if (!unsent_.empty())
        savedToFilesOnly_ = *saved;
    reloadView();
}

void MainWindowCommands::takeLoadedConfiguration(const DeviceSettings& keyboardHolds,
                                                 const KeyAssignments* assignments) {
    working() = keyboardHolds;
    data_.deviceSnapshot = keyboardHolds;
    if (assignments) {
        data_.keys.assignments = *assignments;
        data_.keys.savedAssignments = *assignments;
    }
    unsent_.clear();
    writeUnsentRecord();
    keyboardStateKnownAgain();
    reloadView();
}

bool MainWindowCommands::holdsChangesNotOnKeyboard() const {
    return !unsent_.empty() || data_.keys.workingSettings != lastSavedSettings() ||
           data_.keys.assignments != data_.keys.savedAssignments;
}

void MainWindowCommands::offerUnsentChanges() {
    switch (ports_.prompts.message(unsentQuestion(unsent_.size()), kUnsentCaption,
                                   MessageButtons::SendDiscard, MessageIcon::Question)) {
    case MessageAnswer::Yes:
        save();
        break;
    case MessageAnswer::No:
        discardUnsentChanges();
        break;
    default:
        break; // decided later: the next save sends them
    }
}

void MainWindowCommands::discardUnsentChanges() {
    unsent_.layOver(data_.deviceSnapshot, working());
    unsent_.restoreKeyboardEntries(data_.keys.assignments);
    data_.keys.savedAssignments = data_.keys.assignments;
    savedToFilesOnly_.reset();
    unsent_.clear();
    writeUnsentRecord();
    keyboardView_.setDiyView(isCustomEffect(working().lightEffect));
    reloadView();
}

void MainWindowCommands::keyboardReadIncomplete(const std::string& failedPart) {
    // After a failed start-up read nothing has shown the values keymap.bin gave yet; the window
    // works with them from now on. keymap.bin itself stays as it is.
    panel_.syncSlidersFromSettings();
    recomputeKeyModified(data_.keys);
    ports_.host.requestRepaint();
    forgetKeyboardState(readIncompleteText(failedPart), "Kestrix");
}

void MainWindowCommands::forgetKeyboardState(const std::string& text, const char* caption) {
    keyboardStateKnown_ = false;
    snapshotFromKeyboard_ = false;
    if (ports_.prompts.message(text, caption, MessageButtons::RetryCancel, MessageIcon::Warning) ==
        MessageAnswer::Retry)
        ports_.host.readKeyboardAgain();
}

void MainWindowCommands::keyboardStateKnownAgain() {
    keyboardStateKnown_ = true;
    snapshotFromKeyboard_ = true;
    savedToFilesOnly_.reset();
}

const DeviceSettings& MainWindowCommands::lastSavedSettings() const {
    return savedToFilesOnly_ ? *savedToFilesOnly_ : data_.deviceSnapshot;
}

void MainWindowCommands::editKey(std::size_t position) {
    KeyAssignmentState& keys = data_.keys;
    KeyEdit edit;
    if (!selectPosition(edit, position))
        return;
    // The dialog shows the assignments the file holds; the settings in memory stay as edited.
    // A file kept for being damaged holds nothing newer than memory, and only a whole read
    // replaces memory's assignments.
    if (files_.maySave(DataFile::Keymap)) {
        auto fromFile = std::make_unique<KeyAssignments>(keys.assignments);
        const FileResult read =
            loadKeymapFile(data_.paths.keymapFile(), working(), *fromFile, true);
        if (read.status == FileStatus::Created) {
            // Made afresh without assignments (it was moved aside, or removed): memory's stay.
            writeKeymapFile();
        } else {
            files_.loaded(DataFile::Keymap, read);
            if (read.ok())
                keys.assignments = *fromFile;
        }
    }
    if (!dialogs_.keyAssignment || !dialogs_.keyAssignment(edit))
        return;
    const KeyApplyResult applied =
        commitKeyAssignmentInMemory(keys, edit, data_.keyNames, [this](DeviceSettings& settings) {
            buildMacroSlots(data_.savedMacros, settings);
        });
    if (applied == KeyApplyResult::Applied)
        writeKeymapFile();
    else if (applied == KeyApplyResult::MacroRefused)
        ports_.prompts.message(kMacroOutOfReach, "Kestrix", MessageButtons::Ok,
                               MessageIcon::Warning);
}

void MainWindowCommands::save() {
    if (ports_.deviceJobs.busy())
        return;
    if (!keyboardStateKnown_ || !ports_.host.keyboardPresent()) {
        saveToFilesOnly();
        return;
    }
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
        savedToFilesOnly_.reset();
        unsent_.clear();
        writeUnsentRecord();
    } else {
        keepSaveUnsent(requested, assignmentsAtRequest);
    }
    writeKeymapFile();
    ports_.host.setBusyCursor(false);
    ports_.host.requestRepaint();
    if (!outcome.completed)
        ports_.prompts.message(kSaveIncomplete, "Kestrix", MessageButtons::Ok,
                               MessageIcon::Warning);
}

void MainWindowCommands::keepSaveUnsent(const DeviceSettings& saved,
                                        const KeyAssignments& savedEntries) {
    // The snapshot keeps saying what the keyboard held when it was last known; cancel and close
    // go back to this save instead.
    const auto entriesBefore = std::make_unique<KeyAssignments>(data_.keys.savedAssignments);
    savedToFilesOnly_ = saved;
    data_.keys.savedAssignments = savedEntries;
    // A snapshot that no read vouches for (keymap.bin at a start without the keyboard) cannot
    // tell a recorded field done: such a save only adds to the record.
    const UnsentChanges before = unsent_;
    unsent_.recordDifferences(saved, savedEntries, data_.deviceSnapshot, *entriesBefore);
    if (!snapshotFromKeyboard_)
        unsent_.add(before);
    writeUnsentRecord();
}

void MainWindowCommands::saveToFilesOnly() {
    keepSaveUnsent(working(), data_.keys.assignments);
    writeKeymapFile();
    ports_.host.requestRepaint();
    ports_.prompts.message(kSavedToFilesOnly, "Kestrix", MessageButtons::Ok, MessageIcon::Warning);
}

void MainWindowCommands::cancel() {
    if (ports_.deviceJobs.busy())
        return;
    ports_.host.hideWindow();
    working() = lastSavedSettings();
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
        working(), [this](const ReadOutcome& readBack) { finishFactoryReset(readBack); });
}

void MainWindowCommands::finishFactoryReset(const ReadOutcome& readBack) {
    if (!readBack.complete) {
        // Whether the keyboard was reset at all is unknown: nothing here changes, not even the
        // assignments, which the reset would have cleared.
        ports_.host.setBusyCursor(false);
        ports_.host.requestRepaint();
        forgetKeyboardState(resetIncompleteText(readBack.failedPart), kResetCaption);
        return;
    }
    KeyAssignmentState& keys = data_.keys;
    working() = readBack.settings;
    panel_.syncSlidersFromSettings();
    std::fill(keys.keyModified.begin(), keys.keyModified.end(), 0);
    unsent_.clear();
    writeUnsentRecord();
    std::fill(working().keyFlags.begin(), working().keyFlags.end(), 0xFF);
    resetAssignments(keys.assignments);
    // The known state follows only when the file that records it could be written, or was
    // left alone on purpose.
    if (writeKeymapFile() != SaveVerdict::Failed) {
        data_.deviceSnapshot = working();
        keys.savedAssignments = keys.assignments;
        keyboardStateKnownAgain();
    }
    ports_.host.setBusyCursor(false);
    ports_.host.requestRepaint();
}

void MainWindowCommands::close() {
    // Unsaved edits are dropped: the file keeps the state last saved.
    writeKeymapFile(lastSavedSettings(), data_.keys.savedAssignments);
    ports_.host.closeWindow();
}

void MainWindowCommands::openProfiles() {
    if (dialogs_.profileManager)
        dialogs_.profileManager(snapshotFromKeyboard_ ? &data_.deviceSnapshot : nullptr);
    onSettingsReloaded();
}

void MainWindowCommands::openMacroManager() {
    if (!dialogs_.macroManager || !dialogs_.macroManager())
        return;
    buildMacroSlots(data_.savedMacros, working());
    writeKeymapFile();
    files_.save(DataFile::Macros,
                [this] { return saveMacroFile(data_.paths.macroFile(), data_.savedMacros); });
}

} // namespace talvex
