#pragma once
// Runs kestrix-cli in the test's process against a simulated keyboard whose state lives in a
// temporary folder, and keeps what it printed.

#include "cli/cli.h"
#include "device/device_settings.h"
#include "platform/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace talvex::testing {

class Cli : public ::testing::Test {
protected:
    std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("talvex-cli-" + std::to_string(::getpid()));
    std::string state = (dir / "k.state").string();
    std::string out, err;

    void SetUp() override { std::filesystem::create_directories(dir); }
    void TearDown() override { std::filesystem::remove_all(dir); }

    int run(std::vector<std::string> args) {
        std::ostringstream o, e;
        const int code = runCli(args, o, e);
        out = o.str();
        err = e.str();
        return code;
    }

    DeviceSettings stateImage() {
        DeviceSettings s = zeroSettings();
        const auto bytes = readFileBytes(state, kDeviceSettingsSize);
        EXPECT_TRUE(bytes && settingsFromBytes(*bytes, s));
        return s;
    }

    std::vector<std::string> lines(const std::string& text, const std::string& prefix = "") {
        std::vector<std::string> result;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);)
            if (line.rfind(prefix, 0) == 0)
                result.push_back(line);
        return result;
    }

    void writeFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        ASSERT_TRUE(writeFileAtomically(dir / name, bytes));
    }
};

} // namespace talvex::testing
