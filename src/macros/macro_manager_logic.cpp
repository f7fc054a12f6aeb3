#include "macros/macro_manager_logic.h"

#include "controls/list_box_model.h"
#include "platform/utf16.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace talvex {

namespace {

constexpr const char* kMessageCaption = "宏管理";
constexpr const char* kChooseMacroToRecord = "请选择一个宏指令文件录制\n";
constexpr const char* kConfirmDelete = "确认删除吗？";
constexpr const char* kChooseMacroToDelete = "请选择一个宏指令文件删除\n";
constexpr const char* kEditTheDelay = "请编辑当前延时\n";
constexpr const char* kFullWhileCapturing =
    "此宏已满，这个按键没有录入，按键捕获已停止。\n一个宏最多存放 190 字节（约 95 个按键动作）。\n";
constexpr const char* kFullWhileEditing =
    "此宏已满，无法再插入动作或加长延迟。\n一个宏最多存放 190 字节（约 95 个按键动作）。\n";
// Painted in the options card rather than asked in a box, so a recording is not interrupted.
constexpr const char* kKeyNotRecordable = "此键不能录入宏";
constexpr const char* kPressKeyToInsert = "请按要插入的键";

constexpr Colour kWhite{255, 255, 255};
constexpr Colour kNoticeColour{255, 90, 60};
constexpr int kNoticeX = 290, kNoticeY = 226, kNoticeHeight = 14;

constexpr std::array<MacroManagerLogic::HotArea, MacroManagerLogic::AreaCount> kHotAreas{{
    {{290, 100, 379, 124}, "Record-normal.png", "Record-over.png"},
    {{368, 168, 382, 182}, "Pane.png", "PaneMakingTick.png"},
    {{296, 315, 310, 329}, "Pane.png", "PaneMakingTick.png"},
    {{20, 368, 77, 392}, "button-new-normal.png", "button-new-over.png"},
    {{80, 368, 137, 392}, "button-new-normal.png", "button-new-over.png"},
    {{280, 400, 337, 424}, "button-new-normal.png", "button-new-over.png"},
    {{340, 400, 397, 424}, "button-new-normal.png", "button-new-over.png"},
}};

constexpr std::array<MacroMenuItem, 13> kMenuItems{{
    {"", "", "在之前开始录入", MacroMenuCommand::InsertKeyBefore},
    {"", "", "在之后开始录入", MacroMenuCommand::InsertKeyAfter},
    {"插入鼠标按键", "左键", "压下", MacroMenuCommand::LeftPress},
    {"插入鼠标按键", "左键", "释放", MacroMenuCommand::LeftRelease},
    {"插入鼠标按键", "左键", "单击", MacroMenuCommand::LeftClick},
    {"插入鼠标按键", "右键", "压下", MacroMenuCommand::RightPress},
    {"插入鼠标按键", "右键", "释放", MacroMenuCommand::RightRelease},
    {"插入鼠标按键", "右键", "单击", MacroMenuCommand::RightClick},
    {"插入鼠标按键", "中键", "压下", MacroMenuCommand::MiddlePress},
    {"插入鼠标按键", "中键", "释放", MacroMenuCommand::MiddleRelease},
    {"插入鼠标按键", "中键", "单击", MacroMenuCommand::MiddleClick},
    {"", "", "插入延迟", MacroMenuCommand::InsertDelay},
    {"", "", "删除", MacroMenuCommand::DeleteLine},
}};

struct MouseCommand {
    MacroMenuCommand command;
    MouseButton button;
    MouseAction action;
};

constexpr MouseCommand kMouseCommands[] = {
    {MacroMenuCommand::LeftPress, MouseButton::Left, MouseAction::Press},
    {MacroMenuCommand::LeftRelease, MouseButton::Left, MouseAction::Release},
    {MacroMenuCommand::LeftClick, MouseButton::Left, MouseAction::Click},
    {MacroMenuCommand::RightPress, MouseButton::Right, MouseAction::Press},
    {MacroMenuCommand::RightRelease, MouseButton::Right, MouseAction::Release},
    {MacroMenuCommand::RightClick, MouseButton::Right, MouseAction::Click},
    {MacroMenuCommand::MiddlePress, MouseButton::Middle, MouseAction::Press},
    {MacroMenuCommand::MiddleRelease, MouseButton::Middle, MouseAction::Release},
    {MacroMenuCommand::MiddleClick, MouseButton::Middle, MouseAction::Click},
};

void caption(Canvas& canvas, const char* text, int x, int y, int height, Colour colour = kWhite) {
    CaptionStyle style;
    style.height = height;
    style.text = colour;
    canvas.drawCaption(text, x, y, style);
}

// Where the name list puts a new line: after the lines that sort equal, by the list's own rule,
// so that record i always holds the name of line i.
std::size_t sortedPlace(const std::vector<std::u16string>& names, const std::u16string& name) {
    const std::string key = utf16ToUtf8(name);
    auto at = std::upper_bound(names.begin(), names.end(), key,
                               [](const std::string& k, const std::u16string& line) {
                                   return lineSortsBefore(k, utf16ToUtf8(line));
                               });
    return static_cast<std::size_t>(at - names.begin());
}

// A name the record can hold: no zero units, at most 254 characters.
std::u16string storableName(std::u16string name) {
    name.erase(std::remove(name.begin(), name.end(), u'\0'), name.end());
    if (name.size() > kMacroNameMaxLength)
        name.resize(kMacroNameMaxLength);
    return name;
}

// Puts the named records of a store read from a file first and in list order, so that line i of
// the name list is record i whatever order and gaps the file had. Returns the names.
std::vector<std::u16string> arrangeByName(MacroStore& store) {
    std::vector<MacroRecord> used;
    std::vector<std::u16string> names;
    for (const MacroRecord& record : store.records) {
        std::u16string name = storableName(record.nameText());
        if (name.empty())
            continue;
        std::size_t at = sortedPlace(names, name);
        names.insert(names.begin() + static_cast<std::ptrdiff_t>(at), name);
        used.insert(used.begin() + static_cast<std::ptrdiff_t>(at), record);
        used[at].setNameText(name);
    }
    store.records.fill(emptyMacroRecord());
    std::copy(used.begin(), used.end(), store.records.begin());
    return names;
}

} // namespace

