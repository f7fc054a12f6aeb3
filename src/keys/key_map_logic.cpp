#include "keys/key_map_logic.h"

#include "keys/function_catalogue.h"
#include "keys/key_map_text_table.h"
#include "keys/key_slot.h"
#include "platform/utf16.h"

#include <algorithm>
#include <filesystem>
#include <utility>

namespace talvex {

namespace {

using namespace key_map_text;

constexpr std::size_t kCombinationKeys = 3;

} // namespace

KeyMapLogic::KeyMapLogic(const KeyAssignmentState& state, KeyEdit& edit, const KeyNameTable& names,
                         std::vector<std::u16string> macroNames, KeyMapPorts ports,
                         std::string chooserFolder)
    : state_(state), edit_(edit), names_(names), macroNames_(std::move(macroNames)), ports_(ports),
      chooserFolder_(std::move(chooserFolder)),
      buttons_([this](int x, int y) { return hitTest(x, y); }),
      treeExpanded_(functionTreeItems().size(), false),
      capture_(ports.hook, 0, [this](KeyStroke stroke) {
          onKeyStroke(stroke);
          ports_.host.refresh();
      }) {}

void KeyMapLogic::open() {
    const KeyAssignment& entry = state_.assignments[edit_.position];
    std::u16string_view functionName;
    if (entry.type == static_cast<std::uint8_t>(AssignmentType::Function)) {
        KeySlot slot;
        std::copy_n(entry.data.begin(), kKeySlotSize, slot.bytes.begin());
        functionName = functionNameOfSlot(slot);
    }
    const auto& items = functionTreeItems();
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (functionName.empty() || items[i].text != functionName)
            continue;
        treeSelection_ = static_cast<int>(i);
        treeExpanded_[items[i].parent < 0 ? i : static_cast<std::size_t>(items[i].parent)] = true;
    }
    showStoredAssignment();
    disableSwitch_ = !keyEnabledAt(state_.workingSettings, edit_.position);
    edit_.choice.reset();
    edit_.keyEnabled = !disableSwitch_;
    capture_.start();
}

void KeyMapLogic::showStoredAssignment() {
    const KeyAssignment& entry = state_.assignments[edit_.position];
    switch (static_cast<AssignmentType>(entry.type)) {
    case AssignmentType::SingleKey:
        // An older file may hold a key the keyboard cannot send: that is no key at all.
        captured_ = sendableKeys(std::span(entry.data).first(1), false);
        box_ = KeyBox::Single;
        singleKeyText_ = captured_.empty() ? u"" : names_.name(captured_.front());
        initialFocusGuard_ = true;
        ports_.host.focusControl(KeyMapControl::SingleKeyBox);
        break;
    case AssignmentType::Combination: {
        // The count comes from a file: more than three would run capture past the keys shown.
        // Empty places stay, so a new key after a full count starts a new combination.
        captured_ = sendableKeys(
            std::span(entry.data).first(std::min<std::size_t>(entry.keyCount, kCombinationKeys)),
            true);
        box_ = KeyBox::Combination;
        combinationText_ = talvex::combinationText(
            names_, sendableKeys(std::span(entry.data).first(kCombinationKeys), false));
        initialFocusGuard_ = true;
        ports_.host.focusControl(KeyMapControl::CombinationBox);
        break;
    }
    case AssignmentType::MacroKey:
        if (entry.data[0] == kSlotMacro) {
            page_ = KeyMapPage::Macro;
            if (entry.data[2] < macroNames_.size())
                macroSelection_ = entry.data[2];
            ports_.host.focusControl(KeyMapControl::MacroList);
        }
        break;
    case AssignmentType::Function:
        page_ = KeyMapPage::Function;
        break;
    case AssignmentType::PlaySound:
    case AssignmentType::StartProgram:
    case AssignmentType::OpenFile:
    case AssignmentType::OpenFolder:
        page_ = KeyMapPage::Advanced;
        actionPath_ = entry.pathText();
        actionRow_ = entry.type - static_cast<int>(AssignmentType::PlaySound);
        actionKind_ = static_cast<HostActionKind>(*actionRow_);
        break;
    default:
        break;
    }
}

std::vector<std::uint8_t> KeyMapLogic::sendableKeys(std::span<const std::uint8_t> vks,
                                                    bool keepEmpty) const {
    std::vector<std::uint8_t> keys;
    std::copy_if(vks.begin(), vks.end(), std::back_inserter(keys), [&](std::uint8_t vk) {
        return (keepEmpty && vk == 0) || keyReach(names_, vk) == KeyReach::Sendable;
    });
    return keys;
}

void KeyMapLogic::clearCapture() {
    noticeBox_.reset();
    captured_.clear();
    singleKeyText_.clear();
    combinationText_.clear();
}

std::optional<KeyMapLogic::Button> KeyMapLogic::hitTest(int x, int y) const {
    const Rect sw = keyMapButtonArea(DisableSwitch).rect;
    const Rect around{sw.left - kSwitchSlack, sw.top - kSwitchSlack, sw.right + kSwitchSlack,
                      sw.bottom + kSwitchSlack};
    if (around.containsInclusive(x, y))
        return DisableSwitch;
    for (const KeyMapButtonArea& b : kKeyMapButtons)
        if (b.rect.containsInclusive(x, y))
            return b.button;
    return std::nullopt;
}

