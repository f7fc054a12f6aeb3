#include "macros/macro_manager_logic.h"

#include "platform/ui_text.h"

#include <algorithm>
#include <cstdio>

namespace talvex {

namespace {

constexpr const char* kMessageCaption = TALVEX_TEXT("宏管理");
constexpr const char* kChooseMacroToRecord = TALVEX_TEXT("请选择一个宏指令文件录制") "\n";
constexpr const char* kConfirmDelete = TALVEX_TEXT("确认删除吗？");
constexpr const char* kChooseMacroToDelete = TALVEX_TEXT("请选择一个宏指令文件删除") "\n";
constexpr const char* kEditTheDelay = TALVEX_TEXT("请编辑当前延时") "\n";
constexpr const char* kFullWhileCapturing =
    TALVEX_TEXT("此宏已满，这个按键没有录入，按键捕获已停止。") "\n" TALVEX_TEXT(
        "一个宏最多存放 190 字节（约 95 个按键动作）。") "\n";
constexpr const char* kFullWhileEditing =
    TALVEX_TEXT("此宏已满，无法再插入动作或加长延迟。") "\n" TALVEX_TEXT(
        "一个宏最多存放 190 字节（约 95 个按键动作）。") "\n";
// Painted in the options card rather than asked in a box, so a recording is not interrupted.
constexpr const char* kKeyNotRecordable = TALVEX_TEXT("此键不能录入宏");
constexpr const char* kPressKeyToInsert = TALVEX_TEXT("请按要插入的键");

// Each caption's area is what it labels or the free space up to the next thing drawn: the
// column under a heading, a button, the options card's right edge (398).
constexpr CaptionCell kTitle{TALVEX_TEXT("宏管理器"), 16, 9, 18, 393}; // up to the window's border
constexpr CaptionCell kHeadings[] = {{TALVEX_TEXT("选择宏"), 39, 60, 15, 94},
                                     {TALVEX_TEXT("按键系列"), 151, 60, 15, 112},
                                     {TALVEX_TEXT("录制选项"), 311, 60, 15, 87}};
constexpr CaptionCell kStartRecording{TALVEX_TEXT("开始录制"), 310, 103, 15, 70};
constexpr CaptionCell kStopRecording{TALVEX_TEXT("停止录制"), 310, 103, 15, 70};
// One sentence over two lines: the first ends 4 px before the delay tick box at 368, the second
// lies below the box.
constexpr CaptionCell kDelayOption[] = {{TALVEX_TEXT("记录按键动作"), 290, 168, 15, 74},
                                        {TALVEX_TEXT("间的延迟"), 290, 184, 15, 108}};
constexpr CaptionCell kLoopOption{TALVEX_TEXT("循环次数"), 295, 300, 15, 103};
struct ButtonCaption {
    MacroManagerLogic::Area area;
    CaptionCell caption;
};
constexpr ButtonCaption kButtonCaptions[] = {
    {MacroManagerLogic::New, {TALVEX_TEXT("新建"), 35, 372, 15, 43}},
    {MacroManagerLogic::Delete, {TALVEX_TEXT("删除"), 95, 372, 15, 43}},
    {MacroManagerLogic::Ok, {TALVEX_TEXT("确定"), 300, 404, 15, 38}},
    {MacroManagerLogic::Cancel, {TALVEX_TEXT("取消"), 352, 404, 15, 46}}};
// Its text is whichever notice is up.
constexpr CaptionCell kNotice{"", 290, 226, 14, 108};
constexpr Colour kNoticeColour{255, 90, 60};

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
    {"", "", TALVEX_TEXT("在之前开始录入"), MacroMenuCommand::InsertKeyBefore},
    {"", "", TALVEX_TEXT("在之后开始录入"), MacroMenuCommand::InsertKeyAfter},
    {TALVEX_TEXT("插入鼠标按键"), TALVEX_TEXT("左键"), TALVEX_TEXT("压下"),
     MacroMenuCommand::LeftPress},
    {TALVEX_TEXT("插入鼠标按键"), TALVEX_TEXT("左键"), TALVEX_TEXT("释放"),
     MacroMenuCommand::LeftRelease},
    {TALVEX_TEXT("插入鼠标按键"), TALVEX_TEXT("左键"), TALVEX_TEXT("单击"),
     MacroMenuCommand::LeftClick},
    {TALVEX_TEXT("插入鼠标按键"), TALVEX_TEXT("右键"), TALVEX_TEXT("压下"),
     MacroMenuCommand::RightPress},
    {TALVEX_TEXT("插入鼠标按键"), TALVEX_TEXT("右键"), TALVEX_TEXT("释放"),
     MacroMenuCommand::RightRelease},
    {TALVEX_TEXT("插入鼠标按键"), TALVEX_TEXT("右键"), TALVEX_TEXT("单击"),
     MacroMenuCommand::RightClick},
    {TALVEX_TEXT("插入鼠标按键"), TALVEX_TEXT("中键"), TALVEX_TEXT("压下"),
     MacroMenuCommand::MiddlePress},
    {TALVEX_TEXT("插入鼠标按键"), TALVEX_TEXT("中键"), TALVEX_TEXT("释放"),
     MacroMenuCommand::MiddleRelease},
    {TALVEX_TEXT("插入鼠标按键"), TALVEX_TEXT("中键"), TALVEX_TEXT("单击"),
     MacroMenuCommand::MiddleClick},
    {"", "", TALVEX_TEXT("插入延迟"), MacroMenuCommand::InsertDelay},
    {"", "", TALVEX_TEXT("删除"), MacroMenuCommand::DeleteLine},
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

} // namespace

std::span<const MacroMenuItem> macroMenuItems() {
    return kMenuItems;
}

std::span<const MacroManagerLogic::HotArea, MacroManagerLogic::AreaCount>
MacroManagerLogic::hotAreas() {
    return kHotAreas;
}

MacroManagerLogic::MacroManagerLogic(MacroStore& savedMacros, const KeyNameTable& names,
                                     MacroManagerPorts ports)
    : savedMacros_(savedMacros), ports_(ports),
      editedMacros_(std::make_unique<MacroStore>(emptyMacroStore())), list_(*editedMacros_),
      editor_(*editedMacros_, names, ports.hook, ports.clock),
      buttons_([this](int x, int y) { return hitTest(x, y); }) {
    editor_.setStrokeListener([this](EditOutcome outcome) { onStrokeOutcome(outcome); });
}

// The editor removes the hook if it is still installed.
MacroManagerLogic::~MacroManagerLogic() = default;

void MacroManagerLogic::open() {
    editor_.reset();
    buttons_.reset();
    notice_.clear();
    list_.assign(savedMacros_);
    if (list_.size() > 0)
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
    // The ticks show their state, not the pointer: the button lit before stays lit.
    if (hit == DelayTick || hit == LoopTick)
        return false;
    return buttons_.hover(hit);
}

void MacroManagerLogic::onLButtonDown(int x, int y) {
    if (!buttons_.press(x, y))
        ports_.host.startWindowDrag(x, y);
}

void MacroManagerLogic::onLButtonUp(int x, int y) {
    if (const std::optional<int> area = buttons_.release(x, y))
        runArea(*area);
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
    const std::optional<std::size_t> at = list_.addDefault();
    if (!at)
        return;
    editor_.stopCapture();
    editor_.selectMacro(*at);
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
    list_.erase(s);
    editor_.stopCapture();
    if (list_.size() == 0)
        editor_.selectMacro(std::nullopt);
    else
        editor_.selectMacro(std::min(s, list_.size() - 1));
}

void MacroManagerLogic::confirm() {
    editor_.stopCapture();
    if (editor_.loopOption() && editor_.selectedMacro())
        editor_.setLoopText(editor_.loopText());
    list_.storeNames();
    savedMacros_ = *editedMacros_;
    ports_.host.closeDialog(true);
}

void MacroManagerLogic::cancel() {
    editor_.stopCapture();
    ports_.host.closeDialog(false);
}

void MacroManagerLogic::onNameSelection(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= list_.size())
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
    const std::optional<std::size_t> newIndex = list_.rename(oldIndex, std::move(newName));
    if (!newIndex)
        return std::nullopt;
    if (std::optional<std::size_t> selected = editor_.selectedMacro())
        editor_.followSelectedMacro(NamedMacroList::followMove(*selected, oldIndex, *newIndex));
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
    const KeyCapture::Pause pause = editor_.pauseCapture();
    return ports_.prompts.message(text, kMessageCaption, buttons, MessageIcon::None);
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
    writeCaption(canvas, kTitle);
    for (const CaptionCell& heading : kHeadings)
        writeCaption(canvas, heading);
    paintArea(canvas, Record, buttons_.lit(Record));
    writeCaption(canvas, editor_.recording() ? kStopRecording : kStartRecording);
    for (const CaptionCell& line : kDelayOption)
        writeCaption(canvas, line);
    paintArea(canvas, LoopTick, editor_.loopOption());
    writeCaption(canvas, kLoopOption);
    for (const ButtonCaption& button : kButtonCaptions) {
        paintArea(canvas, button.area, buttons_.lit(button.area));
        writeCaption(canvas, button.caption);
    }
    paintArea(canvas, DelayTick, editor_.delayOption());
    const std::string notice =
        editor_.insertMode() && editor_.hookInstalled() ? kPressKeyToInsert : notice_;
    if (!notice.empty())
        writeCaption(canvas, notice, kNotice.x, kNotice.y, kNotice.height, kNoticeColour,
                     kNotice.areaWidth);
}

} // namespace talvex
