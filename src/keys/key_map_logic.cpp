#include "keys/key_map_logic.h"

#include "keys/function_catalogue.h"
#include "keys/key_slot.h"
#include "platform/utf16.h"

#include <algorithm>
#include <filesystem>
#include <utility>

namespace talvex {

namespace {

constexpr SkinFolder kSkin = SkinFolder::Custom;
constexpr int kCaptionHeight = 14;
constexpr Colour kWhite{255, 255, 255};
constexpr Colour kLightGrey{192, 192, 192};
constexpr std::size_t kShortPathLimit = 13;
// The tail shown of a long path that has no separator to cut at.
constexpr std::size_t kUncutTail = 11;

constexpr const char* kChooseLeaf = "请选择子项";
constexpr const char* kChooseFolder = "请选择文件夹\n";
constexpr const char* kPathTooLong = "路径太长：文件或文件夹的路径最多可有255个字符。";
constexpr const char* kMacroBeyondSlots = "键盘只能存放前32个宏，请选择其中之一。";
constexpr const char* kMessageCaption = "Kestrix";

struct ButtonArea {
    int number;
    Rect rect; // inclusive
    const char* normal;
    const char* over; // under the mouse; for the switch: switched on
};

// clang-format off
constexpr ButtonArea kButtons[] = {
    {KeyMapLogic::Close, {303, 2, 318, 17}, "button-close-normal.png", "button-close-over.png"},
    {KeyMapLogic::TabKeys, {0, 31, 81, 57}, "large_button.png", "large_button.png"},
    {KeyMapLogic::TabMacro, {81, 31, 162, 57}, "large_button.png", "large_button.png"},
    {KeyMapLogic::TabFunction, {162, 31, 243, 57}, "large_button.png", "large_button.png"},
    {KeyMapLogic::TabAdvanced, {243, 31, 324, 57}, "large_button.png", "large_button.png"},
    {KeyMapLogic::DisableSwitch, {19, 251, 29, 260}, "Disable.png", "Enable.png"},
    {KeyMapLogic::Restore, {156, 246, 197, 268}, "button-cancel-normal.png", "button-cancel-over.png"},
    {KeyMapLogic::Cancel, {210, 246, 251, 268}, "button-cancel-normal.png", "button-cancel-over.png"},
    {KeyMapLogic::Save, {264, 246, 305, 268}, "button-save-normal.png", "button-save-over.png"},
};
// clang-format on

struct ButtonCaption {
    int number;
    const char* text;
    int x, y;
};
constexpr ButtonCaption kButtonCaptions[] = {{KeyMapLogic::DisableSwitch, "禁用按键", 34, 249},
                                             {KeyMapLogic::Restore, "初始值", 158, 248},
                                             {KeyMapLogic::Cancel, "取消", 218, 248},
                                             {KeyMapLogic::Save, "保存", 272, 248}};

// The switch is small, so it takes clicks a little around it too.
constexpr int kSwitchSlack = 5;

struct TabArea {
    const char* caption;
    int captionX;
    int markerX;
};
constexpr TabArea kTabs[] = {
    {"单键/组合键", 6, 35}, {"宏", 115, 115}, {"基本功能", 182, 200}, {"高级功能", 259, 280}};
constexpr int kTabCaptionY = 39;
constexpr int kTabMarkerY = 30;

constexpr const char* kRowCaptions[KeyMapLogic::kAdvancedRows] = {"播放声音", "启动程序",
                                                                  "打开文件", "打开目录"};
constexpr int kRowPitch = 30;

Rect selectorRect(int r) {
    return {15, 72 + kRowPitch * r, 25, 81 + kRowPitch * r};
}
Rect labelRect(int r) {
    return {30, 69 + kRowPitch * r, 72, 84 + kRowPitch * r};
}
Rect pathBoxRect(int r) {
    return {83, 68 + kRowPitch * r, 243, 83 + kRowPitch * r};
}
Rect browseRect(int r) {
    return {256, 68 + kRowPitch * r, 302, 83 + kRowPitch * r};
}

// Rows 0..2 choose an existing file of one kind; row 3 chooses a folder. Sounds, programs and
// documents on Linux seldom carry these extensions, so every file can be shown too.
constexpr const char* kFileFilters[] = {"mp3 Files(*.mp3);;All Files(*)",
                                        "exe Files(*.exe);;All Files(*)",
                                        "txt Files(*.txt);;All Files(*)"};
constexpr const char* kFileChooserTitle = "打开";
constexpr const char* kFolderChooserTitle = "modification path";

const ButtonArea& buttonArea(int number) {
    return *std::find_if(std::begin(kButtons), std::end(kButtons),
                         [number](const ButtonArea& b) { return b.number == number; });
}

CaptionStyle captionStyle(Colour colour = kWhite) {
    CaptionStyle style;
    style.height = kCaptionHeight;
    style.text = colour;
    return style;
}

std::uint8_t typeValue(AssignmentType type) {
    return static_cast<std::uint8_t>(type);
}

} // namespace

const std::vector<FunctionTreeItem>& functionTreeItems() {
    static const std::vector<FunctionTreeItem> items = [] {
        std::vector<FunctionTreeItem> list;
        auto top = [&](std::u16string_view text) { list.push_back({text, -1, false}); };
        auto group = [&](std::u16string_view text,
                         std::initializer_list<std::u16string_view> kids) {
            const int parent = static_cast<int>(list.size());
            list.push_back({text, -1, true});
            for (std::u16string_view kid : kids)
                list.push_back({kid, parent, false});
        };
        top(u"搜索");
        top(u"运行");
        group(u"多媒体", {u"多媒体播放器", u"上一曲", u"下一曲", u"停止-播放", u"暂停", u"音量+",
                          u"音量-", u"静音"});
        group(u"快捷键", {u"新建", u"剪切", u"复制", u"粘贴", u"保存", u"打印", u"全选"});
        group(u"Windows", {u"最大化", u"最小化"});
        top(u"我的电脑");
        top(u"任务管理器");
        top(u"浏览器-主页");
        top(u"关闭窗口");
        return list;
    }();
    return items;
}

std::u16string shortenedPath(std::u16string_view path) {
    if (path.size() <= kShortPathLimit)
        return std::u16string(path);
    // A separator in the last character (a folder's trailing one) is no place to cut.
    const std::size_t cut = path.find_last_of(u"\\/", path.size() - 2);
    if (cut != std::u16string_view::npos)
        return u".." + std::u16string(path.substr(cut));
    return u".." + std::u16string(path.substr(path.size() - kUncutTail));
}

KeyMapLogic::KeyMapLogic(KeyAssignmentState& state, const KeyNameTable& names,
                         std::vector<std::u16string> macroNames, KeyMapPorts ports,
                         std::string chooserFolder)
    : state_(state), names_(names), macroNames_(std::move(macroNames)), ports_(ports),
      chooserFolder_(std::move(chooserFolder)), treeExpanded_(functionTreeItems().size(), false) {}

KeyMapLogic::~KeyMapLogic() {
    removeHook();
}

void KeyMapLogic::open() {
    PendingAssignment& p = pending();
    const KeyAssignment& entry = state_.assignments[state_.selectedPosition];
    // A name or path left from editing another key must not show up as this key's choice.
    p.functionName.clear();
    p.actionPath.clear();
    if (entry.type == typeValue(AssignmentType::Function)) {
        KeySlot slot;
        std::copy_n(entry.data.begin(), kKeySlotSize, slot.bytes.begin());
        p.functionName = functionNameOfSlot(slot);
    }
    const auto& items = functionTreeItems();
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (p.functionName.empty() || items[i].text != p.functionName)
            continue;
        treeSelection_ = static_cast<int>(i);
        treeExpanded_[items[i].parent < 0 ? i : static_cast<std::size_t>(items[i].parent)] = true;
    }
    macroSelection_ = -1;
    page_ = 0;
    clearCapture();
    actionRow_ = kNone;
    radioRow_ = kNone;
    showStoredAssignment();
    disableSwitch_ = !keyEnabledAt(state_.workingSettings, state_.selectedPosition);
    p.keyEnabled = !disableSwitch_;
    installHook();
}

