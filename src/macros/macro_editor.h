#pragma once
// The macro manager's editing rules without a window: recording key strokes with their delays,
// inserting keys, mouse buttons and delays, changing and deleting lines. It holds the selected
// macro's two event sequences under edit and the event list's lines, which are always the lines
// of those sequences, and stores every change into the edited macros at once. The window only
// forwards clicks and key strokes here and mirrors `lines()`.

#include "keys/key_name_table.h"
#include "macros/event_pair.h"
#include "macros/macro_record.h"
#include "macros/macro_sequence.h"
#include "platform/clock.h"
#include "platform/key_capture.h"
#include "platform/key_hook.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace talvex {

enum class EditOutcome {
    Applied,           // the sequences or the lines changed
    Ignored,           // nothing to do: no selection, auto-repeat, capture off
    KeyWithoutCode,    // a captured key that the keyboard cannot play, left out
    NoRoom,            // refused: the event does not fit whole in the 190 bytes
    NoMacroSelected,   // recording needs a selected macro
    DelayLineSelected, // a delay cannot be inserted on a delay line; edit it instead
};

enum class MouseButton { Left, Right, Middle };
enum class MouseAction { Press, Release, Click };

class MacroEditor {
public:
    MacroEditor(MacroStore& editedMacros, const KeyNameTable& names, KeyHook& hook,
                const SteadyClock& clock);
    MacroEditor(const MacroEditor&) = delete;
    MacroEditor& operator=(const MacroEditor&) = delete;

    // The dialog opens: capture off, options off, nothing selected, empty lines.
    void reset();

    // Told after each key stroke that the hook delivered, with what became of it, so the window
    // can refresh its list and tell the user when the macro is full.
    void setStrokeListener(std::function<void(EditOutcome)> listener);

    // The name list's selection changed: the macro's options and events are loaded. Capture is
    // left as it is, so a running recording goes on at the end of the newly selected macro.
    void selectMacro(std::optional<std::size_t> index);
    // The selected record moved to `index` in the store (a rename re-sorted it): editing goes on
    // with it, nothing is reloaded.
    void followSelectedMacro(std::size_t index);
    // The event list's selection, which the context-menu commands act on.
    void selectLine(std::optional<std::size_t> line);

    void setDelayOption(bool on);
    // Turning the loop option off shows and stores a loop count of 1.
    void setLoopOption(bool on);
    // The loop-count box changed; its number is stored in the selected macro at once.
    void setLoopText(const std::string& text);

    EditOutcome toggleRecording();
    // Removes the hook if installed and ends recording: a list edit begins, a macro is created
    // or deleted, the dialog closes.
    void stopCapture();
    // A message box needs the keyboard while it is open: capture pauses while the guard lives,
    // and a recording goes on where it was afterwards.
    KeyCapture::Pause pauseCapture() { return KeyCapture::Pause(capture_); }
    EditOutcome keyStroke(KeyStroke stroke);

    EditOutcome insertKeyBefore();
    EditOutcome insertKeyAfter();
    EditOutcome insertMouse(MouseButton button, MouseAction action);
    // A delay line was edited in place to `delayMs` (limited to 2..60000). When the longer form
    // does not fit nothing changes, and the window shows `lines()` again over its own edit.
    EditOutcome changeDelay(std::size_t line, int delayMs);
    EditOutcome insertDelay();
    EditOutcome deleteLine();

    // Reloads the sequences and lines from the selected record.
    void loadSelectedMacro();
    // Writes the sequences and options under edit into the selected record. The name is left
    // alone: the name list's own operations (new, rename) keep it.
    void storeSelectedMacro();

    // Offset of the event that starts at `line` in the sequences under edit.
    std::size_t lineToEvent(std::size_t line) const;

    const std::vector<std::u16string>& lines() const { return lines_; }
    std::optional<std::size_t> selectedLine() const { return selectedLine_; }
    std::optional<std::size_t> selectedMacro() const { return selectedMacro_; }
    const EventBuffer& editDeviceEvents() const { return events_.deviceEvents(); }
    const EventBuffer& editKeyEvents() const { return events_.keyEvents(); }
    std::size_t appendPos() const { return events_.endOffset(); }
    const std::u16string& lastEventText() const { return lastEventText_; }
    bool recording() const { return recording_; }
    bool hookInstalled() const { return capture_.active(); }
    bool insertMode() const { return insertMode_; }
    std::size_t insertLine() const { return insertLine_; }
    bool delayOption() const { return delayOption_; }
    bool loopOption() const { return loopOption_; }
    const std::string& loopText() const { return loopText_; }

private:
    void onHookStroke(KeyStroke stroke);
    EditOutcome recordStroke(KeyStroke stroke);
    EditOutcome insertStroke(KeyStroke stroke);
    int measureDelay();
    EditOutcome appendEvent(std::uint8_t vk, int delayMs, bool release);
    EditOutcome beginKeyInsertion(std::size_t line);
    // Inserts a two-byte event that starts at `line`; the sequences differ only in the code.
    void insertEvent(std::size_t line, std::uint8_t flag, std::uint8_t deviceCode,
                     std::uint8_t keyCode);
    // The first event never waits.
    void resetFirstEvent();
    // After a change of the sequences: first event without delay, stored, lines rebuilt.
    void finishEdit();
    void refreshLines();
    SequenceLayout layout() const;

    MacroStore& editedMacros_;
    const KeyNameTable& names_;
    const SteadyClock& clock_;
    std::function<void(EditOutcome)> strokeListener_;

    std::optional<std::size_t> selectedMacro_;
    EventPair events_;
    std::u16string lastEventText_;
    bool recording_ = false;
    bool insertMode_ = false;
    std::size_t insertLine_ = 0;
    bool delayOption_ = false;
    bool loopOption_ = false;
    std::string loopText_ = "1";
    std::chrono::steady_clock::time_point lastStamp_{};

    std::vector<std::u16string> lines_;
    std::optional<std::size_t> selectedLine_;
    // Last, so that the hook goes before anything a stroke would touch.
    KeyCapture capture_;
};

// The number at the start of `text` (0 when it starts with no digit), kept modulo 65536 as the
// loop count's 16 bits.
std::uint16_t parseLoopCount(const std::string& text);

} // namespace talvex
