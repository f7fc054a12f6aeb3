#include "controls/list_box_model.h"

#include <algorithm>
#include <cstdio>

namespace talvex {
namespace {

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

std::string removeAll(std::string text, std::string_view part) {
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at)) {
        text.erase(at, part.size());
    }
    return text;
}

char foldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Press and release lines of the macro event list carry these markers; delay lines end in "ms".
constexpr std::string_view kPressMark = "dn";
constexpr std::string_view kReleaseMark = "up";
constexpr std::string_view kDelayMark = "ms";

} // namespace

int parseDelay(std::string_view typed) {
    long value = 0;
    for (char c : typed) {
        if (c < '0' || c > '9') {
            break;
        }
        // Saturate well above the limit so a long run of digits cannot overflow.
        value = std::min<long>(value * 10 + (c - '0'), kMaxDelayMs + 1L);
    }
    return static_cast<int>(std::clamp<long>(value, kMinDelayMs, kMaxDelayMs));
}

bool lineSortsBefore(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(foldAscii(x)) < static_cast<unsigned char>(foldAscii(y));
    });
}

const std::string& ListBoxModel::text(int index) const {
    static const std::string empty;
    return valid(index) ? lines_[static_cast<std::size_t>(index)].text : empty;
}

std::intptr_t ListBoxModel::data(int index) const {
    return valid(index) ? lines_[static_cast<std::size_t>(index)].data : 0;
}

void ListBoxModel::setData(int index, std::intptr_t data) {
    if (valid(index)) {
        lines_[static_cast<std::size_t>(index)].data = data;
    }
}

int ListBoxModel::sortedPlace(const std::string& text) const {
    // After the lines that sort equal, so equal names keep the order they were added in.
    auto at = std::upper_bound(
        lines_.begin(), lines_.end(), text,
        [](const std::string& t, const Line& l) { return lineSortsBefore(t, l.text); });
    return static_cast<int>(at - lines_.begin());
}

int ListBoxModel::insertAt(int index, Line line) {
    lines_.insert(lines_.begin() + index, std::move(line));
    if (selection_ >= index) {
        ++selection_;
    }
    if (editingIndex_ >= index) {
        ++editingIndex_;
    }
    return index;
}

void ListBoxModel::removeAt(int index) {
    lines_.erase(lines_.begin() + index);
    if (selection_ == index) {
        selection_ = -1;
    } else if (selection_ > index) {
        --selection_;
    }
    if (editingIndex_ == index) {
        editingIndex_ = -1;
    } else if (editingIndex_ > index) {
        --editingIndex_;
    }
}

int ListBoxModel::addLine(std::string text, std::intptr_t data) {
    int index = sorted_ ? sortedPlace(text) : count();
    return insertAt(index, Line{std::move(text), data});
}

int ListBoxModel::insertLine(int index, std::string text, std::intptr_t data) {
    if (index < 0 || index > count()) {
        index = count();
    }
    return insertAt(index, Line{std::move(text), data});
}

bool ListBoxModel::deleteLine(int index) {
    if (!valid(index)) {
        return false;
    }
    removeAt(index);
    return true;
}

void ListBoxModel::clear() {
    lines_.clear();
    selection_ = -1;
    editingIndex_ = -1;
}

LineLook ListBoxModel::look(int index) const {
    const std::string& t = text(index);
    if (mode_ != ListMode::Delay) {
        return {t, LineIcon::None};
    }
    if (contains(t, kPressMark)) {
        return {removeAll(t, kPressMark), LineIcon::Press};
    }
    if (contains(t, kReleaseMark)) {
        return {removeAll(t, kReleaseMark), LineIcon::Release};
    }
    return {t, contains(t, kDelayMark) ? LineIcon::Delay : LineIcon::None};
}

bool ListBoxModel::canEditSelection() const {
    if (!valid(selection_)) {
        return false;
    }
    const std::string& t = text(selection_);
    return mode_ != ListMode::Delay || (!contains(t, kReleaseMark) && !contains(t, kPressMark));
}

std::optional<std::string> ListBoxModel::beginEdit() {
    if (!canEditSelection()) {
        return std::nullopt;
    }
    int line = selection_;
    if (events_ != nullptr) {
        events_->editAboutToBegin();
    }
    // The parent may have changed the list while being told.
    if (line != selection_ || !canEditSelection()) {
        return std::nullopt;
    }
    editingIndex_ = previousEditingIndex_ = line;
    const std::string& t = text(line);
    return mode_ == ListMode::Delay ? removeAll(t, " ms") : t;
}

void ListBoxModel::endEdit(bool commit, const std::string& typed) {
    int line = editingIndex_;
    editingIndex_ = -1;
    // An emptied name would leave a blank line that the dialogs take for an unused record.
    bool emptied = mode_ != ListMode::Delay && typed.empty();
    if (!commit || emptied || !valid(line)) {
        return;
    }
    std::string oldText = text(line);
    std::string newText = typed;
    if (mode_ == ListMode::Delay) {
        int delay = parseDelay(typed);
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%d ms", delay);
        newText = buffer;
        if (events_ != nullptr) {
            events_->delayCommitted(line, delay);
        }
        // The parent may have rebuilt the list while being told.
        if (!valid(line) || text(line) != oldText) {
            return;
        }
    }
    if (newText == oldText) {
        return;
    }
    std::intptr_t lineData = data(line);
    removeAt(line);
    int newIndex = sorted_ ? addLine(std::move(newText), lineData)
                           : insertAt(line, {std::move(newText), lineData});
    selection_ = newIndex;
    if (events_ == nullptr) {
        return;
    }
    events_->lineTextChanged(newIndex, oldText);
    if (mode_ == ListMode::ParentBacked) {
        events_->itemEdited(previousEditingIndex_, newIndex);
    }
}

} // namespace talvex
