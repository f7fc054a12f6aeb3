#include "platform/qt/qt_prompts.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

namespace talvex {

namespace {

QString qs(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

std::optional<std::string> chosenPath(const QString& path) {
    if (path.isEmpty())
        return std::nullopt;
    return path.toStdString();
}

QMessageBox::Icon boxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

MessageAnswer QtPrompts::message(const std::string& text, const std::string& caption,
                                 MessageButtons buttons, MessageIcon icon) {
    QMessageBox box(boxIcon(icon), qs(caption), qs(text), QMessageBox::NoButton, parent);
    // Closing the box with Escape or its close button declines, as the platform's own does.
    switch (buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        break;
    case MessageButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        break;
    case MessageButtons::RetryCancel:
        box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
        // Captions of their own: Qt's would be English where its translations are not loaded.
        box.button(QMessageBox::Retry)->setText(qs("重试"));
        box.button(QMessageBox::Cancel)->setText(qs("取消"));
        box.setDefaultButton(QMessageBox::Retry);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case MessageButtons::SendDiscard:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.button(QMessageBox::Yes)->setText(qs("发送"));
        box.button(QMessageBox::No)->setText(qs("放弃"));
        box.button(QMessageBox::Cancel)->setText(qs("稍后"));
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Retry:
        return MessageAnswer::Retry;
    default:
        break;
    }
    return decliningAnswer(buttons);
}

std::optional<Rgb> QtPrompts::chooseColour(Rgb initial) {
    QColor chosen = QColorDialog::getColor(QColor(initial.r, initial.g, initial.b), parent);
    if (!chosen.isValid())
        return std::nullopt;
    return Rgb{static_cast<std::uint8_t>(chosen.red()), static_cast<std::uint8_t>(chosen.green()),
               static_cast<std::uint8_t>(chosen.blue())};
}

std::optional<std::string> QtPrompts::openFile(const std::string& title,
                                               const std::string& startFolder,
                                               const std::string& filter) {
    return chosenPath(QFileDialog::getOpenFileName(parent, qs(title), qs(startFolder), qs(filter)));
}

std::optional<std::string> QtPrompts::saveFile(const std::string& title,
                                               const std::string& startFolder,
                                               const std::string& filter) {
    return chosenPath(QFileDialog::getSaveFileName(parent, qs(title), qs(startFolder), qs(filter)));
}

std::optional<std::string> QtPrompts::chooseFolder(const std::string& title,
                                                   const std::string& startFolder) {
    return chosenPath(QFileDialog::getExistingDirectory(parent, qs(title), qs(startFolder)));
}

} // namespace talvex
