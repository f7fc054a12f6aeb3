#include "macros/macro_editor.h"

#include "macros/macro_event.h"

#include <algorithm>

namespace talvex {

namespace {

constexpr int kInsertedDelayMs = 50;
// Room a press keeps free after itself, so that the release of the key still fits and the
// keyboard never plays a key that stays down.
constexpr std::size_t kReleaseRoom = 2;

std::uint8_t mouseCode(MouseButton button) {
    switch (button) {
    case MouseButton::Left:
        return kMouseLeftCode;
    case MouseButton::Right:
        return kMouseRightCode;
    case MouseButton::Middle:
        break;
    }
    return kMouseMiddleCode;
}

} // namespace

std::uint16_t parseLoopCount(const std::string& text) {
    std::uint32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        value = (value * 10 + static_cast<std::uint32_t>(c - '0')) & 0xFFFF;
    }
    return static_cast<std::uint16_t>(value);
}

MacroEditor::MacroEditor(MacroStore& editedMacros, const KeyNameTable& names, KeyHook& hook,
                         const SteadyClock& clock)
    : editedMacros_(editedMacros), names_(names), clock_(clock),
      capture_(hook, 1, [this](KeyStroke stroke) { onHookStroke(stroke); }) {}

void MacroEditor::reset() {
    stopCapture();
    selectMacro(std::nullopt);
    lastEventText_.clear();
    delayOption_ = false;
    loopOption_ = false;
    // Assigning the literal makes g++ 12 at -O2 warn about an overlapping copy that cannot
    // happen (-Wrestrict in std::string::_M_replace); filling one character says the same.
    loopText_.assign(1, '1');
    insertLine_ = 0;
}

void MacroEditor::setStrokeListener(std::function<void(EditOutcome)> listener) {
    strokeListener_ = std::move(listener);
}

void MacroEditor::selectMacro(std::optional<std::size_t> index) {
    if (!index || *index >= editedMacros_.records.size()) {
        selectedMacro_.reset();
        events_.clear();
        refreshLines();
        selectedLine_.reset();
        return;
    }
    selectedMacro_ = index;
    const MacroRecord& record = editedMacros_.records[*index];
    delayOption_ = record.delayOption();
    std::uint16_t loops = record.loopCountValue();
    loopOption_ = loops != 0 && loops != 1;
    loopText_ = std::to_string(loops == 0 ? 1 : loops);
    loadSelectedMacro();
}

void MacroEditor::followSelectedMacro(std::size_t index) {
    if (selectedMacro_ && index < editedMacros_.records.size())
        selectedMacro_ = index;
}

void MacroEditor::selectLine(std::optional<std::size_t> line) {
    if (line && *line < lines_.size())
        selectedLine_ = line;
    else
        selectedLine_.reset();
}

void MacroEditor::setDelayOption(bool on) {
    delayOption_ = on;
}

void MacroEditor::setLoopOption(bool on) {
    loopOption_ = on;
    if (!on)
        setLoopText("1");
}

void MacroEditor::setLoopText(const std::string& text) {
    loopText_ = text;
    if (selectedMacro_)
        editedMacros_.records[*selectedMacro_].setLoopCountValue(parseLoopCount(text));
}

EditOutcome MacroEditor::toggleRecording() {
    if (!selectedMacro_)
        return EditOutcome::NoMacroSelected;
    if (recording_) {
        stopCapture();
        return EditOutcome::Applied;
    }
    recording_ = true;
    // A pending single-key insertion would otherwise take the first recorded keys.
    insertMode_ = false;
    capture_.start();
    events_.clear();
    lastEventText_.clear();
    MacroRecord& record = editedMacros_.records[*selectedMacro_];
    record.deviceEvents.fill(0);
    record.keyEvents.fill(0);
    refreshLines();
    selectedLine_.reset();
    return EditOutcome::Applied;
}

void MacroEditor::stopCapture() {
    capture_.stop();
    recording_ = false;
    insertMode_ = false;
}

void MacroEditor::onHookStroke(KeyStroke stroke) {
    EditOutcome outcome = keyStroke(stroke);
    if (strokeListener_)
        strokeListener_(outcome);
}

