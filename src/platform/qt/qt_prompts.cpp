#include "platform/qt/qt_prompts.h"

#include "platform/qt/qt_ui_text.h"
#include "platform/ui_text.h"

#include <QAbstractButton>
#include <QApplication>
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

QWidget* QtPrompts::owner() const {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return parent;
}

MessageAnswer QtPrompts::message(const std::string& text, const std::string& caption,
                                 MessageButtons buttons, MessageIcon icon) {
    QMessageBox box(boxIcon(icon), translatedText(caption), translatedText(text),
                    QMessageBox::NoButton, owner());
    // Captions of their own, so that the answers match the question's words (发送 / 放弃 / 稍后).
    auto name = [&box](QMessageBox::StandardButton button, const char* text) {
        box.button(button)->setText(translatedText(text));
    };
    // Closing the box with Escape or its close button declines, as the platform's own does.
    switch (buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        name(QMessageBox::Ok, TALVEX_TEXT("确定"));
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        break;
    case MessageButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        name(QMessageBox::Ok, TALVEX_TEXT("确定"));
        name(QMessageBox::Cancel, TALVEX_TEXT("取消"));
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        name(QMessageBox::Yes, TALVEX_TEXT("是"));
        name(QMessageBox::No, TALVEX_TEXT("否"));
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        break;
    case MessageButtons::RetryCancel:
        box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
        name(QMessageBox::Retry, TALVEX_TEXT("重试"));
        name(QMessageBox::Cancel, TALVEX_TEXT("取消"));
        box.setDefaultButton(QMessageBox::Retry);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case MessageButtons::SendDiscard:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        name(QMessageBox::Yes, TALVEX_TEXT("发送"));
        name(QMessageBox::No, TALVEX_TEXT("放弃"));
        name(QMessageBox::Cancel, TALVEX_TEXT("稍后"));
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
    QColor chosen = QColorDialog::getColor(QColor(initial.r, initial.g, initial.b), owner());
    if (!chosen.isValid())
        return std::nullopt;
    return Rgb{static_cast<std::uint8_t>(chosen.red()), static_cast<std::uint8_t>(chosen.green()),
               static_cast<std::uint8_t>(chosen.blue())};
}

std::optional<std::string> QtPrompts::openFile(const std::string& title,
                                               const std::string& startFolder,
                                               const std::string& filter) {
    return chosenPath(
        QFileDialog::getOpenFileName(owner(), translatedText(title), qs(startFolder), qs(filter)));
}

std::optional<std::string> QtPrompts::saveFile(const std::string& title,
                                               const std::string& startFolder,
                                               const std::string& filter) {
    return chosenPath(
        QFileDialog::getSaveFileName(owner(), translatedText(title), qs(startFolder), qs(filter)));
}

std::optional<std::string> QtPrompts::chooseFolder(const std::string& title,
                                                   const std::string& startFolder) {
    return chosenPath(
        QFileDialog::getExistingDirectory(owner(), translatedText(title), qs(startFolder)));
}

} // namespace talvex
