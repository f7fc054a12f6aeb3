// The English translation as the shell uses it: templates are translated before their arguments
// go in, texts of several lines line by line, and without a translator everything stays Chinese.
#include "app/qt/about_box.h"
#include "app/qt/ui_translators.h"
#include "platform/program_version.h"
#include "platform/qt/qt_ui_text.h"
#include "platform/ui_text.h"
#include "qt_test_app.h"

#include <QMessageBox>

#include <gtest/gtest.h>

namespace talvex {
namespace {

struct Row {
    std::string text;
    const char* chinese;
    const char* english;
};

const std::vector<Row>& rows() {
    static const std::vector<Row> table = {
        {TALVEX_TEXT("保存"), "保存", "Save"},
        {fillText(TALVEX_TEXT("档位 %1"), {"2"}), "档位 2", "Step 2"},
        {fillText(TALVEX_TEXT("正在写入键盘… %1 / %2"), {"3", "6"}), "正在写入键盘… 3 / 6",
         "Writing to the keyboard… 3 / 6"},
        {std::string(TALVEX_TEXT("请选择文件夹")) + "\n", "请选择文件夹\n",
         "Please choose a folder\n"},
        {fillText(std::string(TALVEX_TEXT("有 %1 项已保存的更改还没有写入键盘。")) + "\n" +
                      TALVEX_TEXT("“发送”把它们写入键盘；“放弃”采用键盘现在的设置。"),
                  {"4"}),
         "有 4 项已保存的更改还没有写入键盘。\n“发送”把它们写入键盘；“放弃”采用键盘现在的设置。",
         "4 saved changes have not been written to the keyboard.\nSend writes them to the "
         "keyboard; Discard takes the keyboard's current settings."},
        {"LCtrl ", "LCtrl ", "LCtrl "}, // key names are not translated
    };
    return table;
}

TEST(UiTranslatorsTest, WithoutATranslatorTextsStayChinese) {
    for (const Row& row : rows())
        EXPECT_EQ(translatedText(row.text).toStdString(), row.chinese);
}

TEST(UiTranslatorsTest, EnglishTranslatesTemplatesAndLines) {
    testing::qtTestApp();
    {
        const UiTranslators english(UiLanguage::English);
        ASSERT_TRUE(english.complete());
        for (const Row& row : rows())
            EXPECT_EQ(translatedText(row.text).toStdString(), row.english);
    }
    EXPECT_EQ(translatedText(TALVEX_TEXT("保存")).toStdString(), "保存"); // removed again
}

TEST(UiTranslatorsTest, TheAboutBoxStatesTheBuildsVersionAndTheLicenceInEitherLanguage) {
    testing::qtTestApp();
    const auto aboutText = [] {
        QString text;
        testing::answerNextModal<QMessageBox>([&text](QMessageBox* box) {
            text = box->text();
            box->accept();
        });
        runAboutBox(nullptr);
        return text.toStdString();
    };
    const std::string version(programVersion());
    EXPECT_EQ(aboutText(),
              "Talvex " + version + " 版\n依 GPL-3.0-or-later 许可发布，不提供任何担保。");
    const UiTranslators english(UiLanguage::English);
    EXPECT_EQ(aboutText(),
              "Talvex version " + version + "\nReleased under GPL-3.0-or-later, with no warranty.");
}

} // namespace
} // namespace talvex