bool KeyMapLogic::onMouseMove(int x, int y) {
    std::optional<Button> hovered = hitTest(x, y);
    // The switch shows its state, not the pointer.
    if (hovered == DisableSwitch)
        hovered.reset();
    std::optional<int> browse;
    for (int r = 0; page_ == KeyMapPage::Advanced && r < kAdvancedRows; ++r)
        if (browseRect(r).containsInclusive(x, y))
            browse = r;
    const bool buttonChanged = buttons_.hover(hovered);
    const bool browseChanged = std::exchange(browseHover_, browse) != browse;
    return buttonChanged || browseChanged;
}

void KeyMapLogic::onLButtonDown(int x, int y) {
    if (buttons_.press(x, y))
        return;
    for (int r = 0; page_ == KeyMapPage::Advanced && r < kAdvancedRows; ++r)
        if (selectorRect(r).containsInclusive(x, y) || browseRect(r).containsInclusive(x, y))
            return;
    ports_.host.startWindowDrag(x, y);
}

void KeyMapLogic::onLButtonUp(int x, int y) {
    const std::optional<Button> released = buttons_.release(x, y);
    // The advanced page looks at the click first, so a tab that leaves the page has the last
    // word on the answer.
    if (page_ == KeyMapPage::Advanced)
        clickAdvancedArea(x, y);
    if (released)
        runButton(*released);
}

void KeyMapLogic::clickAdvancedArea(int x, int y) {
    for (int r = 0; r < kAdvancedRows; ++r) {
        if (selectorRect(r).containsInclusive(x, y)) {
            radioRow_ = r;
            actionRow_ = r;
            actionPath_.clear();
            return;
        }
        if (browseRect(r).containsInclusive(x, y)) {
            browse(r);
            return;
        }
        if (labelRect(r).containsInclusive(x, y) || pathBoxRect(r).containsInclusive(x, y))
            return;
    }
    // Saving the page without a chosen row restores the key.
    if (!actionRow_) {
        restoreOnSave_ = true;
        actionKind_.reset();
        radioRow_.reset();
    }
}

void KeyMapLogic::browse(int row) {
    // The file rows light their selector while the chooser is open; the folder row only once
    // it has a folder.
    if (row < 2)
        radioRow_ = row;
    std::optional<std::u16string> path = choosePath(row);
    if (!path)
        return;
    actionPath_ = std::move(*path);
    actionRow_ = row;
    actionKind_ = static_cast<HostActionKind>(row);
    restoreOnSave_ = false;
    if (row >= 2)
        radioRow_ = row;
}

std::optional<std::u16string> KeyMapLogic::choosePath(int row) {
    std::optional<std::string> chosen;
    {
        const KeyCapture::Pause pause(capture_);
        chosen = row < kFolderRow
                     ? ports_.prompts.openFile(kFileChooserTitle, chooserFolder_, kFileFilters[row])
                     : ports_.prompts.chooseFolder(kFolderChooserTitle, chooserFolder_);
    }
    if (!chosen)
        return std::nullopt;
    if (row == kFolderRow && (chosen->empty() || !std::filesystem::path(*chosen).is_absolute())) {
        tell(kChooseFolder);
        return std::nullopt;
    }
    std::u16string path = utf8ToUtf16(*chosen);
    if (!isStorableActionPath(path)) {
        tell(kPathTooLong);
        return std::nullopt;
    }
    return path;
}

void KeyMapLogic::tell(const char* text) {
    const KeyCapture::Pause pause(capture_);
    ports_.prompts.message(text, kMessageCaption, MessageButtons::Ok, MessageIcon::None);
}

void KeyMapLogic::runButton(Button button) {
    switch (button) {
    case Close:
    case Cancel:
        ports_.host.closeDialog(false);
        return;
    case TabKeys:
        if (page_ != KeyMapPage::Keys) {
            clearCapture();
            box_ = KeyBox::Single;
            ports_.host.focusControl(KeyMapControl::SingleKeyBox);
        }
        page_ = KeyMapPage::Keys;
        radioRow_.reset();
        actionRow_.reset();
        return;
    // Off the keys page no box takes keys, even hidden ones.
    case TabMacro:
    case TabFunction:
        page_ = button == TabMacro ? KeyMapPage::Macro : KeyMapPage::Function;
        box_.reset();
        radioRow_.reset();
        actionRow_.reset();
        return;
    case TabAdvanced:
        if (page_ != KeyMapPage::Advanced) {
            clearCapture();
            box_.reset();
            actionRow_.reset();
            actionKind_.reset();
            restoreOnSave_ = false;
        }
        page_ = KeyMapPage::Advanced;
        radioRow_.reset();
        return;
    case DisableSwitch:
        disableSwitch_ = !disableSwitch_;
        return;
    case Restore:
        // A restored key is an enabled key, whatever the switch says.
        close(RestoreKey{}, true);
        return;
    case Save:
        save();
        return;
    }
}