void KeyMapLogic::showStoredAssignment() {
    PendingAssignment& p = pending();
    const KeyAssignment& entry = state_.assignments[state_.selectedPosition];
    p.type = entry.type;
    p.keyCount = entry.keyCount;
    switch (static_cast<AssignmentType>(entry.type)) {
    case AssignmentType::SingleKey:
        p.keys = entry.data;
        p.keyCount = 1;
        singleKeyText_ = names_.name(entry.data[0]);
        initialFocusGuard_ = true;
        ports_.host.focusControl(KeyMapControl::SingleKeyBox);
        break;
    case AssignmentType::Combination: {
        p.keys = entry.data;
        // The count comes from a file: more than three would run capture past the keys shown.
        p.keyCount = std::min<int>(entry.keyCount, 3);
        std::vector<std::uint8_t> shown;
        std::copy_if(entry.data.begin(), entry.data.begin() + 3, std::back_inserter(shown),
                     [](std::uint8_t vk) { return vk != 0; });
        combinationText_ = talvex::combinationText(names_, shown);
        initialFocusGuard_ = true;
        ports_.host.focusControl(KeyMapControl::CombinationBox);
        break;
    }
    case AssignmentType::MacroKey:
        if (entry.data[0] == kSlotMacro) {
            page_ = 1;
            if (entry.data[2] < macroNames_.size())
                macroSelection_ = entry.data[2];
            ports_.host.focusControl(KeyMapControl::MacroList);
        }
        break;
    case AssignmentType::Function:
        page_ = 2;
        break;
    case AssignmentType::PlaySound:
    case AssignmentType::StartProgram:
    case AssignmentType::OpenFile:
    case AssignmentType::OpenFolder:
        page_ = 3;
        p.actionPath = entry.pathText();
        actionRow_ = static_cast<std::uint8_t>(entry.type - typeValue(AssignmentType::PlaySound));
        break;
    default:
        break;
    }
}

