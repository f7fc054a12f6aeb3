#pragma once
// The Prompts port on Qt's standard dialogs. Every dialog is modal to the window given as
// parent, so the skinned window that asked stays behind it; while a modal dialog is open, it
// stands on that dialog instead. The keyboard's questions to the main window (arrival, firmware
// check, sending unsent changes) come whenever the keyboard does, also while the key dialog or a
// manager is open, and a box standing on the main window would let the window system raise the
// main window over that dialog.

#include "platform/prompts.h"

#include <QPointer>
#include <QWidget>

namespace talvex {

class QtPrompts final : public Prompts {
public:
    explicit QtPrompts(QWidget* parent = nullptr) : parent(parent) {}

    void setParentWidget(QWidget* widget) { parent = widget; }

    MessageAnswer message(const std::string& text, const std::string& caption,
                          MessageButtons buttons, MessageIcon icon) override;
    std::optional<Rgb> chooseColour(Rgb initial) override;
    std::optional<std::string> openFile(const std::string& title, const std::string& startFolder,
                                        const std::string& filter) override;
    std::optional<std::string> saveFile(const std::string& title, const std::string& startFolder,
                                        const std::string& filter) override;
    std::optional<std::string> chooseFolder(const std::string& title,
                                            const std::string& startFolder) override;

private:
    QWidget* owner() const;

    QPointer<QWidget> parent;
};

} // namespace talvex
