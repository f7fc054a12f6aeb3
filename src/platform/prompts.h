#pragma once
// The questions a window asks the user: message boxes, the colour picker, file and folder
// choosers. Logic classes ask through this port so tests answer with a script.

#include <cstdint>
#include <optional>
#include <string>

namespace talvex {

// SendDiscard asks whether to send changes to the keyboard: 发送 answers Yes, 放弃 No, and closing
// the box decides nothing (Cancel).
enum class MessageButtons { Ok, OkCancel, YesNo, RetryCancel, SendDiscard };
enum class MessageIcon { None, Information, Warning, Question, Error };
enum class MessageAnswer { Ok, Cancel, Yes, No, Retry };

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

// The answer of a user who closes the box without choosing (Escape or the close button).
inline MessageAnswer decliningAnswer(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Ok:
        return MessageAnswer::Ok;
    case MessageButtons::OkCancel:
    case MessageButtons::RetryCancel:
    case MessageButtons::SendDiscard:
        return MessageAnswer::Cancel;
    case MessageButtons::YesNo:
        break;
    }
    return MessageAnswer::No;
}

class Prompts {
public:
    virtual ~Prompts() = default;
    // Texts are UTF-8.
    virtual MessageAnswer message(const std::string& text, const std::string& caption,
                                  MessageButtons buttons, MessageIcon icon) = 0;
    virtual std::optional<Rgb> chooseColour(Rgb initial) = 0;
    // filter in the Qt form, e.g. "bin Files(*.bin)"; empty optional when cancelled.
    virtual std::optional<std::string> openFile(const std::string& title,
                                                const std::string& startFolder,
                                                const std::string& filter) = 0;
    virtual std::optional<std::string> saveFile(const std::string& title,
                                                const std::string& startFolder,
                                                const std::string& filter) = 0;
    virtual std::optional<std::string> chooseFolder(const std::string& title,
                                                    const std::string& startFolder) = 0;
};

} // namespace talvex