void KeyMapLogic::clearCapture() {
    pending().keys.fill(0);
    pending().keyCount = 0;
    singleKeyText_.clear();
    combinationText_.clear();
}

void KeyMapLogic::installHook() {
    hookActive_ = ports_.hook.installhook(
        [this](KeyStroke stroke) {
            onKeyStroke(stroke);
            ports_.host.refresh();
        },
        0);
}

void KeyMapLogic::removeHook() {
    if (hookActive_)
        ports_.hook.removehook();
    hookActive_ = false;
}

std::optional<int> KeyMapLogic::hitTest(int x, int y) const {
    Rect sw = buttonArea(DisableSwitch).rect;
    const Rect around{sw.left - kSwitchSlack, sw.top - kSwitchSlack, sw.right + kSwitchSlack,
                      sw.bottom + kSwitchSlack};
    if (around.containsInclusive(x, y))
        return DisableSwitch;
    for (const ButtonArea& b : kButtons)
        if (b.rect.containsInclusive(x, y))
            return b.number;
    return std::nullopt;
}

bool KeyMapLogic::onMouseMove(int x, int y) {
    std::array<bool, 10> hover{};
    // The switch shows its state, not the pointer.
    if (std::optional<int> hit = hitTest(x, y); hit && *hit != DisableSwitch)
        hover[static_cast<std::size_t>(*hit)] = true;
    int browse = -1;
    for (int r = 0; page_ == 3 && r < kAdvancedRows; ++r)
        if (browseRect(r).containsInclusive(x, y))
            browse = r;
    const bool changed = hover != hover_ || browse != browseHover_;
    hover_ = hover;
    browseHover_ = browse;
    return changed;
}

void KeyMapLogic::onLButtonDown(int x, int y) {
    pressedButton_ = hitTest(x, y);
    if (pressedButton_)
        return;
    for (int r = 0; page_ == 3 && r < kAdvancedRows; ++r)
        if (selectorRect(r).containsInclusive(x, y) || browseRect(r).containsInclusive(x, y))
            return;
    ports_.host.startWindowDrag(x, y);
}

void KeyMapLogic::onLButtonUp(int x, int y) {
    const std::optional<int> pressed = std::exchange(pressedButton_, std::nullopt);
    // The advanced page looks at the click first, so a tab that leaves the page has the last
    // word on the type.
    if (page_ == 3)
        clickAdvancedArea(x, y);
    const std::optional<int> hit = hitTest(x, y);
    if (hit && hit == pressed)
        runButton(*hit);
}

