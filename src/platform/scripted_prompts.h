#pragma once
// A Prompts implementation for tests: every question is recorded in order, and each answer is
// taken from a queue filled by the test. When a queue runs dry the user is taken to decline
// (Cancel, No, or a cancelled chooser), so an unexpected question never confirms anything.

#include "platform/prompts.h"
#include "platform/ui_text.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace talvex {

class ScriptedPrompts final : public Prompts {
public:
    enum class Kind { Message, Colour, OpenFile, SaveFile, Folder };

    struct Question {
        Kind kind = Kind::Message;
        std::string text;    // message text, or the chooser's title
        std::string caption; // message caption
        MessageButtons buttons = MessageButtons::Ok;
        MessageIcon icon = MessageIcon::None;
        std::string startFolder;
        std::string filter;
        Rgb initialColour;
    };

    // Answers, consumed front first.
    std::deque<MessageAnswer> messageAnswers;
    std::deque<std::optional<Rgb>> colourAnswers;
    // Shared by the open, save and folder choosers, in the order they are asked.
    std::deque<std::optional<std::string>> pathAnswers;

    std::vector<Question> questions;

    MessageAnswer message(const std::string& text, const std::string& caption,
                          MessageButtons buttons, MessageIcon icon) override {
        questions.push_back(
            {Kind::Message, shownText(text), shownText(caption), buttons, icon, {}, {}, {}});
        return messageAnswers.empty() ? decliningAnswer(buttons) : pop(messageAnswers);
    }

    std::optional<Rgb> chooseColour(Rgb initial) override {
        questions.push_back(
            {Kind::Colour, {}, {}, MessageButtons::Ok, MessageIcon::None, {}, {}, initial});
        return colourAnswers.empty() ? std::nullopt : pop(colourAnswers);
    }

    std::optional<std::string> openFile(const std::string& title, const std::string& startFolder,
                                        const std::string& filter) override {
        return choosePath(Kind::OpenFile, title, startFolder, filter);
    }

    std::optional<std::string> saveFile(const std::string& title, const std::string& startFolder,
                                        const std::string& filter) override {
        return choosePath(Kind::SaveFile, title, startFolder, filter);
    }

    std::optional<std::string> chooseFolder(const std::string& title,
                                            const std::string& startFolder) override {
        return choosePath(Kind::Folder, title, startFolder, {});
    }

    // Texts of the message boxes shown so far, in order.
    std::vector<std::string> messageTexts() const {
        std::vector<std::string> texts;
        for (const Question& q : questions)
            if (q.kind == Kind::Message)
                texts.push_back(q.text);
        return texts;
    }

private:
    template <typename T> static T pop(std::deque<T>& queue) {
        T value = std::move(queue.front());
        queue.pop_front();
        return value;
    }

    std::optional<std::string> choosePath(Kind kind, const std::string& title,
                                          const std::string& startFolder,
                                          const std::string& filter) {
        questions.push_back(
            {kind, title, {}, MessageButtons::Ok, MessageIcon::None, startFolder, filter, {}});
        return pathAnswers.empty() ? std::nullopt : pop(pathAnswers);
    }
};

} // namespace talvex