EditOutcome MacroEditor::keyStroke(KeyStroke stroke) {
    // A key without a device code would end the keyboard's copy of the macro at that event.
    if (names_.deviceCode(stroke.vk) == 0)
        return insertMode_ || capture_.active() ? EditOutcome::KeyWithoutCode
                                                : EditOutcome::Ignored;
    EditOutcome outcome = EditOutcome::Ignored;
    if (insertMode_)
        outcome = insertStroke(stroke);
    else if (capture_.active())
        outcome = recordStroke(stroke);
    storeSelectedMacro();
    return outcome;
}

EditOutcome MacroEditor::recordStroke(KeyStroke stroke) {
    std::u16string keyLine = keyLineText(names_.name(stroke.vk), stroke.release);
    if (stroke.release) {
        int delay = measureDelay();
        if (keyLine == lastEventText_)
            return EditOutcome::Ignored;
        return appendEvent(stroke.vk, delay, true);
    }
    if (keyLine == lastEventText_)
        return EditOutcome::Ignored; // auto-repeat of the key just recorded
    int delay = 0;
    if (lines_.empty())
        lastStamp_ = clock_.now();
    else
        delay = measureDelay();
    return appendEvent(stroke.vk, delay, false);
}

int MacroEditor::measureDelay() {
    auto now = clock_.now();
    auto micros = std::chrono::duration_cast<std::chrono::microseconds>(now - lastStamp_).count();
    lastStamp_ = now;
    std::int64_t ms = micros / 1000;
    return static_cast<int>(std::clamp<std::int64_t>(ms, 0, kMaxDelayMs));
}

EditOutcome MacroEditor::appendEvent(std::uint8_t vk, int delayMs, bool release) {
    bool withDelay = delayOption_ && !lines_.empty();
    MacroEvent event =
        encodeMacroEvent(release, names_.deviceCode(vk), withDelay ? delayMs : kNoDelayCode);
    // A release that no longer fits with its long wait goes in without it: dropping it would
    // leave the key down when the keyboard plays the macro.
    if (release && event.size > events_.freeBytes())
        event = encodeMacroEvent(release, names_.deviceCode(vk), kNoDelayCode);
    if (event.size + (release ? 0 : kReleaseRoom) > events_.freeBytes())
        return EditOutcome::NoRoom;
    events_.append(event, vk);
    refreshLines();
    lastEventText_ = keyLineText(names_.name(vk), release);
    selectedLine_ = lines_.size() - 1;
    return EditOutcome::Applied;
}

EditOutcome MacroEditor::insertStroke(KeyStroke stroke) {
    std::uint8_t deviceCode = names_.deviceCode(stroke.vk);
    if (!stroke.release) {
        if (events_.freeBytes() < 2 + kReleaseRoom)
            return EditOutcome::NoRoom;
        insertEvent(insertLine_, 0x01, deviceCode, stroke.vk);
        ++insertLine_;
        return EditOutcome::Applied;
    }
    insertMode_ = false;
    capture_.stop();
    if (events_.freeBytes() < 2)
        return EditOutcome::NoRoom;
    insertEvent(insertLine_, kReleaseBit | kNoDelayCode, deviceCode, stroke.vk);
    return EditOutcome::Applied;
}

EditOutcome MacroEditor::insertKeyBefore() {
    if (!selectedLine_)
        return EditOutcome::Ignored;
    std::size_t a = *selectedLine_;
    SequenceLayout current = layout();
    std::size_t line = a;
    if (a > 0 && !current.isDelayLine(a) && current.isDelayLine(a - 1))
        line = a - 1; // in front of the selected event's delay
    return beginKeyInsertion(line);
}

EditOutcome MacroEditor::insertKeyAfter() {
    if (!selectedLine_)
        return EditOutcome::Ignored;
    std::size_t a = *selectedLine_;
    std::size_t line = layout().isDelayLine(a) ? a + 2 : a + 1;
    return beginKeyInsertion(line);
}

EditOutcome MacroEditor::beginKeyInsertion(std::size_t line) {
    if (events_.freeBytes() < 2 + kReleaseRoom)
        return EditOutcome::NoRoom;
    insertLine_ = line;
    insertMode_ = true;
    capture_.start();
    return EditOutcome::Applied;
}

