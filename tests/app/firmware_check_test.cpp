#include "app/firmware_check.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

#include "platform/file_io.h"
#include "platform/recording_shell.h"
#include "platform/scripted_prompts.h"

namespace talvex {
namespace {

namespace fs = std::filesystem;

FirmwareVersion version(std::uint8_t majorPart, std::uint8_t minorPart) {
    return {majorPart, minorPart, 0, 0};
}

class FirmwareCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    void writeVersionFile(const std::string& text) {
        ASSERT_TRUE(writeFileAtomically(folder / "VER.bin",
                                        std::vector<std::uint8_t>(text.begin(), text.end())));
    }
    void installUpdater() {
        ASSERT_TRUE(writeFileAtomically(updaterPath(folder), std::vector<std::uint8_t>{0x7F}));
    }
    FirmwareCheckOutcome checkOlderKeyboard() {
        return runFirmwareCheck(version(1, 3), version(1, 2), folder, prompts, shell);
    }

    fs::path folder = fs::temp_directory_path() /
                      ("talvex-firmware-" + std::to_string(::getpid()) + "-" +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    ScriptedPrompts prompts;
    RecordingShell shell;
};

TEST_F(FirmwareCheckTest, ExpectedVersionComesFromTheDigitsAtFiveAndSeven) {
    writeVersionFile("KXVER2.5");
    EXPECT_EQ(readExpectedVersion(folder / "VER.bin"), version(2, 5));
    // A letter is taken as it is: 'V' - '0' = 0x26; a byte below '0' wraps.
    writeVersionFile("KXVERV./extra bytes");
    EXPECT_EQ(readExpectedVersion(folder / "VER.bin"), version(0x26, 0xFF));
}

TEST_F(FirmwareCheckTest, MissingOrShortVersionFileMakesNoOffer) {
    EXPECT_FALSE(readExpectedVersion(folder / "VER.bin"));
    writeVersionFile("KXVER2.");
    EXPECT_FALSE(readExpectedVersion(folder / "VER.bin"));
    EXPECT_EQ(runFirmwareCheck(std::nullopt, version(0, 0), folder, prompts, shell),
              FirmwareCheckOutcome::NoOffer);
    EXPECT_TRUE(prompts.questions.empty());
}

TEST_F(FirmwareCheckTest, OfferOnlyWhenTheKeyboardIsOlder) {
    struct Case {
        FirmwareVersion expected, keyboard;
        bool older;
    };
    for (const Case& c : std::vector<Case>{{version(1, 3), version(1, 2), true},
                                           {version(1, 3), version(1, 3), false},
                                           {version(1, 3), version(0, 9), true},
                                           {version(1, 3), version(2, 0), false},
                                           {version(2, 0), version(1, 9), true},
                                           {version(0x26, 0), version(9, 9), true}}) {
        EXPECT_EQ(keyboardIsOlder(c.expected, c.keyboard), c.older)
            << int(c.expected[0]) << "." << int(c.expected[1]) << " vs " << int(c.keyboard[0])
            << "." << int(c.keyboard[1]);
    }
    EXPECT_EQ(runFirmwareCheck(version(1, 3), version(1, 3), folder, prompts, shell),
              FirmwareCheckOutcome::NoOffer);
    EXPECT_TRUE(prompts.questions.empty());
}

TEST_F(FirmwareCheckTest, OnlyAnAcceptedOfferStartsTheUpdaterBesideTheProgram) {
    installUpdater();
    prompts.messageAnswers = {MessageAnswer::Cancel, MessageAnswer::Ok};
    EXPECT_EQ(checkOlderKeyboard(), FirmwareCheckOutcome::Declined);
    EXPECT_TRUE(shell.calls.empty());
    EXPECT_EQ(checkOlderKeyboard(), FirmwareCheckOutcome::UpdaterStarted);
    ASSERT_EQ(prompts.questions.size(), 2u);
    EXPECT_EQ(prompts.questions[0].caption, "固件更新");
    EXPECT_EQ(prompts.questions[0].text, "检测到键盘版本与Driver的版本不匹配，是否进行更新？");
    EXPECT_EQ(prompts.questions[0].buttons, MessageButtons::OkCancel);
    ASSERT_EQ(shell.calls.size(), 1u);
    EXPECT_EQ(shell.calls[0].kind, RecordingShell::Call::StartProgram);
    EXPECT_EQ(shell.calls[0].target, (folder / "Kestrix_Update").string());
}

TEST_F(FirmwareCheckTest, MissingOrFailingUpdaterIsReported) {
    prompts.messageAnswers = {MessageAnswer::Ok, MessageAnswer::Ok, MessageAnswer::Ok};
    EXPECT_EQ(checkOlderKeyboard(), FirmwareCheckOutcome::UpdaterMissing);
    EXPECT_TRUE(shell.calls.empty());

    installUpdater();
    shell.result = false;
    EXPECT_EQ(checkOlderKeyboard(), FirmwareCheckOutcome::UpdaterFailed);
    EXPECT_EQ(shell.calls.size(), 1u);

    std::vector<std::string> texts = prompts.messageTexts();
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_NE(texts[1].find("Kestrix_Update"), std::string::npos);
    EXPECT_NE(texts[3].find("Kestrix_Update"), std::string::npos);
    EXPECT_NE(texts[1], texts[3]);
}

} // namespace
} // namespace talvex
