#include "platform/qt/qt_prompts.h"
#include "qt_test_app.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QDialog>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

namespace talvex {
namespace {

using testing::answerNextModal;

class QtPromptsTest : public ::testing::Test {
protected:
    void SetUp() override { testing::qtTestApp(); }
    QtPrompts prompts;
};

TEST_F(QtPromptsTest, MessageBoxShowsCaptionTextAndButtonsAndReturnsTheClickedOne) {
    QString seenText, seenTitle;
    int buttonCount = 0;
    answerNextModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        seenText = box->text();
        seenTitle = box->windowTitle();
        buttonCount = static_cast<int>(box->buttons().size());
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(
        prompts.message("确认删除吗？", "宏管理", MessageButtons::YesNo, MessageIcon::Question),
        MessageAnswer::No);
    EXPECT_EQ(seenText, QString::fromUtf8("确认删除吗？"));
    EXPECT_EQ(seenTitle, QString::fromUtf8("宏管理"));
    EXPECT_EQ(buttonCount, 2);
}

TEST_F(QtPromptsTest, EscapeDeclines) {
    auto pressEscape = [](QWidget* w) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &escape);
    };
    answerNextModal(pressEscape);
    EXPECT_EQ(prompts.message("t", "c", MessageButtons::OkCancel, MessageIcon::Warning),
              MessageAnswer::Cancel);
    answerNextModal(pressEscape);
    EXPECT_EQ(prompts.message("t", "c", MessageButtons::YesNo, MessageIcon::None),
              MessageAnswer::No);
    answerNextModal(pressEscape);
    EXPECT_EQ(prompts.message("t", "c", MessageButtons::Ok, MessageIcon::Information),
              MessageAnswer::Ok);
    answerNextModal(pressEscape);
    EXPECT_EQ(prompts.message("t", "c", MessageButtons::RetryCancel, MessageIcon::Warning),
              MessageAnswer::Cancel);
}

TEST_F(QtPromptsTest, RetryCancelSpeaksChineseAndRetries) {
    QStringList captions;
    answerNextModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        for (QAbstractButton* b : box->buttons())
            captions << b->text();
        box->button(QMessageBox::Retry)->click();
    });
    EXPECT_EQ(prompts.message("t", "c", MessageButtons::RetryCancel, MessageIcon::Warning),
              MessageAnswer::Retry);
    captions.sort();
    EXPECT_EQ(captions, QStringList({QString::fromUtf8("取消"), QString::fromUtf8("重试")}));
}

TEST_F(QtPromptsTest, ColourChooserStartsAtTheGivenColourAndReturnsTheChosenOne) {
    QColor initial;
    answerNextModal([&](QWidget* w) {
        auto* dialog = qobject_cast<QColorDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        initial = dialog->currentColor();
        dialog->setCurrentColor(QColor(239, 14, 2));
        dialog->accept();
    });
    EXPECT_EQ(prompts.chooseColour({10, 20, 30}), (Rgb{239, 14, 2}));
    EXPECT_EQ(initial, QColor(10, 20, 30));

    answerNextModal([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    EXPECT_EQ(prompts.chooseColour({10, 20, 30}), std::nullopt);
}

TEST_F(QtPromptsTest, FileChooserUsesTitleFolderAndFilterAndReturnsUtf8Path) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QString name = dir.filePath(QString::fromUtf8("配置.bin"));
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    QString title, folder;
    QStringList filters;
    answerNextModal([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        folder = dialog->directory().absolutePath();
        filters = dialog->nameFilters();
        dialog->selectFile(name);
        static_cast<QDialog*>(dialog)->accept();
    });
    auto chosen = prompts.openFile("请选择文件", dir.path().toStdString(), "bin Files(*.bin)");
    ASSERT_TRUE(chosen);
    EXPECT_EQ(QString::fromStdString(*chosen), name);
    EXPECT_EQ(title, QString::fromUtf8("请选择文件"));
    EXPECT_EQ(folder, dir.path());
    EXPECT_EQ(filters, QStringList{"bin Files(*.bin)"});

    answerNextModal([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    EXPECT_EQ(prompts.chooseFolder("modification path", dir.path().toStdString()), std::nullopt);
}

template <typename T> QWidget* openedOverByNext(const std::function<void()>& ask) {
    QWidget* openedOver = nullptr;
    testing::declineNextModal<T>(openedOver);
    ask();
    return openedOver;
}

// The keyboard asks the main window's prompts at any time, also while a modal dialog of the main
// window is open: the question then stands on that dialog, so the window system keeps the main
// window below both.
TEST_F(QtPromptsTest, QuestionsStandOnTheOpenModalDialogElseOnTheirParent) {
    QWidget window;
    QtPrompts asking(&window);
    for (bool dialogOpen : {false, true}) {
        SCOPED_TRACE(dialogOpen);
        QDialog dialog(&window);
        dialog.setModal(true);
        if (dialogOpen) {
            dialog.show();
            ASSERT_EQ(QApplication::activeModalWidget(), &dialog);
        }
        QWidget* expected = dialogOpen ? &dialog : &window;
        EXPECT_EQ(openedOverByNext<QMessageBox>([&] {
                      asking.message("t", "c", MessageButtons::SendDiscard, MessageIcon::Question);
                  }),
                  expected);
        EXPECT_EQ(openedOverByNext<QColorDialog>([&] { asking.chooseColour({}); }), expected);
        EXPECT_EQ(openedOverByNext<QFileDialog>([&] { asking.openFile("t", "", ""); }), expected);
    }
}

} // namespace
} // namespace talvex