EditOutcome MacroEditor::insertMouse(MouseButton button, MouseAction action) {
    if (!selectedMacro_ || !selectedLine_)
        return EditOutcome::Ignored;
    std::size_t a = *selectedLine_;
    std::size_t b = layout().isDelayLine(a) ? a + 2 : a + 1;
    std::size_t needed = action == MouseAction::Click ? 4 : 2;
    if (events_.freeBytes() < needed)
        return EditOutcome::NoRoom;
    std::uint8_t code = mouseCode(button);
    if (action == MouseAction::Release) {
        insertEvent(b, kReleaseBit | kNoDelayCode, code, code);
    } else {
        insertEvent(b, kNoDelayCode, code, code);
        if (action == MouseAction::Click)
            insertEvent(b + 1, kReleaseBit | kNoDelayCode, code, code);
    }
    insertMode_ = false;
    return EditOutcome::Applied;
}

EditOutcome MacroEditor::changeDelay(std::size_t line, int delayMs) {
    SequenceLayout current = layout();
    if (!current.isDelayLine(line))
        return EditOutcome::Ignored;
    int delay = std::clamp(delayMs, kMinDelayMs, kMaxDelayMs);
    if (!events_.replaceDelay(*current.eventAtLine(line), delay))
        return EditOutcome::NoRoom;
    insertMode_ = false;
    finishEdit();
    return EditOutcome::Applied;
}

EditOutcome MacroEditor::insertDelay() {
    if (!selectedMacro_ || !selectedLine_)
        return EditOutcome::Ignored;
    std::size_t h = *selectedLine_;
    SequenceLayout current = layout();
    if (current.isDelayLine(h))
        return EditOutcome::DelayLineSelected;
    const SequenceEvent* next = current.eventAtLine(h + 1);
    if (!next)
        return EditOutcome::Ignored;
    // A shorter delay never needs more room.
    events_.replaceDelay(*next, kInsertedDelayMs);
    insertMode_ = false;
    finishEdit();
    selectedLine_.reset();
    return EditOutcome::Applied;
}

EditOutcome MacroEditor::deleteLine() {
    if (!selectedMacro_ || !selectedLine_)
        return EditOutcome::Ignored;
    std::size_t s = *selectedLine_;
    SequenceLayout current = layout();
    const SequenceEvent* target = current.eventAtLine(s);
    if (!target)
        return EditOutcome::Ignored;
    if (current.isDelayLine(s)) {
        events_.replaceDelay(*target, kNoDelayCode);
    } else {
        events_.remove(*target);
    }
    insertMode_ = false;
    finishEdit();
    selectedLine_.reset();
    return EditOutcome::Applied;
}

void MacroEditor::insertEvent(std::size_t line, std::uint8_t flag, std::uint8_t deviceCode,
                              std::uint8_t keyCode) {
    events_.insert(lineToEvent(line), flag, deviceCode, keyCode);
    if (selectedLine_ && *selectedLine_ >= line)
        ++*selectedLine_;
    finishEdit();
}

void MacroEditor::resetFirstEvent() {
    SequenceLayout current = layout();
    if (!current.events.empty())
        events_.replaceDelay(current.events.front(), kNoDelayCode);
}

void MacroEditor::finishEdit() {
    resetFirstEvent();
    storeSelectedMacro();
    refreshLines();
}

void MacroEditor::loadSelectedMacro() {
    if (!selectedMacro_)
        return;
    events_.load(editedMacros_.records[*selectedMacro_]);
    refreshLines();
    selectedLine_.reset();
}

void MacroEditor::storeSelectedMacro() {
    if (!selectedMacro_)
        return;
    MacroRecord& record = editedMacros_.records[*selectedMacro_];
    record.setLoopCountValue(loopOption_ ? parseLoopCount(loopText_) : 1);
    record.optionFlags = delayOption_ ? kDelayOptionBit : 0;
    events_.storeInto(record);
}

std::size_t MacroEditor::lineToEvent(std::size_t line) const {
    return talvex::lineToEvent(layout(), line);
}

void MacroEditor::refreshLines() {
    lines_ = sequenceLines(events_.keyEvents(), names_);
    if (selectedLine_ && *selectedLine_ >= lines_.size())
        selectedLine_.reset();
}

SequenceLayout MacroEditor::layout() const {
    return events_.layout();
}

} // namespace talvex
