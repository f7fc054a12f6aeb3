// A keyboard that stops answering, answers nonsense or acknowledges out of turn, met through the
// commands a user runs: never a success, never a file or a write built from a partial answer.

#include "cli/report_tree.h"
#include "cli_fixture.h"
#include "simulator/simulated_keyboard.h"

#include <algorithm>

namespace talvex {
namespace {

using testing::Cli;
namespace fs = std::filesystem;

class HonestReads : public Cli {
protected:
    void SetUp() override {
        Cli::SetUp();
        ASSERT_EQ(run({"--simulate=" + state, "set", "speed=3"}), 0) << err;
        DeviceSettings image = stateImage();
        image.lightBrightness = 7;
        image.keyTable[4 * 30 + 2] = 0x05; // one key reassigned
        const auto bytes = image.bytes();
        writeFile("image.bin", {bytes.begin(), bytes.end()});
    }

    // The reports one fault-free run of `args` exchanges before its first write step (the
    // lighting's stage 1), on a copy of the keyboard.
    int reportsBeforeWriting(const std::vector<std::string>& args) {
        const std::string copy = (dir / "copy.state").string();
        fs::copy_file(state, copy, fs::copy_options::overwrite_existing);
        std::vector<std::string> full = {"--simulate=" + copy, "--trace=-"};
        full.insert(full.end(), args.begin(), args.end());
        EXPECT_EQ(run(full), 0) << err;
        int reports = 0;
        for (const auto& line : lines(out)) {
            if (line.rfind("SET 00 08 01", 0) == 0)
                break;
            for (const char* kind : {"SET", "GET", "WRITE", "READ"})
                if (line.rfind(kind, 0) == 0)
                    ++reports;
        }
        return reports;
    }
};

TEST_F(HonestReads, AKeyboardPulledDuringAReadFailsTheCommandAndChangesNothing) {
    const std::string backup = (dir / "backup.bin").string();
    const std::string image = (dir / "image.bin").string();
    struct Row {
        std::vector<std::string> args;
        int exitCode;
    };
    const Row rows[] = {
        {{"read", backup}, 1}, {{"info"}, 1},  {{"set", "brightness=20"}, 1},
        {{"apply", image}, 1}, {{"reset"}, 3},
    };
    const DeviceSettings before = stateImage();
    for (const Row& row : rows) {
        const int reports = reportsBeforeWriting(row.args);
        ASSERT_GT(reports, 1);
        fs::remove(backup);
        // The first report, the last before writing, and a spread between: every kind of read.
        for (int after = 1; after < reports; after += std::max(1, reports / 9)) {
            std::vector<std::string> args = {"--simulate=" + state,
                                             "--simulate-fault=unplug:" + std::to_string(after)};
            args.insert(args.end(), row.args.begin(), row.args.end());
            EXPECT_EQ(run(args), row.exitCode) << row.args[0] << " unplugged after " << after;
            EXPECT_NE(err.find("the keyboard stopped answering"), std::string::npos) << err;
            EXPECT_FALSE(fs::exists(backup)) << "unplugged after " << after;
            if (row.args[0] != "reset") {
                EXPECT_EQ(stateImage(), before) << row.args[0] << " unplugged after " << after;
            }
        }
    }
}

TEST_F(HonestReads, GarbledAnswersAreNeverSentBack) {
    const DeviceSettings before = stateImage();
    EXPECT_EQ(run({"--simulate=" + state, "--simulate-fault=garbage", "set", "brightness=20"}), 1);
    EXPECT_NE(err.find("different answer each time its lighting was read; nothing was sent"),
              std::string::npos)
        << err;
    EXPECT_EQ(stateImage(), before);

    // A backup holds what was answered, and says what a restore would refuse.
    const std::string backup = (dir / "backup.bin").string();
    EXPECT_EQ(run({"--simulate=" + state, "--simulate-fault=garbage", "read", backup}), 0);
    EXPECT_TRUE(fs::exists(backup));
    EXPECT_FALSE(lines(err, "kestrix-cli: warning: the keyboard answered ").empty()) << err;
    EXPECT_EQ(run({"--simulate=" + state, "read", backup}), 0);
    EXPECT_EQ(err, "");
}

// Write step 1 is the read's game-mode-on request, 2 the lighting's stage 1, 3 the palette.
TEST_F(HonestReads, OnlyAnAcknowledgementAfterAStepsFirstReportConfirmsIt) {
    struct Row {
        std::vector<std::string> faults;
        int exitCode;
    };
    const Row rows[] = {
        {{"dup-ack", "no-ack:3"}, 3},
        {{"unsolicited-ack", "no-ack:3"}, 3},
        {{"early-ack", "no-ack:3"}, 3},
        {{"dup-ack"}, 0},
        {{"unsolicited-ack"}, 0},
        {{"early-ack"}, 0},
        {{"late-ack:3"}, 3},
    };
    for (const Row& row : rows) {
        fs::remove(state);
        std::vector<std::string> args = {"--simulate=" + state};
        for (const auto& fault : row.faults)
            args.push_back("--simulate-fault=" + fault);
        for (const char* edit : {"set", "brightness=20", "palette1=123456"})
            args.push_back(edit);
        EXPECT_EQ(run(args), row.exitCode) << row.faults[0] << " " << err;
        if (row.exitCode != 0) {
            EXPECT_NE(err.find("did not confirm the colour palette"), std::string::npos) << err;
        }
    }
}

TEST(TerminalSafe, ControlCharactersBecomeEscapes) {
    EXPECT_EQ(terminalSafe("Macro 1"), "Macro 1");
    EXPECT_EQ(terminalSafe("a\x1b]0;owned\x07z"), "a\\x1b]0;owned\\x07z");
    EXPECT_EQ(terminalSafe("tab\there\x7f"), "tab\\x09here\\x7f");
    EXPECT_EQ(terminalSafe("c1\xc2\x9b"
                           "2J"),
              "c1\\u009b2J");
    EXPECT_EQ(terminalSafe("宏 1"), "宏 1");
}

} // namespace
} // namespace talvex
