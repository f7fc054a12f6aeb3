#include "app/firmware_check.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

#include "platform/file_io.h"
#include "platform/scripted_prompts.h"
#include "platform/shell.h"

namespace talvex {
namespace {

namespace fs = std::filesystem;

class RecordingShell final : public Shell {
public:
    bool startResult = true;
    std::vector<std::pair<fs::path, fs::path>> started;

    bool startProgram(const fs::path& program, const fs::path& folder) override {
        started.emplace_back(program, folder);
        return startResult;
    }
    bool openPath(const fs::path&) override { return false; }
    bool openUrl(const std::string&) override { return false; }
};

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
    FirmwareCheckOutcome check(VersionNumber expected, VersionNumber keyboard) {
        return runFirmwareCheck(expected, keyboard, folder, prompts, shell);
    }

    fs::path folder = fs::temp_directory_path() /
                      ("talvex-firmware-" + std::to_string(::getpid()) + "-" +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    ScriptedPrompts prompts;
    RecordingShell shell;
};

TEST_F(FirmwareCheckTest, ExpectedVersionComesFromTheDigitsAtFiveAndSeven) {
    writeVersionFile("KXVER2.5");
    EXPECT_EQ(readExpectedVersion(folder / "VER.bin"), (VersionNumber{2, 5}));
    // A letter is taken as it is: 'V' - '0' = 0x26; a byte below '0' wraps.
    writeVersionFile("KXVERV./extra bytes");
    EXPECT_EQ(readExpectedVersion(folder / "VER.bin"), (VersionNumber{0x26, 0xFF}));
}

TEST_F(FirmwareCheckTest, MissingOrShortVersionFileMakesNoOffer) {
    EXPECT_FALSE(readExpectedVersion(folder / "VER.bin"));
    writeVersionFile("KXVER2.");
    EXPECT_FALSE(readExpectedVersion(folder / "VER.bin"));
    EXPECT_EQ(runFirmwareCheck(std::nullopt, {0, 0}, folder, prompts, shell),
              FirmwareCheckOutcome::NoOffer);
    EXPECT_TRUE(prompts.questions.empty());
}

TEST_F(FirmwareCheckTest, OfferOnlyWhenTheKeyboardIsOlder) {
    struct Case {
        VersionNumber expected, keyboard;
        bool older;
    };
    for (const Case& c : std::vector<Case>{{{1, 3}, {1, 2}, true},
                                           {{1, 3}, {1, 3}, false},
                                           {{1, 3}, {0, 9}, true},
                                           {{1, 3}, {2, 0}, false},
                                           {{2, 0}, {1, 9}, true},
                                           {{0x26, 0}, {9, 9}, true}}) {
        EXPECT_EQ(keyboardIsOlder(c.expected, c.keyboard), c.older)
            << int(c.expected.majorVersion) << "." << int(c.expected.minorVersion) << " vs "
            << int(c.keyboard.majorVersion) << "." << int(c.keyboard.minorVersion);
    }
    EXPECT_EQ(check({1, 3}, {1, 3}), FirmwareCheckOutcome::NoOffer);
    EXPECT_TRUE(prompts.questions.empty());
}

TEST_F(FirmwareCheckTest, OnlyAnAcceptedOfferStartsTheUpdaterBesideTheProgram) {
    installUpdater();
    prompts.messageAnswers = {MessageAnswer::Cancel, MessageAnswer::Ok};
    EXPECT_EQ(check({1, 3}, {1, 2}), FirmwareCheckOutcome::Declined);
    EXPECT_TRUE(shell.started.empty());
    EXPECT_EQ(check({1, 3}, {1, 2}), FirmwareCheckOutcome::UpdaterStarted);
    ASSERT_EQ(prompts.questions.size(), 2u);
    EXPECT_EQ(prompts.questions[0].caption, "固件更新");
    EXPECT_EQ(prompts.questions[0].text, "检测到键盘版本与Driver的版本不匹配，是否进行更新？");
    EXPECT_EQ(prompts.questions[0].buttons, MessageButtons::OkCancel);
    ASSERT_EQ(shell.started.size(), 1u);
    EXPECT_EQ(shell.started[0].first, folder / "Kestrix_Update");
}

TEST_F(FirmwareCheckTest, MissingOrFailingUpdaterIsReported) {
    prompts.messageAnswers = {MessageAnswer::Ok, MessageAnswer::Ok, MessageAnswer::Ok};
    EXPECT_EQ(check({1, 3}, {1, 2}), FirmwareCheckOutcome::UpdaterMissing);
    EXPECT_TRUE(shell.started.empty());

    installUpdater();
    shell.startResult = false;
    EXPECT_EQ(check({1, 3}, {1, 2}), FirmwareCheckOutcome::UpdaterFailed);
    EXPECT_EQ(shell.started.size(), 1u);

    std::vector<std::string> texts = prompts.messageTexts();
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_NE(texts[1].find("Kestrix_Update"), std::string::npos);
    EXPECT_NE(texts[3].find("Kestrix_Update"), std::string::npos);
    EXPECT_NE(texts[1], texts[3]);
}

} // namespace
} // namespace talvex