std::span<const MacroMenuItem> macroMenuItems() {
    return kMenuItems;
}

std::u16string defaultMacroName(std::span<const std::u16string> names) {
    for (int k = 1;; ++k) {
        char text[24];
        std::snprintf(text, sizeof text, "Macro_%03d", k);
        std::u16string name = utf8ToUtf16(text);
        if (std::find(names.begin(), names.end(), name) == names.end())
            return name;
    }
}

std::span<const MacroManagerLogic::HotArea, MacroManagerLogic::AreaCount>
MacroManagerLogic::hotAreas() {
    return kHotAreas;
}

MacroManagerLogic::MacroManagerLogic(MacroStore& savedMacros, const KeyNameTable& names,
                                     MacroManagerPorts ports)
    : savedMacros_(savedMacros), ports_(ports),
      editedMacros_(std::make_unique<MacroStore>(emptyMacroStore())),
      editor_(*editedMacros_, names, ports.hook, ports.clock) {
    editor_.setStrokeListener([this](EditOutcome outcome) { onStrokeOutcome(outcome); });
}

// The editor removes the hook if it is still installed.
MacroManagerLogic::~MacroManagerLogic() = default;

void MacroManagerLogic::open() {
    editor_.reset();
    hover_ = {};
    pointerArea_.reset();
    pressedArea_.reset();
    notice_.clear();
    *editedMacros_ = savedMacros_;
    names_ = arrangeByName(*editedMacros_);
    if (!names_.empty())
        editor_.selectMacro(0);
}

std::optional<int> MacroManagerLogic::hitTest(int x, int y) const {
    for (int area = 0; area < AreaCount; ++area)
        if (kHotAreas[static_cast<std::size_t>(area)].rect.containsInclusive(x, y))
            return area;
    return std::nullopt;
}

bool MacroManagerLogic::onMouseMove(int x, int y) {
    const std::optional<int> hit = hitTest(x, y);
    if (hit == pointerArea_)
        return false;
    pointerArea_ = hit;
    // The ticks show their state, not the pointer.
    if (hit == DelayTick || hit == LoopTick)
        return false;
    std::array<bool, AreaCount> hover{};
    if (hit)
        hover[static_cast<std::size_t>(*hit)] = true;
    const bool changed = hover != hover_;
    hover_ = hover;
    return changed;
}

void MacroManagerLogic::onLButtonDown(int x, int y) {
    pressedArea_ = hitTest(x, y);
    if (!pressedArea_)
        ports_.host.startWindowDrag(x, y);
}

void MacroManagerLogic::onLButtonUp(int x, int y) {
    const std::optional<int> pressed = std::exchange(pressedArea_, std::nullopt);
    const std::optional<int> hit = hitTest(x, y);
    if (hit && hit == pressed)
        runArea(*hit);
}

