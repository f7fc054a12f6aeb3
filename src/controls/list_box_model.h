#pragma once
// The lines, selection and in-place editing rules of the transparent list box, without any
// drawing. The widget forwards double-clicks and editor results here and draws what this says;
// the notifications for the list's parent come out through ListBoxEvents in the order the parent
// relies on (a delay is reported before its line is replaced).

#include "controls/delay_range.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace talvex {

// How the list draws and edits its lines. There is no mode 2.
enum class ListMode {
    Plain = 0,        // text only; any line is editable as free text
    Delay = 1,        // macro events: press/release/delay icons; only delay lines are editable
    ParentBacked = 3, // text only; shows the parent's picture; reports old and new index
};

enum class LineIcon { None, Press, Release, Delay };

// What a line shows: its text (press and release markers removed) and its icon.
struct LineLook {
    std::string text;
    LineIcon icon = LineIcon::None;
};

// The delay an edited delay line stands for: the leading digits of `typed` (0 when there are
// none), brought into kMinDelayMs..kMaxDelayMs. Any number of digits is safe.
int parseDelay(std::string_view typed);

// The order of a sorted list: byte order after folding ASCII letters to lower case, so a
// dialog that keeps records in list order can find where a name lands.
bool lineSortsBefore(std::string_view a, std::string_view b);

// The parent's notifications, sent synchronously while the model changes.
class ListBoxEvents {
public:
    virtual ~ListBoxEvents() = default;
    virtual void editAboutToBegin() = 0;
    // Delay mode: a delay edit was committed; sent before the line text is replaced.
    virtual void delayCommitted(int line, int delayMs) = 0;
    // A committed edit changed the text; newIndex is where the new text now is.
    virtual void lineTextChanged(int newIndex, const std::string& oldText) = 0;
    // Parent-backed mode: a committed edit changed the text of the line that was at oldIndex.
    virtual void itemEdited(int oldIndex, int newIndex) = 0;
};

class ListBoxModel {
public:
    explicit ListBoxModel(bool sorted) : sorted_(sorted) {}

    void setEvents(ListBoxEvents* events) { events_ = events; }
    bool sorted() const { return sorted_; }
    ListMode mode() const { return mode_; }
    void setMode(ListMode mode) { mode_ = mode; }

    int count() const { return static_cast<int>(lines_.size()); }
    bool valid(int index) const { return index >= 0 && index < count(); }
    // Empty text / 0 for an invalid index.
    const std::string& text(int index) const;
    std::intptr_t data(int index) const;
    void setData(int index, std::intptr_t data);

    // Appends, or in a sorted list inserts at the line's sorted place; returns the index.
    int addLine(std::string text, std::intptr_t data);
    // Inserts at `index` (appends when index is -1 or past the end); returns the index.
    int insertLine(int index, std::string text, std::intptr_t data);
    // Removes a line. An edit of that line is abandoned: editingIndex() becomes -1.
    bool deleteLine(int index);
    void clear();

    int selection() const { return selection_; }
    // An invalid index clears the selection.
    void select(int index) { selection_ = valid(index) ? index : -1; }

    LineLook look(int index) const;
    // Whether the selected line may be edited in place (a selection exists and, in delay mode,
    // it is not a press or release line).
    bool canEditSelection() const;

    // Starts editing the selected line: tells the parent, records the line and returns the
    // editor's starting text (delay lines without their " ms"). Nothing when not editable.
    std::optional<std::string> beginEdit();
    // Ends the running edit. With `commit`, `typed` (the editor's text) replaces the line when
    // it differs, the line keeps its item data and stays selected, and the parent is told.
    // An empty text outside delay mode changes nothing, as if cancelled.
    void endEdit(bool commit, const std::string& typed);

    bool editing() const { return editingIndex_ >= 0; }
    int editingIndex() const { return editingIndex_; }
    int previousEditingIndex() const { return previousEditingIndex_; }

private:
    struct Line {
        std::string text;
        std::intptr_t data = 0;
    };

    int sortedPlace(const std::string& text) const;
    int insertAt(int index, Line line);
    void removeAt(int index);

    bool sorted_;
    ListMode mode_ = ListMode::Plain;
    std::vector<Line> lines_;
    int selection_ = -1;
    int editingIndex_ = -1;
    int previousEditingIndex_ = -1;
    ListBoxEvents* events_ = nullptr;
};

} // namespace talvex