void KeyMapLogic::close(std::optional<KeyChoice> choice, bool keyEnabled) {
    edit_.choice = std::move(choice);
    edit_.keyEnabled = keyEnabled;
    ports_.host.closeDialog(true);
}

std::optional<KeyChoice> KeyMapLogic::keyPageChoice() const {
    const auto end = std::find(captured_.begin(), captured_.end(), 0);
    if (end == captured_.begin() || !box_)
        return RestoreKey{};
    if (*box_ == KeyBox::Single)
        return SingleKeyChoice{captured_.front()};
    return CombinationChoice{{captured_.begin(), end}};
}

void KeyMapLogic::save() {
    switch (page_) {
    case KeyMapPage::Keys:
        close(keyPageChoice(), !disableSwitch_);
        return;
    case KeyMapPage::Macro:
        if (macroSelection_ < 0) {
            close(RestoreKey{}, true);
            return;
        }
        // A macro past the keyboard's slots would leave the key as it was while the dialog
        // said it was saved.
        if (macroSelection_ >= static_cast<int>(kMacroSlotCount)) {
            tell(kMacroBeyondSlots);
            return;
        }
        close(MacroChoice{macroSelection_}, !disableSwitch_);
        return;
    case KeyMapPage::Function: {
        const auto& items = functionTreeItems();
        if (treeSelection_ < 0 || items[static_cast<std::size_t>(treeSelection_)].group) {
            tell(kChooseLeaf);
            return;
        }
        close(FunctionChoice{std::u16string(items[static_cast<std::size_t>(treeSelection_)].text)},
              !disableSwitch_);
        return;
    }
    case KeyMapPage::Advanced:
        if (restoreOnSave_) {
            close(RestoreKey{}, !disableSwitch_);
        } else if (!actionKind_) {
            close(std::nullopt, !disableSwitch_);
        } else if (!isStorableActionPath(actionPath_)) {
            // A stored path that no longer fits would be refused after the dialog closed.
            tell(kPathTooLong);
        } else {
            close(HostActionChoice{*actionKind_, actionPath_}, !disableSwitch_);
        }
        return;
    }
}

void KeyMapLogic::onKeyStroke(KeyStroke stroke) {
    if (!capture_.active() || stroke.release || !box_)
        return;
    if (const KeyReach reach = keyReach(names_, stroke.vk); reach != KeyReach::Sendable) {
        refuseKey(reach);
        return;
    }
    noticeBox_.reset();
    if (*box_ == KeyBox::Single) {
        // One key, and nothing after it that a save could count as more keys.
        captured_ = {stroke.vk};
        singleKeyText_ = names_.name(stroke.vk);
        return;
    }
    // A new combination: the keys of the old one must not outlive it.
    if (captured_.size() >= kCombinationKeys)
        captured_.clear();
    captured_.push_back(stroke.vk);
    combinationText_ = talvex::combinationText(names_, captured_);
}

void KeyMapLogic::refuseKey(KeyReach reach) {
    // The box keeps the keys it had as the answer; only its text says why nothing was taken.
    noticeBox_ = box_;
    (*box_ == KeyBox::Single ? singleKeyText_ : combinationText_) =
        utf8ToUtf16(reach == KeyReach::AsFunction ? kChooseOnFunctionPage : kKeyboardCannotSend);
}

bool KeyMapLogic::keyBoxGreyed(KeyMapControl box) const {
    return noticeBox_ && box == (*noticeBox_ == KeyBox::Single ? KeyMapControl::SingleKeyBox
                                                               : KeyMapControl::CombinationBox);
}

void KeyMapLogic::captureInto(KeyBox box) {
    const bool guarded = std::exchange(initialFocusGuard_, false);
    if (guarded && box_ == box)
        return;
    box_ = box;
    captured_.clear();
    noticeBox_.reset();
    (box == KeyBox::Single ? combinationText_ : singleKeyText_).clear();
}

void KeyMapLogic::onSingleKeyBoxFocus() {
    captureInto(KeyBox::Single);
}

void KeyMapLogic::onCombinationBoxFocus() {
    captureInto(KeyBox::Combination);
}

void KeyMapLogic::onMacroSelection(int row) {
    macroSelection_ = row >= 0 && row < static_cast<int>(macroNames_.size()) ? row : -1;
}

void KeyMapLogic::onTreeSelection(int item) {
    treeSelection_ = item >= 0 && item < static_cast<int>(functionTreeItems().size()) ? item : -1;
}

bool KeyMapLogic::treeItemExpanded(int item) const {
    return item >= 0 && item < static_cast<int>(treeExpanded_.size()) &&
           treeExpanded_[static_cast<std::size_t>(item)];
}

bool KeyMapLogic::controlVisible(KeyMapControl control) const {
    switch (control) {
    case KeyMapControl::SingleKeyBox:
    case KeyMapControl::CombinationBox:
        return page_ == KeyMapPage::Keys;
    case KeyMapControl::MacroList:
        return page_ == KeyMapPage::Macro;
    case KeyMapControl::FunctionTree:
        return page_ == KeyMapPage::Function;
    }
    return false;
}

} // namespace talvex