void MacroManagerLogic::runArea(int area) {
    notice_.clear();
    switch (area) {
    case Record:
        toggleRecording();
        break;
    case DelayTick:
        editor_.setDelayOption(!editor_.delayOption());
        break;
    case LoopTick:
        editor_.setLoopOption(!editor_.loopOption());
        break;
    case New:
        newMacro();
        break;
    case Delete:
        deleteMacro();
        break;
    case Ok:
        confirm();
        break;
    case Cancel:
        cancel();
        break;
    default:
        break;
    }
}

void MacroManagerLogic::toggleRecording() {
    if (editor_.toggleRecording() == EditOutcome::NoMacroSelected)
        tell(kChooseMacroToRecord);
}

void MacroManagerLogic::newMacro() {
    if (names_.size() >= kMaxMacrosInUse)
        return;
    const std::u16string name = defaultMacroName(names_);
    const std::size_t at = sortedPlace(names_, name);
    names_.insert(names_.begin() + static_cast<std::ptrdiff_t>(at), name);
    auto& records = editedMacros_->records;
    std::move_backward(records.begin() + static_cast<std::ptrdiff_t>(at), records.end() - 1,
                       records.end());
    records[at] = emptyMacroRecord();
    records[at].setNameText(name);
    editor_.stopCapture();
    editor_.selectMacro(at);
    // The box shows 1, and so the new macro plays once.
    editor_.setLoopOption(false);
}

void MacroManagerLogic::deleteMacro() {
    if (tell(kConfirmDelete, MessageButtons::OkCancel) != MessageAnswer::Ok)
        return;
    const std::optional<std::size_t> selected = editor_.selectedMacro();
    if (!selected) {
        tell(kChooseMacroToDelete);
        return;
    }
    const std::size_t s = *selected;
    const std::size_t count = names_.size();
    names_.erase(names_.begin() + static_cast<std::ptrdiff_t>(s));
    auto& records = editedMacros_->records;
    std::move(records.begin() + static_cast<std::ptrdiff_t>(s) + 1, records.end(),
              records.begin() + static_cast<std::ptrdiff_t>(s));
    records.back() = emptyMacroRecord();
    editor_.stopCapture();
    if (names_.empty())
        editor_.selectMacro(std::nullopt);
    else
        editor_.selectMacro(std::min(s, count - 2));
}

void MacroManagerLogic::confirm() {
    editor_.stopCapture();
    if (editor_.loopOption() && editor_.selectedMacro())
        editor_.setLoopText(editor_.loopText());
    for (std::size_t i = 0; i < names_.size(); ++i)
        editedMacros_->records[i].setNameText(names_[i]);
    savedMacros_ = *editedMacros_;
    ports_.host.closeDialog(true);
}

void MacroManagerLogic::cancel() {
    editor_.stopCapture();
    ports_.host.closeDialog(false);
}

void MacroManagerLogic::onNameSelection(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= names_.size())
        return;
    notice_.clear();
    editor_.selectMacro(static_cast<std::size_t>(index));
}

void MacroManagerLogic::onEventLineSelection(int line) {
    editor_.selectLine(line < 0 ? std::nullopt
                                : std::optional<std::size_t>(static_cast<std::size_t>(line)));
}

void MacroManagerLogic::onLoopTextChanged(const std::string& text) {
    editor_.setLoopText(text);
}

void MacroManagerLogic::onListEditBegins() {
    editor_.stopCapture();
}

void MacroManagerLogic::onDelayEdited(int line, int delayMs) {
    if (line >= 0)
        onEditOutcome(editor_.changeDelay(static_cast<std::size_t>(line), delayMs));
}

std::optional<std::size_t> MacroManagerLogic::onNameEdited(std::size_t oldIndex,
                                                           std::u16string newName) {
    newName = storableName(std::move(newName));
    if (oldIndex >= names_.size() || newName.empty())
        return std::nullopt;
    names_.erase(names_.begin() + static_cast<std::ptrdiff_t>(oldIndex));
    const std::size_t newIndex = sortedPlace(names_, newName);
    names_.insert(names_.begin() + static_cast<std::ptrdiff_t>(newIndex), newName);

    // The record travels with its name; the records in between close ranks.
    auto records = editedMacros_->records.begin();
    auto at = [&](std::size_t i) { return records + static_cast<std::ptrdiff_t>(i); };
    if (newIndex < oldIndex)
        std::rotate(at(newIndex), at(oldIndex), at(oldIndex + 1));
    else
        std::rotate(at(oldIndex), at(oldIndex + 1), at(newIndex + 1));
    editedMacros_->records[newIndex].setNameText(newName);

    if (std::optional<std::size_t> selected = editor_.selectedMacro()) {
        std::size_t s = *selected;
        if (s == oldIndex)
            s = newIndex;
        else if (oldIndex < s && s <= newIndex)
            --s;
        else if (newIndex <= s && s < oldIndex)
            ++s;
        editor_.followSelectedMacro(s);
    }
    return newIndex;
}