void KeyMapLogic::clickAdvancedArea(int x, int y) {
    PendingAssignment& p = pending();
    for (int r = 0; r < kAdvancedRows; ++r) {
        if (selectorRect(r).containsInclusive(x, y)) {
            radioRow_ = static_cast<std::uint8_t>(4 * r);
            actionRow_ = static_cast<std::uint8_t>(r);
            p.actionPath.clear();
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
    if (actionRow_ == kNone) {
        p.type = typeValue(AssignmentType::RestoreDefault);
        radioRow_ = kNone;
    }
}

void KeyMapLogic::browse(int row) {
    if (row < 2)
        radioRow_ = static_cast<std::uint8_t>(4 * row);
    std::optional<std::u16string> path = choosePath(row);
    if (!path)
        return;
    PendingAssignment& p = pending();
    p.actionPath = std::move(*path);
    actionRow_ = static_cast<std::uint8_t>(row);
    p.type = static_cast<std::uint8_t>(typeValue(AssignmentType::PlaySound) + row);
    if (row >= 2)
        radioRow_ = static_cast<std::uint8_t>(4 * row);
}

std::optional<std::u16string> KeyMapLogic::choosePath(int row) {
    // Capture would take every key typed into the chooser.
    const bool capturing = hookActive_;
    removeHook();
    std::optional<std::string> chosen =
        row < 3 ? ports_.prompts.openFile(kFileChooserTitle, chooserFolder_, kFileFilters[row])
                : ports_.prompts.chooseFolder(kFolderChooserTitle, chooserFolder_);
    if (capturing)
        installHook();
    if (!chosen)
        return std::nullopt;
    if (row == 3 && (chosen->empty() || !std::filesystem::path(*chosen).is_absolute())) {
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
    const bool capturing = hookActive_;
    removeHook();
    ports_.prompts.message(text, kMessageCaption, MessageButtons::Ok, MessageIcon::None);
    if (capturing)
        installHook();
}

void KeyMapLogic::runButton(int button) {
    PendingAssignment& p = pending();
    switch (button) {
    case Close:
        ports_.host.closeDialog(false);
        return;
    case TabKeys: {
        const bool fromOtherPage = page_ != 0;
        page_ = 0;
        radioRow_ = kNone;
        actionRow_ = kNone;
        if (fromOtherPage) {
            clearCapture();
            p.type = typeValue(AssignmentType::SingleKey);
            ports_.host.focusControl(KeyMapControl::SingleKeyBox);
        }
        return;
    }
    // The macro and function tabs set the type to their page number, one below the type the
    // page saves; on the function page this keeps pressed keys out of the hidden boxes.
    case TabMacro:
    case TabFunction:
        page_ = button - TabKeys;
        p.type = static_cast<std::uint8_t>(page_);
        radioRow_ = kNone;
        actionRow_ = kNone;
        return;
    case TabAdvanced:
        if (page_ != 3) {
            clearCapture();
            p.type = kNone;
            actionRow_ = kNone;
        }
        page_ = 3;
        radioRow_ = kNone;
        return;
    case DisableSwitch:
        disableSwitch_ = !disableSwitch_;
        return;
    case Restore:
        p.keyCount = kRestoreMarker;
        ports_.host.closeDialog(true);
        return;
    case Cancel:
        p.keys.fill(0);
        p.keyCount = 0;
        ports_.host.closeDialog(false);
        return;
    case Save:
        save();
        return;
    default:
        return;
    }
}

void KeyMapLogic::save() {
    PendingAssignment& p = pending();
    switch (page_) {
    case 0: {
        p.keyEnabled = !disableSwitch_;
        const auto end = std::find(p.keys.begin(), p.keys.end(), 0);
        p.keyCount = static_cast<int>(end - p.keys.begin());
        if (p.keys[0] == 0)
            p.type = typeValue(AssignmentType::RestoreDefault);
        break;
    }
    case 1:
        if (macroSelection_ < 0) {
            p.type = typeValue(AssignmentType::RestoreDefault);
            p.macroIndex = -1;
            p.keyEnabled = true;
            break;
        }
        // A macro past the keyboard's slots would leave the key as it was while the dialog
        // said it was saved.
        if (macroSelection_ >= static_cast<int>(kMacroSlotCount)) {
            tell(kMacroBeyondSlots);
            return;
        }
        p.type = typeValue(AssignmentType::MacroKey);
        p.macroIndex = macroSelection_;
        p.keyEnabled = !disableSwitch_;
        break;
    case 2: {
        p.type = typeValue(AssignmentType::Function);
        const auto& items = functionTreeItems();
        if (treeSelection_ < 0 || items[static_cast<std::size_t>(treeSelection_)].group) {
            tell(kChooseLeaf);
            return;
        }
        p.functionName = items[static_cast<std::size_t>(treeSelection_)].text;
        p.keyEnabled = !disableSwitch_;
        break;
    }
    default:
        // A stored path that no longer fits the entry would be refused after the dialog closed.
        if (isHostActionType(p.type) && !isStorableActionPath(p.actionPath)) {
            tell(kPathTooLong);
            return;
        }
        p.keyEnabled = !disableSwitch_;
        break;
    }
    ports_.host.closeDialog(true);
}

void KeyMapLogic::onKeyStroke(KeyStroke stroke) {
    if (!hookActive_ || stroke.release)
        return;
    PendingAssignment& p = pending();
    if (p.type == typeValue(AssignmentType::SingleKey)) {
        // One key, and nothing after it that a save could count as more keys.
        p.keys.fill(0);
        p.keys[0] = stroke.vk;
        p.keyCount = 1;
        singleKeyText_ = names_.name(stroke.vk);
    } else if (p.type == typeValue(AssignmentType::Combination)) {
        if (p.keyCount >= 3 || p.keyCount < 0) {
            // A new combination: the keys of the old one must not outlive it.
            p.keys.fill(0);
            p.keyCount = 0;
        }
        p.keys[static_cast<std::size_t>(p.keyCount)] = stroke.vk;
        ++p.keyCount;
        combinationText_ = talvex::combinationText(
            names_,
            std::span<const std::uint8_t>(p.keys.data(), static_cast<std::size_t>(p.keyCount)));
    }
}

void KeyMapLogic::onSingleKeyBoxFocus() {
    const bool guarded = std::exchange(initialFocusGuard_, false);
    if (guarded && pending().type == typeValue(AssignmentType::SingleKey))
        return;
    pending().type = typeValue(AssignmentType::SingleKey);
    pending().keyCount = 0;
    pending().keys.fill(0);
    combinationText_.clear();
}

void KeyMapLogic::onCombinationBoxFocus() {
    const bool guarded = std::exchange(initialFocusGuard_, false);
    if (guarded && pending().type == typeValue(AssignmentType::Combination))
        return;
    pending().type = typeValue(AssignmentType::Combination);
    pending().keyCount = 0;
    pending().keys.fill(0);
    singleKeyText_.clear();
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
        return page_ == 0;
    case KeyMapControl::MacroList:
        return page_ == 1;
    case KeyMapControl::FunctionTree:
        return page_ == 2;
    }
    return false;
}

void KeyMapLogic::paintButton(Canvas& canvas, int button) const {
    const ButtonArea& b = buttonArea(button);
    const bool lit = button == DisableSwitch ? disableSwitch_ : hover(button);
    canvas.drawImage(kSkin, lit ? b.over : b.normal, b.rect.left, b.rect.top);
    for (const ButtonCaption& caption : kButtonCaptions)
        if (caption.number == button)
            canvas.drawCaption(caption.text, caption.x, caption.y, captionStyle());
}

void KeyMapLogic::paint(Canvas& canvas) const {
    canvas.drawImage(kSkin, kBackgroundImage, 0, 0);
    canvas.drawCaption("当前按键：" + utf16ToUtf8(names_.name(state_.selectedKeyCode)), 2, 2,
                       captionStyle());
    for (int button = Close; button <= TabAdvanced; ++button)
        paintButton(canvas, button);
    canvas.drawImage(kSkin, "cursor.png", kTabs[page_].markerX, kTabMarkerY);
    for (int tab = 0; tab < 4; ++tab)
        canvas.drawCaption(kTabs[tab].caption, kTabs[tab].captionX, kTabCaptionY,
                           captionStyle(tab == page_ ? kWhite : kLightGrey));
    if (page_ == 0) {
        canvas.drawCaption("单键", 20, 69, captionStyle(kLightGrey));
        canvas.drawCaption("组合键", 20, 119, captionStyle(kLightGrey));
    } else if (page_ == 3) {
        paintAdvancedPage(canvas);
    }
    for (int button : {DisableSwitch, Restore, Cancel, Save})
        paintButton(canvas, button);
}

void KeyMapLogic::paintAdvancedPage(Canvas& canvas) const {
    canvas.drawImage(kSkin, "Macro_BK.png", 15, 66);
    for (int r = 0; r < kAdvancedRows; ++r) {
        const Rect selector = selectorRect(r);
        canvas.drawImage(kSkin, "disable.png", selector.left, selector.top);
        canvas.drawCaption(kRowCaptions[r], labelRect(r).left, labelRect(r).top, captionStyle());
        canvas.drawImage(kSkin, "Advanced.png", 85, pathBoxRect(r).top);
        canvas.drawImage(kSkin, r == browseHover_ ? "view02.png" : "view.png", browseRect(r).left,
                         browseRect(r).top);
    }
    if (radioRow_ != kNone)
        for (int r = 0; r < kAdvancedRows; ++r)
            canvas.drawImage(kSkin, r == radioRow_ / 4 ? "enable.png" : "Disable.png",
                             selectorRect(r).left, selectorRect(r).top);
    if (actionRow_ != kNone) {
        const int r = actionRow_;
        canvas.drawCaption(utf16ToUtf8(shortenedPath(pending().actionPath)), 85, 69 + kRowPitch * r,
                           captionStyle());
        canvas.drawImage(kSkin, "enable.png", selectorRect(r).left, selectorRect(r).top);
    }
}

} // namespace talvex