void MacroManagerLogic::onMenuCommand(MacroMenuCommand command) {
    notice_.clear();
    for (const MouseCommand& mouse : kMouseCommands)
        if (mouse.command == command)
            return onEditOutcome(editor_.insertMouse(mouse.button, mouse.action));
    switch (command) {
    case MacroMenuCommand::InsertKeyBefore:
        return onEditOutcome(editor_.insertKeyBefore());
    case MacroMenuCommand::InsertKeyAfter:
        return onEditOutcome(editor_.insertKeyAfter());
    case MacroMenuCommand::InsertDelay:
        return onEditOutcome(editor_.insertDelay());
    case MacroMenuCommand::DeleteLine:
        return onEditOutcome(editor_.deleteLine());
    default:
        return;
    }
}

void MacroManagerLogic::onEditOutcome(EditOutcome outcome) {
    if (outcome == EditOutcome::NoRoom)
        tell(kFullWhileEditing);
    else if (outcome == EditOutcome::DelayLineSelected)
        tell(kEditTheDelay);
}

void MacroManagerLogic::onStrokeOutcome(EditOutcome outcome) {
    switch (outcome) {
    case EditOutcome::NoRoom:
        // Keys typed into the message box must not go on into the macro.
        editor_.stopCapture();
        notice_.clear();
        tell(kFullWhileCapturing);
        break;
    case EditOutcome::KeyWithoutCode:
        notice_ = kKeyNotRecordable;
        break;
    case EditOutcome::Applied:
        notice_.clear();
        break;
    default:
        break;
    }
    ports_.host.refresh();
}

MessageAnswer MacroManagerLogic::tell(const char* text, MessageButtons buttons) {
    // The box takes the keyboard while it is open; a recording goes on afterwards.
    const bool capturing = editor_.suspendCapture();
    const MessageAnswer answer =
        ports_.prompts.message(text, kMessageCaption, buttons, MessageIcon::None);
    if (capturing)
        editor_.resumeCapture();
    return answer;
}

int MacroManagerLogic::nameSelection() const {
    const std::optional<std::size_t> selected = editor_.selectedMacro();
    return selected ? static_cast<int>(*selected) : -1;
}

int MacroManagerLogic::eventLineSelection() const {
    const std::optional<std::size_t> line = editor_.selectedLine();
    return line ? static_cast<int>(*line) : -1;
}

void MacroManagerLogic::paintArea(Canvas& canvas, int area, bool on) const {
    const HotArea& hot = kHotAreas[static_cast<std::size_t>(area)];
    canvas.drawImage(SkinFolder::MacroManagement, on ? hot.hoverImage : hot.normalImage,
                     hot.rect.left, hot.rect.top);
}

void MacroManagerLogic::paint(Canvas& canvas) const {
    caption(canvas, "宏管理器", 16, 9, 18);
    caption(canvas, "选择宏", 39, 60, 15);
    caption(canvas, "按键系列", 151, 60, 15);
    caption(canvas, "录制选项", 311, 60, 15);
    paintArea(canvas, Record, hover_[Record]);
    caption(canvas, editor_.recording() ? "停止录制" : "开始录制", 310, 103, 15);
    caption(canvas, "记录按键动作", 290, 168, 15);
    caption(canvas, "间的延迟", 290, 184, 15);
    paintArea(canvas, LoopTick, editor_.loopOption());
    caption(canvas, "循环次数", 295, 300, 15);
    paintArea(canvas, New, hover_[New]);
    caption(canvas, "新建", 35, 372, 15);
    paintArea(canvas, Delete, hover_[Delete]);
    caption(canvas, "删除", 95, 372, 15);
    paintArea(canvas, Ok, hover_[Ok]);
    caption(canvas, "确定", 300, 404, 15);
    paintArea(canvas, Cancel, hover_[Cancel]);
    caption(canvas, "取消", 352, 404, 15);
    paintArea(canvas, DelayTick, editor_.delayOption());
    if (editor_.insertMode() && editor_.hookInstalled())
        caption(canvas, kPressKeyToInsert, kNoticeX, kNoticeY, kNoticeHeight, kNoticeColour);
    else if (!notice_.empty())
        caption(canvas, notice_.c_str(), kNoticeX, kNoticeY, kNoticeHeight, kNoticeColour);
}

} // namespace talvex
